// Loading and saving rich-text documents: RTF or plain text in, RTF out.
#include "richtext/DocumentFiles.h"

#include <cstdio>
#include <cstring>

#include "platform/FileReading.h"
#include "platform/OutputFile.h"
#include "richtext/PlainText.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

namespace vx {
namespace {

std::string FileMessage(const char* what, const std::string& path, const std::string& reason) {
  return std::string(what) + " \"" + path + "\". " + reason;
}

// Larger files and streams are refused: no editor document is that big, and
// a device such as /dev/zero would otherwise be read until memory runs out.

LoadResult Refused(const std::string& message) {
  LoadResult failed;
  failed.error = message;
  return failed;
}

}  // namespace

LoadResult LoadDocument(std::string_view bytes, const CharFormat& defaultFormat,
                        const SymbolFaceTest& isSymbolFace) {
  // An RTF file carries its own formats; text it writes before naming any
  // font takes the editor's own default face, whoever loads the file.
  if (IsRtf(bytes)) return ReadRtf(bytes, CharFormat{}, isSymbolFace);
  LoadResult result;
  result.ok = true;
  result.text = LoadPlainText(bytes, defaultFormat);
  return result;
}

LoadResult LoadDocumentFile(const std::string& path, const CharFormat& defaultFormat,
                            const SymbolFaceTest& isSymbolFace) {
  const ReadResult read = ReadFileAtMost(path, kMaxFileBytes);
  if (!read.ok) return Refused(FileMessage("Cannot open file", path, std::strerror(read.error)));
  return LoadDocument(read.bytes, defaultFormat, isSymbolFace);
}

LoadResult LoadStandardInput(const CharFormat& defaultFormat, const SymbolFaceTest& isSymbolFace) {
  const ReadResult read = ReadAtMost(stdin, kMaxFileBytes);
  if (!read.ok) return Refused(std::string("Cannot read standard input. ") + std::strerror(read.error));
  return LoadDocument(read.bytes, defaultFormat, isSymbolFace);
}

bool SaveRtfFile(const std::string& path, const StyledText& text, std::string& error,
                 const SymbolFaceTest& isSymbolFace) {
  std::string reason;
  if (!WriteWholeFile(path, WriteRtf(text, isSymbolFace), reason)) {
    error = FileMessage("Cannot create file", path, reason);
    return false;
  }
  return true;
}

}  // namespace vx
