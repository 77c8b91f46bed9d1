// A file written through a text buffer: pieces of about a megabyte go to an OutputFile.
#include "platform/BufferedFile.h"

namespace vx {
namespace {

constexpr std::size_t kPieceBytes = std::size_t{1} << 20;

}  // namespace

bool BufferedFile::Open(const std::string& path, std::string& error) {
  if (!file_.Open(path, error)) return false;
  buffer_.clear();
  buffer_.reserve(kPieceBytes + kPieceBytes / 8);
  return true;
}

bool BufferedFile::WriteIfFull(std::string& error) {
  if (buffer_.size() < kPieceBytes) return true;
  if (!file_.Write(buffer_, error)) return false;
  buffer_.clear();
  return true;
}

bool BufferedFile::Commit(std::string& error) {
  const bool committed = file_.Write(buffer_, error) && file_.Commit(error);
  buffer_.clear();
  return committed;
}

}  // namespace vx
