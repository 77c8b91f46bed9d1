// Writing a styled-text document as minimal 7-bit RTF that word processors and our reader load back.
#pragma once

#include <string>

#include "richtext/DocumentFiles.h"

namespace vx {

// The document as RTF: one font table entry per face and character set,
// every run a group with its full format, symbol codes as \'hh, other
// non-ASCII text as \uN with a Windows-1252 fallback, \par after every line.
// Runs marked symbol, and runs in a face the test names a symbol face, are
// written as symbol runs. Sizes are written within 1..kMaxHalfPoints, the
// range the editor and the reader take.
std::string WriteRtf(const StyledText& text, const SymbolFaceTest& isSymbolFace = {});

}  // namespace vx
