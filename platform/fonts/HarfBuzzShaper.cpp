// HarfBuzzShaper: the typographic layout's text services by FriBidi, HarfBuzz and fontconfig.
#include "platform/fonts/HarfBuzzShaper.h"

#include <hb.h>

#include <algorithm>
#include <climits>

#include "platform/fonts/BidiReorder.h"
#include "platform/fonts/FontMatching.h"
#include "platform/fonts/RecentlyUsed.h"

namespace vx {
namespace {

constexpr std::size_t kMaxOpenFaces = 8;
// Families tried for a character before it is left to its own face.
constexpr std::size_t kMaxFallbackCandidates = 4;

// One face file opened for HarfBuzz, shaped in design units.
struct HbFace {
  std::string file;
  int index = 0;
  hb_face_t* face = nullptr;
  hb_font_t* font = nullptr;

  HbFace(std::string f, int i) : file(std::move(f)), index(i) {
    hb_blob_t* blob = hb_blob_create_from_file_or_fail(file.c_str());
    if (blob == nullptr) return;
    face = hb_face_create(blob, static_cast<unsigned>(index));
    hb_blob_destroy(blob);
    font = hb_font_create(face);
    const auto upem = static_cast<int>(hb_face_get_upem(face));
    hb_font_set_scale(font, upem, upem);
  }
  ~HbFace() {
    hb_font_destroy(font);
    hb_face_destroy(face);
  }
  HbFace(const HbFace&) = delete;
  HbFace& operator=(const HbFace&) = delete;

  bool Usable() const { return face != nullptr && hb_face_get_glyph_count(face) > 0; }
};

bool IsRealScript(hb_script_t script) {
  return script != HB_SCRIPT_COMMON && script != HB_SCRIPT_INHERITED && script != HB_SCRIPT_UNKNOWN;
}

// Pieces of line[begin, end) in one script each; characters common to
// scripts (spaces, digits, punctuation) and marks go with the script before
// them, or at the start with the first script after them.
struct ScriptPiece {
  std::size_t begin;
  std::size_t end;
  hb_script_t script;
};

std::vector<ScriptPiece> SplitByScript(std::u32string_view line, std::size_t begin, std::size_t end) {
  hb_unicode_funcs_t* unicode = hb_unicode_funcs_get_default();
  std::vector<ScriptPiece> pieces{{begin, end, HB_SCRIPT_COMMON}};
  for (std::size_t i = begin; i < end; ++i) {
    const hb_script_t script = hb_unicode_script(unicode, line[i]);
    if (!IsRealScript(script)) continue;
    ScriptPiece& current = pieces.back();
    if (!IsRealScript(current.script)) {
      current.script = script;
    } else if (script != current.script) {
      current.end = i;
      pieces.push_back({i, end, script});
    }
  }
  return pieces;
}

}  // namespace

struct HarfBuzzShaper::Impl {
  FontconfigGlyphSource& source;
  std::vector<std::unique_ptr<HbFace>> faces;  // most recently used first
  hb_buffer_t* buffer = hb_buffer_create();
  FallbackRanking ranking;
  std::vector<ShapedGlyph> piece;

  explicit Impl(FontconfigGlyphSource& s) : source(s) {}
  ~Impl() { hb_buffer_destroy(buffer); }

  HbFace* Open(const std::string& file, int index) {
    HbFace* face = FindRecentlyUsed(faces, [&](const HbFace& f) { return f.index == index && f.file == file; });
    if (face == nullptr) face = AddRecentlyUsed(faces, std::make_unique<HbFace>(file, index), kMaxOpenFaces);
    return face->Usable() ? face : nullptr;
  }

  // The face and scale the glyph source draws the font with.
  HbFace* FaceFor(const FontRequest& font, FaceScale& scale) {
    std::optional<FaceScale> found = source.Scale(font);
    if (!found) return nullptr;
    scale = *found;
    return Open(scale.file, scale.index);
  }

  // Shapes one piece in one script and appends its glyphs to `piece`, left to right.
  void ShapePiece(HbFace& face, const FaceScale& scale, std::u32string_view line, const ScriptPiece& p,
                  bool rightToLeft) {
    hb_buffer_clear_contents(buffer);
    static_assert(sizeof(char32_t) == sizeof(std::uint32_t));
    hb_buffer_add_utf32(buffer, reinterpret_cast<const std::uint32_t*>(line.data()), static_cast<int>(line.size()),
                        static_cast<unsigned>(p.begin), static_cast<int>(p.end - p.begin));
    hb_buffer_set_direction(buffer, rightToLeft ? HB_DIRECTION_RTL : HB_DIRECTION_LTR);
    if (IsRealScript(p.script)) hb_buffer_set_script(buffer, p.script);
    hb_buffer_guess_segment_properties(buffer);  // the language, as the shaping tools guess it
    hb_shape(face.font, buffer, nullptr, 0);

    unsigned count = 0;
    const hb_glyph_info_t* info = hb_buffer_get_glyph_infos(buffer, &count);
    const hb_glyph_position_t* position = hb_buffer_get_glyph_positions(buffer, nullptr);
    for (unsigned k = 0; k < count; ++k) {
      ShapedGlyph g;
      g.glyph = info[k].codepoint;
      g.cluster = info[k].cluster;
      g.advance = position[k].x_advance * scale.xPerUnit;
      if (scale.syntheticBold && position[k].x_advance != 0) g.advance += 1.0;
      g.offsetY = position[k].y_offset * scale.yPerUnit;
      g.offsetX = position[k].x_offset * scale.xPerUnit;
      if (scale.syntheticItalic) g.offsetX += kSyntheticItalicShear * g.offsetY;
      piece.push_back(g);
    }
  }

  bool Shape(const FontRequest& font, std::u32string_view line, std::size_t begin, std::size_t end,
             bool rightToLeft, std::vector<ShapedGlyph>& glyphs) {
    if (begin >= end || end > line.size() || line.size() > static_cast<std::size_t>(INT_MAX)) return false;
    FaceScale scale;
    HbFace* face = FaceFor(font, scale);
    if (face == nullptr || !scale.outlines) return false;
    std::vector<ScriptPiece> pieces = SplitByScript(line, begin, end);
    // Right to left, a later piece stands further left.
    if (rightToLeft) std::reverse(pieces.begin(), pieces.end());
    for (const ScriptPiece& p : pieces) {
      piece.clear();
      ShapePiece(*face, scale, line, p, rightToLeft);
      glyphs.insert(glyphs.end(), piece.begin(), piece.end());
    }
    return true;
  }

  bool Covers(const FontRequest& font, char32_t c) {
    // Format characters (joiners, direction marks) never show: any face has them.
    if (hb_unicode_general_category(hb_unicode_funcs_get_default(), c) == HB_UNICODE_GENERAL_CATEGORY_FORMAT)
      return true;
    FaceScale scale;
    HbFace* face = FaceFor(font, scale);
    hb_codepoint_t glyph = 0;
    return face != nullptr && scale.outlines && hb_font_get_nominal_glyph(face->font, c, &glyph) && glyph != 0;
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
    HbFace* face = FaceFor(font, scale);
    if (face == nullptr) return {};
    hb_font_extents_t e{};
    hb_font_get_h_extents(face->font, &e);
    return {e.ascender * scale.yPerUnit, -e.descender * scale.yPerUnit, e.line_gap * scale.yPerUnit};
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

bool HarfBuzzShaper::JoinsPrevious(char32_t c) {
  switch (hb_unicode_general_category(hb_unicode_funcs_get_default(), c)) {
    case HB_UNICODE_GENERAL_CATEGORY_NON_SPACING_MARK:
    case HB_UNICODE_GENERAL_CATEGORY_SPACING_MARK:
    case HB_UNICODE_GENERAL_CATEGORY_ENCLOSING_MARK:
    case HB_UNICODE_GENERAL_CATEGORY_FORMAT:
      return true;
    default:
      return false;
  }
}

std::string HarfBuzzShaper::FallbackFace(const FontRequest& font, char32_t c) {
  return impl_->FallbackFace(font, c);
}

FaceExtents HarfBuzzShaper::Extents(const FontRequest& font) { return impl_->Extents(font); }

}  // namespace vx
