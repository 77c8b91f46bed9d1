// FontconfigCatalog: the font catalogue answered from fontconfig's font list and the faces' own tables.
#pragma once

#include <memory>
#include <string>

#include "platform/fonts/FontCatalog.h"

namespace vx {

// Answers are cached per family for the catalogue's lifetime, so fonts
// installed later are seen by a new catalogue only. Not thread-safe.
class FontconfigCatalog final : public FontCatalog {
 public:
  FontconfigCatalog();
  ~FontconfigCatalog() override;
  FontconfigCatalog(const FontconfigCatalog&) = delete;
  FontconfigCatalog& operator=(const FontconfigCatalog&) = delete;

  bool IsTrueTypeFamily(const std::string& family) override;
  bool HasSymbolCharset(const std::string& family) override;
  int CountSymbolGlyphs(const std::string& family, int firstCode, int count) override;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace vx
