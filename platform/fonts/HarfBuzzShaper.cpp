// HarfBuzzShaper: the typographic layout's text services by FriBidi, HarfBuzz and fontconfig.
#include "platform/fonts/HarfBuzzShaper.h"

#include "platform/fonts/BidiReorder.h"
#include "platform/fonts/FontMatching.h"
#include "platform/fonts/HarfBuzzRuns.h"
#include "platform/fonts/RecentlyUsed.h"

namespace vx {
namespace {

constexpr std::size_t kMaxOpenFaces = 8;
// Families tried for a character before it is left to its own face.
constexpr std::size_t kMaxFallbackCandidates = 4;

// The bytes of a face file for HarfBuzz; none when it cannot be read.
hb_blob_t* ReadFaceFile(const std::string& file) {
  hb_blob_t* blob = hb_blob_create_from_file_or_fail(file.c_str());
  return blob != nullptr ? blob : hb_blob_get_empty();
}

// One face file opened for HarfBuzz.
struct HbFace {
  std::string file;
  int index = 0;
  HarfBuzzFace face;

  HbFace(std::string f, int i) : file(std::move(f)), index(i), face(ReadFaceFile(file), static_cast<unsigned>(i)) {}
};

DesignScale DesignScaleOf(const FaceScale& scale) {
  return {scale.xPerUnit, scale.yPerUnit, scale.syntheticBold, scale.syntheticItalic ? kSyntheticItalicShear : 0};
}

}  // namespace

struct HarfBuzzShaper::Impl {
  FontconfigGlyphSource& source;
  std::vector<std::unique_ptr<HbFace>> faces;  // most recently used first
  HarfBuzzRuns runs;
  FallbackRanking ranking;

  explicit Impl(FontconfigGlyphSource& s) : source(s) {}

  HarfBuzzFace* Open(const std::string& file, int index) {
    HbFace* face = FindRecentlyUsed(faces, [&](const HbFace& f) { return f.index == index && f.file == file; });
    if (face == nullptr) face = AddRecentlyUsed(faces, std::make_unique<HbFace>(file, index), kMaxOpenFaces);
    return face->face.Usable() ? &face->face : nullptr;
  }

  // The face and scale the glyph source draws the font with.
  HarfBuzzFace* FaceFor(const FontRequest& font, FaceScale& scale) {
    std::optional<FaceScale> found = source.Scale(font);
    if (!found) return nullptr;
    scale = *found;
    return Open(scale.file, scale.index);
  }

  bool Shape(const FontRequest& font, std::u32string_view line, std::size_t begin, std::size_t end,
             bool rightToLeft, std::vector<ShapedGlyph>& glyphs) {
    FaceScale scale;
    HarfBuzzFace* face = FaceFor(font, scale);
    if (face == nullptr || !scale.outlines) return false;
    return runs.Shape(*face, DesignScaleOf(scale), line, begin, end, rightToLeft, glyphs);
  }

  bool Covers(const FontRequest& font, char32_t c) {
    if (NeverShows(c)) return true;
    FaceScale scale;
    HarfBuzzFace* face = FaceFor(font, scale);
    return face != nullptr && scale.outlines && face->HasGlyph(c);
  }

  std::string FallbackFace(const FontRequest& font, char32_t c) {
    for (std::string& family : ranking.FamiliesWith(font.face, font.bold, font.italic, c, kMaxFallbackCandidates)) {
      FontRequest candidate = font;
      candidate.face = family;
      if (Covers(candidate, c)) return family;
    }
    return {};
  }

  FaceExtents Extents(const FontRequest& font) {
    FaceScale scale;
    HarfBuzzFace* face = FaceFor(font, scale);
    if (face == nullptr) return {};
    return face->Extents(DesignScaleOf(scale));
  }
};

HarfBuzzShaper::HarfBuzzShaper(FontconfigGlyphSource& source) : impl_(std::make_unique<Impl>(source)) {}
HarfBuzzShaper::~HarfBuzzShaper() = default;

BidiLine HarfBuzzShaper::Reorder(std::u32string_view line, ParagraphDirection direction) {
  return ReorderLine(line, direction);
}

bool HarfBuzzShaper::Shape(const FontRequest& font, std::u32string_view line, std::size_t begin,
                           std::size_t end, bool rightToLeft, std::vector<ShapedGlyph>& glyphs) {
  return impl_->Shape(font, line, begin, end, rightToLeft, glyphs);
}

bool HarfBuzzShaper::Covers(const FontRequest& font, char32_t c) { return impl_->Covers(font, c); }

bool HarfBuzzShaper::JoinsPrevious(char32_t c) { return JoinsPreviousCharacter(c); }

std::string HarfBuzzShaper::FallbackFace(const FontRequest& font, char32_t c) {
  return impl_->FallbackFace(font, c);
}

FaceExtents HarfBuzzShaper::Extents(const FontRequest& font) { return impl_->Extents(font); }

}  // namespace vx
