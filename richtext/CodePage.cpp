// Decoding 8-bit and double-byte code pages (Windows code page numbers) to UTF-16 through iconv.
#include "richtext/CodePage.h"

#include <iconv.h>

#include <cerrno>
#include <utility>
#include <vector>

#include "base/Utf.h"
#include "richtext/CodePageTable.h"
#include "richtext/DoubleByteCodePages.h"

namespace vx {
namespace {

constexpr char16_t kReplacement = 0xFFFD;
const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

}  // namespace

// The converters opened so far, by the table's converter name.
struct CodePageDecoder::Converters {
  std::vector<std::pair<std::string_view, iconv_t>> open;

  ~Converters() {
    for (auto& [name, cd] : open) {
      if (cd != kNoConverter) iconv_close(cd);
    }
  }

  iconv_t For(const char* name) {
    for (auto& [openName, cd] : open) {
      if (openName == name) return cd;
    }
    iconv_t cd = iconv_open("UTF-16LE", name);
    open.emplace_back(name, cd);
    return cd;
  }
};

CodePageDecoder::CodePageDecoder() : converters_(std::make_unique<Converters>()) {}

CodePageDecoder::~CodePageDecoder() = default;

bool CodePageDecoder::DecodeThrough(const CodePageEntry& page, std::string_view bytes, std::u16string& out) {
  iconv_t cd = converters_->For(page.converter);
  if (cd == kNoConverter) return false;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char buffer[4096];
  char* in = const_cast<char*>(bytes.data());
  std::size_t inLeft = bytes.size();
  while (inLeft > 0) {
    char* outPtr = buffer;
    std::size_t outLeft = sizeof buffer;
    const std::size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    out += Utf16FromBytes(std::string_view(buffer, sizeof buffer - outLeft), false);
    if (result != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) continue;
    if (errno != EILSEQ) {
      out.push_back(kReplacement);  // EINVAL: an incomplete character at the end
      break;
    }
    const RefusedCharacter refused = ReadRefusedCharacter(page.converter, std::string_view(in, inLeft));
    out.push_back(refused.unit);
    in += refused.length;
    inLeft -= refused.length;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  return true;
}

}  // namespace vx
