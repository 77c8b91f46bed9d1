// The platform's font services as one object: glyph outlines, text shaping, substitutes, font files and the family catalogue.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/GlyphSource.h"
#include "engine/TextShaper.h"
#include "platform/fonts/FontCatalog.h"

namespace vx {

// A family the system draws instead of the one named, and why.
struct FaceSubstitute {
  std::string family;       // empty: the named face is drawn itself
  bool noOutlines = false;  // the face is installed but has no outlines (bitmaps only, such as colour emoji)
};

// The font services of this platform, each made on first use and all working
// on the one glyph source: fontconfig, FreeType and HarfBuzz on Linux
// (platform/fonts/FontServices.cpp), the system's rasteriser, font mapper and
// family enumeration with HarfBuzz on Windows (platform/fonts/win32/FontServices.cpp).
// Callers never learn the classes behind them.
// Not thread-safe: one instance per thread.
class FontServices {
 public:
  FontServices();
  ~FontServices();
  FontServices(const FontServices&) = delete;
  FontServices& operator=(const FontServices&) = delete;

  // The glyph source: FreeType outlines of the faces fontconfig matches on
  // Linux, the system's own outlines (GDI) on Windows.
  GlyphSource& Glyphs();

  // The text shaping of the typographic layout by HarfBuzz and FriBidi, on
  // the glyph source's own faces: the face files fontconfig matches on
  // Linux, the bytes of the faces the system selects on Windows.
  TextShaper& Shaper();

  // The family the system draws instead of face in a character set: when no
  // installed family answers to that name (on Linux fontconfig's substitute
  // that has the characters the glyph source was last told of,
  // GlyphSource::ExpectText; on Windows the font mapper's), or when the
  // family that answers has no outlines.
  FaceSubstitute Substitute(const std::string& face, std::uint8_t charset);

  // Makes requests for the face name `name` land on face `index` of the font
  // file at `path`, installed or not, with a bold or italic that face lacks
  // synthesised. Returns why it cannot (the file is missing, unreadable or no
  // font, it has no such face; on Windows, where the system draws only
  // installed fonts, every file), else empty.
  std::string UseFontFile(const std::string& name, const std::string& path, int index);

  // The family catalogue: fontconfig's font list on Linux, the system's
  // family enumeration on Windows.
  FontCatalog& Catalog();

 private:
  struct Parts;
  std::unique_ptr<Parts> parts_;
};

// Questions to the system that need no services object (the Windows glyph
// source asks for the default face itself):

// Every installed family once (a family several foundries install is one
// entry), sorted without regard to case: fontconfig's list on Linux, the
// system's family enumeration on Windows.
std::vector<std::string> InstalledFamilies();

// The face plain text takes when none is named: fontconfig's default
// sans-serif family on Linux ("DejaVu Sans" on a stock Debian), Arial on
// Windows; empty when the system knows no font at all.
std::string DefaultSansFace();

// The characters that no installed face has (faces with outlines on Linux,
// every face on Windows), each once, in the order given.
std::u32string CharactersNoFaceHas(std::u32string_view characters);

}  // namespace vx
