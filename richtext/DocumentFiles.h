// Loading and saving rich-text documents: RTF or plain text in, RTF out.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "richtext/StyledText.h"

namespace vx {

struct LoadResult {
  bool ok = false;
  StyledText text;
  std::string error;  // a reason a user can read, when ok is false
};

// Tells whether a face is a symbol face (the font catalogue's answer: a face
// with a symbol cmap). An empty test knows no symbol faces; runs marked
// symbol in the document stay symbol either way.
using SymbolFaceTest = std::function<bool(const std::string& face)>;

// RTF when the bytes begin with "{\rtf" (with its own formats; text outside
// its font table in the editor's default face), otherwise plain text in
// defaultFormat.
// A face the test names a symbol face reads U+F020..U+F0FF as codes 0x20..0xFF.
LoadResult LoadDocument(std::string_view bytes, const CharFormat& defaultFormat,
                        const SymbolFaceTest& isSymbolFace = {});

// Reads a file and loads it as above; a file that cannot be read gives
// "Cannot open file "<path>". <system reason>". Files over 256 MB are
// refused ("File too large"), and reading stops there.
LoadResult LoadDocumentFile(const std::string& path, const CharFormat& defaultFormat,
                            const SymbolFaceTest& isSymbolFace = {});

// Standard input, read and loaded as a file is, within the same limit; a
// failure gives "Cannot read standard input. <system reason>".
LoadResult LoadStandardInput(const CharFormat& defaultFormat, const SymbolFaceTest& isSymbolFace = {});

// Writes the document as RTF, replacing the file only when complete; on
// failure returns false with "Cannot create file "<path>". <system reason>".
// Runs in a face the test names a symbol face are written as symbol runs.
bool SaveRtfFile(const std::string& path, const StyledText& text, std::string& error,
                 const SymbolFaceTest& isSymbolFace = {});

}  // namespace vx
