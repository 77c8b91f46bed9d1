// Loading and saving rich-text documents: RTF or plain text in, RTF out.
#include "richtext/DocumentFiles.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/OutputFile.h"
#include "richtext/PlainText.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

namespace vx {
namespace {

std::string FileMessage(const char* what, const std::string& path, const std::string& reason) {
  return std::string(what) + " \"" + path + "\". " + reason;
}

// Larger files are refused: no editor document is that big, and a device
// such as /dev/zero would otherwise be read until memory runs out.
constexpr std::size_t kMaxFileBytes = std::size_t{256} << 20;

// The whole file, or false with the system's reason.
bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& reason) {
  errno = 0;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!file) {
    reason = std::strerror(errno != 0 ? errno : ENOENT);
    return false;
  }
  char buffer[1 << 16];
  for (;;) {
    const std::size_t got = std::fread(buffer, 1, sizeof buffer, file.get());
    bytes.append(buffer, got);
    if (bytes.size() > kMaxFileBytes) {
      reason = std::strerror(EFBIG);
      return false;
    }
    if (got < sizeof buffer) break;
  }
  if (std::ferror(file.get())) {
    reason = std::strerror(errno != 0 ? errno : EIO);
    return false;
  }
  return true;
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
  std::string bytes;
  std::string reason;
  if (!ReadWholeFile(path, bytes, reason)) {
    LoadResult failed;
    failed.error = FileMessage("Cannot open file", path, reason);
    return failed;
  }
  return LoadDocument(bytes, defaultFormat, isSymbolFace);
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
