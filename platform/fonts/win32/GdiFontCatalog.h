// GdiFontCatalog: the font catalogue answered by the system's family enumeration (EnumFontFamiliesExW).
#pragma once

#include <string>
#include <unordered_map>

#include "platform/fonts/FontCatalog.h"

namespace vx {

// A family is TrueType when the system enumerates a TrueType face of it (an
// OpenType face with PostScript outlines counts: the system hands its glyphs
// over as outlines too); it has the symbol character
// set when such a face is enumerated in SYMBOL_CHARSET. Answers are cached
// per family for the catalogue's lifetime. Not thread-safe.
class GdiFontCatalog final : public FontCatalog {
 public:
  bool IsTrueTypeFamily(const std::string& family) override;
  bool HasSymbolCharset(const std::string& family) override;
  // The family is installed, but only with faces that have no outlines (a
  // colour-bitmap emoji face): the glyph source draws another face instead.
  bool HasNoOutlines(const std::string& family);

 private:
  struct Answer {
    bool trueType = false;
    bool symbol = false;
    bool withoutOutlines = false;
  };
  const Answer& Ask(const std::string& family);

  std::unordered_map<std::string, Answer> answers_;
};

}  // namespace vx
