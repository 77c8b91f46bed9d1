// Loading and saving rich-text documents: RTF or plain text in, RTF out.
#pragma once

#include <string>
#include <string_view>

#include "richtext/StyledText.h"

namespace vx {

struct LoadResult {
  bool ok = false;
  StyledText text;
  std::string error;  // a reason a user can read, when ok is false
};

// RTF when the bytes begin with "{\rtf", otherwise plain text in defaultFormat.
LoadResult LoadDocument(std::string_view bytes, const CharFormat& defaultFormat);

// Reads a file and loads it as above; a file that cannot be read gives
// "Cannot open file "<path>". <system reason>".
LoadResult LoadDocumentFile(const std::string& path, const CharFormat& defaultFormat);

// Writes the document as RTF, replacing the file only when complete; on
// failure returns false with "Cannot create file "<path>". <system reason>".
bool SaveRtfFile(const std::string& path, const StyledText& text, std::string& error);

}  // namespace vx
