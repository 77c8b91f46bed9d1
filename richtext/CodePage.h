// Decoding 8-bit and double-byte code pages (Windows code page numbers) to UTF-16.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace vx {

struct CodePageEntry;

// What a font's character set (RTF's \fcharset, a font's charset byte) says
// of its bytes: their Windows code page; kSymbolCodePage when they are symbol
// codes that no code page applies to; 0 for DEFAULT and values without a
// page, where the document's own code page applies.
inline constexpr int kSymbolCodePage = 42;
int CodePageOfCharset(int charset);

// Decodes byte strings code page by code page, keeping each converter open
// for the next call. A page that is not one we decode is read as 1252. An
// undecodable character becomes one U+FFFD (a refused double-byte pair is
// one character, and a user-defined one its private-use character), as does
// a byte a single-byte page leaves unassigned; nothing is ever lost silently
// and nothing throws. The converter is the C library's iconv on Linux and the
// system's MultiByteToWideChar on Windows, over one table of pages
// (CodePageTable.h).
class CodePageDecoder {
 public:
  CodePageDecoder();
  CodePageDecoder(const CodePageDecoder&) = delete;
  CodePageDecoder& operator=(const CodePageDecoder&) = delete;
  ~CodePageDecoder();

  // Appends bytes decoded in codePage.
  void Decode(int codePage, std::string_view bytes, std::u16string& out);

 private:
  // Appends bytes that are not all ASCII decoded through the system's
  // converter of page; false (appending nothing) when the system has none.
  bool DecodeThrough(const CodePageEntry& page, std::string_view bytes, std::u16string& out);

  struct Converters;
  std::unique_ptr<Converters> converters_;
};

}  // namespace vx
