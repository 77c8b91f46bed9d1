// Symbol faces: how a face tells that it holds symbol codes.
#include "platform/fonts/SymbolFaces.h"

#include FT_TRUETYPE_TABLES_H

namespace vx {
namespace {

constexpr unsigned long kSymbolCodePageBit = 1ul << 31;

bool HasSymbolCmap(FT_Face face) {
  for (int i = 0; i < face->num_charmaps; ++i) {
    if (face->charmaps[i]->platform_id == 3 && face->charmaps[i]->encoding_id == 0) return true;
  }
  return false;
}

}  // namespace

bool HasSymbolCharset(FT_Face face) {
  if (HasSymbolCmap(face)) return true;
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  return os2 != nullptr && os2->version != 0xFFFF && os2->version >= 1 &&
         (os2->ulCodePageRange1 & kSymbolCodePageBit) != 0;
}

}  // namespace vx
