// The platform's font services, made without naming their classes: glyph outlines, text shaping, the family catalogue, the default face.
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

// The glyph source of this platform: FreeType outlines of the faces that
// fontconfig matches on Linux, the system's own outlines (GDI) on Windows.
// One instance per thread.
std::unique_ptr<GlyphSource> MakeGlyphSource();

// The text shaping of the typographic layout, working with a source that
// MakeGlyphSource made: HarfBuzz and FriBidi on the source's own faces on
// Linux. Null where the system has none (Windows, so far): that system lays
// text out in the host layout only.
std::unique_ptr<TextShaper> MakeTextShaper(GlyphSource& source);

// A family the system draws instead of the one named, and why.
struct FaceSubstitute {
  std::string family;       // empty: the named face is drawn itself
  bool noOutlines = false;  // the face is installed but has no outlines (bitmaps only, such as colour emoji)
};

// The family the system draws instead of face in a character set, for a
// source MakeGlyphSource made: when no installed family answers to that name
// (on Linux fontconfig's substitute that has the characters the source was
// last told of, GlyphSource::ExpectText; on Windows the font mapper's), or,
// on Linux, when the face that answers has no outlines (fontconfig's
// best-ranked face with outlines).
FaceSubstitute SubstituteFamily(GlyphSource& source, const std::string& face, std::uint8_t charset);

// The characters that no installed face the glyph source draws from has
// (faces with outlines on Linux, every face on Windows), each once, in the
// order given.
std::u32string CharactersNoFaceHas(std::u32string_view characters);

// Makes requests to source (one MakeGlyphSource made) for the face name
// `name` land on face `index` of the font file at `path`, installed or not,
// with a bold or italic that face lacks synthesised. Returns why it cannot (the
// file is missing, unreadable or no font, it has no such face; on Windows,
// where the system draws only installed fonts, every file), else empty.
std::string UseFontFile(GlyphSource& source, const std::string& name, const std::string& path, int index);

// Every installed family once (a family several foundries install is one
// entry), sorted without regard to case: fontconfig's list on Linux, the
// system's family enumeration on Windows.
std::vector<std::string> InstalledFamilies();

// The font catalogue of this platform, answered from fontconfig's font list
// on Linux and from the system's family enumeration on Windows.
std::unique_ptr<FontCatalog> MakeFontCatalog();

// The face plain text takes when none is named: fontconfig's default
// sans-serif family on Linux ("DejaVu Sans" on a stock Debian), Arial on
// Windows; empty when the system knows no font at all.
std::string DefaultSansFace();

}  // namespace vx
