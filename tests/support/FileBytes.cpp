// Whole files as bytes for tests: read, written and a folder's names listed, paths as UTF-8 text or path objects.
#include "tests/support/FileBytes.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace vx::test {
namespace fs = std::filesystem;

fs::path Utf8Path(std::string_view utf8) { return fs::path(std::u8string(utf8.begin(), utf8.end())); }

std::string ReadFileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string ReadFileBytes(const std::string& utf8Path) { return ReadFileBytes(Utf8Path(utf8Path)); }

void WriteFileBytes(const fs::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) {
    const std::u8string name = path.generic_u8string();
    throw std::runtime_error("cannot write " + std::string(name.begin(), name.end()));
  }
}

void WriteFileBytes(const std::string& utf8Path, std::string_view bytes) { WriteFileBytes(Utf8Path(utf8Path), bytes); }

bool Exists(const std::string& utf8Path) {
  std::error_code ignored;
  return fs::exists(fs::symlink_status(Utf8Path(utf8Path), ignored));
}

std::vector<std::string> FolderEntries(const fs::path& folder) {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    const std::u8string name = entry.path().filename().u8string();
    names.emplace_back(name.begin(), name.end());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> FolderEntries(const std::string& utf8Folder) { return FolderEntries(Utf8Path(utf8Folder)); }

}  // namespace vx::test
