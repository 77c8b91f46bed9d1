// Reading RTF into a styled-text document: faces, half-point sizes, bold, italic, symbol codes.
#include "richtext/RtfReader.h"

namespace vx {

bool IsRtf(std::string_view bytes) {
  const std::size_t start = bytes.find_first_not_of(" \r\n");
  return start != std::string_view::npos && bytes.substr(start, 5) == "{\\rtf";
}

LoadResult ReadRtf(std::string_view bytes, const CharFormat&, const SymbolFaceTest&) {
  LoadResult result;
  result.error = IsRtf(bytes) ? "Rich Text Format is not supported yet." : "The data is not in Rich Text Format.";
  return result;
}

}  // namespace vx
