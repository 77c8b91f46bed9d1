// Decoding 8-bit and double-byte code pages (Windows code page numbers) to UTF-16 through MultiByteToWideChar.
#include "richtext/CodePage.h"

#include <windows.h>

#include <array>
#include <map>

#include "richtext/CodePageTable.h"
#include "richtext/DoubleByteCodePages.h"

namespace vx {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool IsIsoPage(int page) { return page >= 28591 && page <= 28605; }

// What the system makes of one character's bytes; false when they form none.
bool DecodeOne(int page, const char* bytes, int count, std::u16string& out) {
  wchar_t wide[4];
  const int length = MultiByteToWideChar(static_cast<UINT>(page), MB_ERR_INVALID_CHARS, bytes, count, wide, 4);
  if (length <= 0) return false;
  out.append(wide, wide + length);
  return true;
}

// A single-byte page as a table of 256 characters. The system fills the
// bytes a Windows page leaves unassigned with the C1 control of the same
// number (0x81 -> U+0081 in 1252) or with a private-use character; neither is
// a character of the page, so both decode as U+FFFD, as the C library's
// converters have it. ISO 8859 pages do assign their C1 range.
std::array<char16_t, 256> SingleByteTable(int page) {
  std::array<char16_t, 256> table{};
  for (int byte = 0; byte < 256; ++byte) {
    const char c = static_cast<char>(byte);
    std::u16string one;
    const bool decoded = DecodeOne(page, &c, 1, one) && one.size() == 1;
    const char16_t unit = decoded ? one[0] : kReplacement;
    const bool unassigned = (byte >= 0x80 && unit >= 0x80 && unit <= 0x9F && !IsIsoPage(page)) ||
                            (unit >= 0xE000 && unit <= 0xF8FF);
    table[static_cast<std::size_t>(byte)] = unassigned ? kReplacement : unit;
  }
  return table;
}

// A double-byte page, one character at a time: a lead byte and the byte after
// it, or one byte. What the system refuses is read by the table of the
// page's layout, as on every system: a refused pair is one U+FFFD, a
// user-defined pair its private-use character, a lone lead byte one U+FFFD.
void DecodeDoubleByte(const CodePageEntry& entry, int page, std::string_view bytes, std::u16string& out) {
  // Most texts are valid as a whole.
  const int whole = MultiByteToWideChar(static_cast<UINT>(page), MB_ERR_INVALID_CHARS, bytes.data(),
                                        static_cast<int>(bytes.size()), nullptr, 0);
  if (whole > 0) {
    const std::size_t start = out.size();
    out.resize(start + static_cast<std::size_t>(whole));
    MultiByteToWideChar(static_cast<UINT>(page), MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()),
                        reinterpret_cast<wchar_t*>(out.data() + start), whole);
    return;
  }
  for (std::size_t i = 0; i < bytes.size();) {
    const bool lead = IsDBCSLeadByteEx(static_cast<UINT>(page), static_cast<BYTE>(bytes[i])) != 0;
    if (lead && i + 1 == bytes.size()) {
      out.push_back(kReplacement);  // an incomplete character at the end
      return;
    }
    const int count = lead ? 2 : 1;
    if (DecodeOne(page, bytes.data() + i, count, out)) {
      i += static_cast<std::size_t>(count);
      continue;
    }
    const RefusedCharacter refused = ReadRefusedCharacter(entry.converter, bytes.substr(i));
    out.push_back(refused.unit);
    i += refused.length;
  }
}

}  // namespace

// The tables of the single-byte pages used so far, by Windows page number.
struct CodePageDecoder::Converters {
  std::map<int, std::array<char16_t, 256>> singleByte;
};

CodePageDecoder::CodePageDecoder() : converters_(std::make_unique<Converters>()) {}

CodePageDecoder::~CodePageDecoder() = default;

bool CodePageDecoder::DecodeThrough(const CodePageEntry& entry, std::string_view bytes, std::u16string& out) {
  const int page = entry.windowsPage;
  CPINFO info{};
  if (!IsValidCodePage(static_cast<UINT>(page)) || !GetCPInfo(static_cast<UINT>(page), &info)) return false;
  if (info.MaxCharSize > 1) {
    DecodeDoubleByte(entry, page, bytes, out);
    return true;
  }
  auto table = converters_->singleByte.find(page);
  if (table == converters_->singleByte.end()) table = converters_->singleByte.emplace(page, SingleByteTable(page)).first;
  out.reserve(out.size() + bytes.size());
  for (const char c : bytes) out.push_back(table->second[static_cast<unsigned char>(c)]);
  return true;
}

}  // namespace vx
