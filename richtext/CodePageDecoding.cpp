// Decoding code pages alike on every system: character sets to pages, ASCII as it is, an unknown page as 1252; the converters are per system.
#include <string_view>

#include "base/CodePoints.h"
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

int CodePageOfCharset(int charset) {
  switch (charset) {
    case 0: return 1252;
    case 2: return kSymbolCodePage;
    case 77: return 10000;
    case 78: return 10001;
    case 79: return 10003;
    case 80: return 10008;
    case 81: return 10002;
    case 83: return 10005;
    case 84: return 10004;
    case 85: return 10006;
    case 86: return 10081;
    case 87: return 10021;
    case 88: return 10029;
    case 89: return 10007;
    case 128: return 932;
    case 129: return 949;
    case 130: return 1361;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    case 254: return 437;
    case 255: return 850;
    default: return 0;  // 1 (DEFAULT) and unknown values
  }
}

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
