// Decoding 8-bit and double-byte code pages (Windows code page numbers) to UTF-16 through iconv.
#pragma once

#include <iconv.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vx {

// The iconv name of a Windows code page number, or nullptr when it is not one
// we decode (callers then use Windows-1252).
const char* IconvNameOf(int codePage);

// Decodes byte strings code page by code page, keeping each converter open
// for the next call. An undecodable character becomes one U+FFFD (a refused
// double-byte pair is one character, and a user-defined one its private-use
// character); nothing is ever lost silently and nothing throws.
class CodePageDecoder {
 public:
  CodePageDecoder() = default;
  CodePageDecoder(const CodePageDecoder&) = delete;
  CodePageDecoder& operator=(const CodePageDecoder&) = delete;
  ~CodePageDecoder();

  // Appends bytes decoded in codePage (an unknown page is read as 1252).
  void Decode(int codePage, std::string_view bytes, std::u16string& out);

 private:
  iconv_t Open(int codePage);
  std::vector<std::pair<int, iconv_t>> open_;
};

}  // namespace vx
