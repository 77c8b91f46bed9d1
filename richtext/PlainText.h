// Loading plain-text files: byte-order marks, strict UTF-8 or Windows-1252, any line-break style.
#pragma once

#include <string>
#include <string_view>

#include "richtext/StyledText.h"

namespace vx {

// Decodes a text file to UTF-16: a UTF-8, UTF-16LE or UTF-16BE byte-order
// mark selects that encoding; without one the bytes are UTF-8 when all of
// them are valid UTF-8, else Windows-1252. Undecodable input becomes U+FFFD.
std::u16string DecodePlainText(std::string_view bytes);

// The text of a file as a document in one format: CR LF, LF and a lone CR
// each end a line, a break at the very end adds no empty line, NUL is dropped.
StyledText LoadPlainText(std::string_view bytes, const CharFormat& format);

}  // namespace vx
