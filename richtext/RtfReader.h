// Reading RTF into a styled-text document: faces, half-point sizes, bold, italic, symbol codes.
#pragma once

#include <string_view>

#include "richtext/DocumentFiles.h"

namespace vx {

// True when the bytes are RTF: "{\rtf" after optional spaces, CRs and LFs.
bool IsRtf(std::string_view bytes);

// Reads RTF (a file or the clipboard). Malformed input keeps what could be
// read; only bytes that are not RTF at all give an error. Characters outside
// the font table take defaultFormat's face.
LoadResult ReadRtf(std::string_view bytes, const CharFormat& defaultFormat = {},
                   const SymbolFaceTest& isSymbolFace = {});

}  // namespace vx
