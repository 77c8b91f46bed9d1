// Whole files as bytes for tests: read, written and a folder's names listed, paths as UTF-8 text or path objects.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vx::test {

// A path from UTF-8 text, whatever narrow encoding the system's calls take.
std::filesystem::path Utf8Path(std::string_view utf8);

// The whole content of a file; empty when it cannot be read.
std::string ReadFileBytes(const std::filesystem::path& path);
std::string ReadFileBytes(const std::string& utf8Path);

// Replaces a file's content with bytes (making the file); raises
// std::runtime_error when it cannot be written.
void WriteFileBytes(const std::filesystem::path& path, std::string_view bytes);
void WriteFileBytes(const std::string& utf8Path, std::string_view bytes);

// Whether anything, a dangling link included, is at a path.
bool Exists(const std::string& utf8Path);

// The names of what a folder holds, in UTF-8, sorted.
std::vector<std::string> FolderEntries(const std::filesystem::path& folder);
std::vector<std::string> FolderEntries(const std::string& utf8Folder);

}  // namespace vx::test
