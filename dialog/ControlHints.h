// The hints the text dialog's controls show while the pointer rests on them, for both views (OkBtn's comes with the mode).
#pragma once

#include <string_view>

namespace vx::hints {

inline constexpr std::u16string_view kOpenFile = u"Open text file";        // SpeedButton1
inline constexpr std::u16string_view kSaveFile = u"Save text to file";     // SpeedButton2
inline constexpr std::u16string_view kSymbolList = u"Open symbol list";    // sbSymbol
inline constexpr std::u16string_view kFontHeight = u"Font height";         // cHeight
inline constexpr std::u16string_view kFontWidthFactor = u"Font width factor";  // cWidth
inline constexpr std::u16string_view kPrecision = u"Precision";            // TrackBar1
inline constexpr std::u16string_view kFontName = u"Font name";             // cName
inline constexpr std::u16string_view kItalic = u"Italic font";             // sbItalic
inline constexpr std::u16string_view kBold = u"Bold font";                 // sbBold
inline constexpr std::u16string_view kPreview = u"Preview";                // PreviewBox
inline constexpr std::u16string_view kHelp = u"Help";                      // SpeedButton3, the about box's BitBtn1
// Picture buttons without a hint of their own show their captions.
inline constexpr std::u16string_view kAbout = u"About";                    // About
inline constexpr std::u16string_view kAcad = u"Acad";                      // AcadBtn

}  // namespace vx::hints
