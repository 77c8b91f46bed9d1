// Decoding 8-bit and double-byte code pages (Windows code page numbers) to UTF-16 through iconv.
#include "richtext/CodePage.h"

#include <cerrno>

#include "richtext/DoubleByteCodePages.h"

namespace vx {
namespace {

struct CodePageName {
  int codePage;
  const char* iconvName;
};

// Windows and Mac code pages that documents name, with the glibc converter
// for each. Mac pages without a glibc converter of their own use the nearest
// one that exists (the Far-East Mac pages match their Windows siblings).
constexpr CodePageName kCodePages[] = {
    {437, "CP437"},        {850, "CP850"},        {874, "CP874"},
    {932, "CP932"},        {936, "CP936"},        {949, "CP949"},
    {950, "CP950"},        {1250, "CP1250"},      {1251, "CP1251"},
    {1252, "CP1252"},      {1253, "CP1253"},      {1254, "CP1254"},
    {1255, "CP1255"},      {1256, "CP1256"},      {1257, "CP1257"},
    {1258, "CP1258"},      {1361, "JOHAB"},       {10000, "MACINTOSH"},
    {10001, "CP932"},      {10002, "CP950"},      {10003, "CP949"},
    {10007, "MAC-CYRILLIC"}, {10008, "CP936"},    {10029, "MAC-CENTRALEUROPE"},
    {20127, "ASCII"},      {28591, "ISO-8859-1"}, {28592, "ISO-8859-2"},
    {28595, "ISO-8859-5"}, {28597, "ISO-8859-7"}, {20866, "KOI8-R"},
    {21866, "KOI8-U"},
};

constexpr char16_t kReplacement = 0xFFFD;

bool IsAscii(std::string_view bytes) {
  for (const char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

void AppendUtf16Le(const char* bytes, std::size_t count, std::u16string& out) {
  for (std::size_t i = 0; i + 1 < count; i += 2) {
    out.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                        (static_cast<unsigned char>(bytes[i + 1]) << 8)));
  }
}

}  // namespace

const char* IconvNameOf(int codePage) {
  for (const auto& entry : kCodePages) {
    if (entry.codePage == codePage) return entry.iconvName;
  }
  return nullptr;
}

CodePageDecoder::~CodePageDecoder() {
  for (auto& [page, cd] : open_) {
    if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
  }
}

iconv_t CodePageDecoder::Open(int codePage) {
  if (IconvNameOf(codePage) == nullptr) codePage = 1252;
  for (auto& [page, cd] : open_) {
    if (page == codePage) return cd;
  }
  iconv_t cd = iconv_open("UTF-16LE", IconvNameOf(codePage));
  open_.emplace_back(codePage, cd);
  return cd;
}

void CodePageDecoder::Decode(int codePage, std::string_view bytes, std::u16string& out) {
  // Every supported page keeps ASCII as it is, so the common case needs no converter.
  if (IsAscii(bytes)) {
    out.append(bytes.begin(), bytes.end());
    return;
  }
  if (IconvNameOf(codePage) == nullptr) codePage = 1252;
  iconv_t cd = Open(codePage);
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    codePage = 1252;
    cd = Open(codePage);
  }
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    // No converter at all: keep ASCII, mark the rest as undecodable.
    for (const char c : bytes) {
      out.push_back(static_cast<unsigned char>(c) < 0x80 ? static_cast<char16_t>(c) : kReplacement);
    }
    return;
  }
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char buffer[4096];
  char* in = const_cast<char*>(bytes.data());
  std::size_t inLeft = bytes.size();
  while (inLeft > 0) {
    char* outPtr = buffer;
    std::size_t outLeft = sizeof buffer;
    const std::size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    AppendUtf16Le(buffer, sizeof buffer - outLeft, out);
    if (result != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) continue;
    if (errno != EILSEQ) {
      out.push_back(kReplacement);  // EINVAL: an incomplete character at the end
      break;
    }
    const RefusedCharacter refused = ReadRefusedCharacter(IconvNameOf(codePage), std::string_view(in, inLeft));
    out.push_back(refused.unit);
    in += refused.length;
    inLeft -= refused.length;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
}

}  // namespace vx
