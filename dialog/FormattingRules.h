// The formatting controls' rules: what they show for the selection, and how the font, size and width boxes and the style buttons apply or repair.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/TextLayout.h"

namespace vx {

// What the formatting rules and the preview need of the rich-text box.
// Positions count a line break as one position.
class FormattingEditor {
 public:
  virtual ~FormattingEditor() = default;
  // Face, whole points, bold and italic of the selection: those of its first
  // character, or of the insertion point for an empty selection.
  virtual CharStyle SelAttributes() const = 0;
  // Each changes every character of the selection, or the text typed next
  // at an empty selection.
  virtual void SetSelFace(const std::string& face) = 0;
  virtual void SetSelSize(int points) = 0;
  virtual void SetSelStyle(bool bold, bool italic) = 0;
  virtual int SelStart() const = 0;
  virtual int SelLength() const = 0;
  // The box's lines in order, without their breaks.
  virtual std::vector<std::u16string> Lines() const = 0;
};

// The formatting controls of the form. Setting a box's text from here raises
// no change event, and setting a button's state runs no click handler.
class FormattingControls {
 public:
  virtual ~FormattingControls() = default;
  virtual FormattingEditor& Editor() = 0;
  virtual std::u16string FaceBoxText() const = 0;  // cName
  virtual void SetFaceBoxText(std::u16string_view text) = 0;
  virtual std::u16string HeightBoxText() const = 0;  // cHeight
  virtual void SetHeightBoxText(std::u16string_view text) = 0;
  virtual std::u16string WidthBoxText() const = 0;  // cWidth
  virtual void SetWidthBoxText(std::u16string_view text) = 0;
  // Gives the box the input focus back once the focus change under way ends.
  virtual void RefocusHeightBox() = 0;
  virtual void RefocusWidthBox() = 0;
  virtual bool BoldDown() const = 0;  // sbBold
  virtual bool ItalicDown() const = 0;  // sbItalic
  virtual void SetStyleButtons(bool boldDown, bool italicDown) = 0;
  virtual void SetPrecisionLabel(std::u16string_view text) = 0;  // Label1
  // The selection-change handling (Memo1SelectionChange).
  virtual void SelectionChanged() = 0;
  // The preview step that ends the selection-change handling.
  virtual void RefreshPreview() = 0;
};

// The text a box shows for a whole number: plain decimal notation.
std::u16string DecimalText(int value);

// What the size boxes list (cHeight, cWidth), and what cHeight holds before
// the stored settings are shown.
inline constexpr std::u16string_view kHeightChoices[] = {u"1",  u"5",  u"10", u"15", u"20", u"25", u"30",
                                                         u"35", u"40", u"45", u"50", u"55", u"60", u"65",
                                                         u"70", u"75", u"80", u"85", u"90", u"95", u"100"};
inline constexpr std::u16string_view kWidthChoices[] = {u"0.2", u"0.4",  u"0.5", u"0.6", u"0.65", u"0.7", u"0.75",
                                                        u"0.8", u"0.85", u"0.9", u"0.95", u"1.0", u"1.2", u"1.5"};
inline constexpr std::u16string_view kFirstHeightText = u"28";

// What cWidth holds before the stored settings are shown: the default width
// factor in the shortest decimal notation ("0.65").
std::u16string DefaultWidthText();

// Memo1SelectionChange: nothing while converting; otherwise the font box, the
// size box and the two style buttons show the selection's attributes, and
// the preview is refreshed.
void ShowSelection(FormattingControls& form, bool converting);

// cNameChange: a font box text that names a display family (in any letter
// case) becomes the selection's face and the selection-change handling runs;
// any other text is replaced by the selection's face at once.
void ApplyFaceBox(FormattingControls& form, const std::vector<std::string>& displayFamilies);

// cHeightChange: after the list dropped down, a non-empty text is applied as
// the selection's size and heightDropped is cleared; when applying fails, the
// box shows the selection's size again. An empty text waits (heightDropped
// stays set).
void ApplyPickedHeight(FormattingControls& form, bool& heightDropped);

// cHeightExit: a negative size repairs the box to "30" and keeps the focus
// there; otherwise the number becomes the selection's size and the box shows
// the size the editor applied. A failure repairs like a negative size.
void ApplyTypedHeight(FormattingControls& form);

// cHeightKeyPess: true when the typed character is removed; Enter applies the
// typed size first (and is let through).
bool FilterHeightKey(FormattingControls& form, std::u16string_view typed);

// cWidthKeyPress: true when the typed character is removed.
bool FilterWidthKey(std::u16string_view typed);

// cWidthExit: a negative or unreadable width factor is repaired to the
// default and the box keeps the focus; any other text stays as typed.
void RepairWidthBox(FormattingControls& form);

// sbBoldClick and sbItalicClick: the selection's style with bold (italic) as
// the button now shows; the other flag is the selection's own. Then the
// selection-change handling runs.
void ApplyBoldButton(FormattingControls& form);
void ApplyItalicButton(FormattingControls& form);

// TrackBar1Change: the engine's precision and Label1 follow the track bar,
// and the selection-change handling draws the preview at the new precision.
void ApplyPrecision(FormattingControls& form, int position);

}  // namespace vx
