// Decoding code pages alike on every system: ASCII as it is, an unknown page as 1252; the converters are per system.
#include <string_view>

#include "engine/CodePoints.h"
#include "richtext/CodePage.h"
#include "richtext/CodePageTable.h"

namespace vx {
namespace {

bool IsAscii(std::string_view bytes) {
  for (const char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

}  // namespace

void CodePageDecoder::Decode(int codePage, std::string_view bytes, std::u16string& out) {
  // Every supported page keeps ASCII as it is, so the common case needs no converter.
  if (IsAscii(bytes)) {
    out.append(bytes.begin(), bytes.end());
    return;
  }
  if (DecodeThrough(CodePageEntryFor(codePage), bytes, out)) return;
  if (DecodeThrough(CodePageEntryFor(1252), bytes, out)) return;
  // No converter at all: keep ASCII, mark the rest as undecodable.
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    out.push_back(byte < 0x80 ? static_cast<char16_t>(byte) : static_cast<char16_t>(kReplacementCharacter));
  }
}

}  // namespace vx
