// HarfBuzzRuns: HarfBuzz shaping of runs on a face's own bytes at a glyph source's scale, for every system's shaper.
#include "platform/fonts/HarfBuzzRuns.h"

#include <algorithm>
#include <climits>

namespace vx {
namespace {

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

// Shapes one piece in one script and appends its glyphs, left to right.
void ShapePiece(hb_buffer_t* buffer, const HarfBuzzFace& face, const DesignScale& scale, std::u32string_view line,
                const ScriptPiece& p, bool rightToLeft, std::vector<ShapedGlyph>& glyphs) {
  hb_buffer_clear_contents(buffer);
  static_assert(sizeof(char32_t) == sizeof(std::uint32_t));
  hb_buffer_add_utf32(buffer, reinterpret_cast<const std::uint32_t*>(line.data()), static_cast<int>(line.size()),
                      static_cast<unsigned>(p.begin), static_cast<int>(p.end - p.begin));
  hb_buffer_set_direction(buffer, rightToLeft ? HB_DIRECTION_RTL : HB_DIRECTION_LTR);
  if (IsRealScript(p.script)) hb_buffer_set_script(buffer, p.script);
  hb_buffer_guess_segment_properties(buffer);  // the language, as the shaping tools guess it
  hb_shape(face.Font(), buffer, nullptr, 0);

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
    if (scale.italicShear != 0) g.offsetX += scale.italicShear * g.offsetY;
    glyphs.push_back(g);
  }
}

}  // namespace

HarfBuzzFace::HarfBuzzFace(hb_blob_t* blob, unsigned index) {
  face_ = hb_face_create(blob, index);
  hb_blob_destroy(blob);
  font_ = hb_font_create(face_);
  const auto upem = static_cast<int>(hb_face_get_upem(face_));
  hb_font_set_scale(font_, upem, upem);
}

HarfBuzzFace::~HarfBuzzFace() {
  hb_font_destroy(font_);
  hb_face_destroy(face_);
}

bool HarfBuzzFace::Usable() const { return hb_face_get_glyph_count(face_) > 0; }

bool HarfBuzzFace::HasGlyph(char32_t c) const {
  hb_codepoint_t glyph = 0;
  return hb_font_get_nominal_glyph(font_, c, &glyph) && glyph != 0;
}

FaceExtents HarfBuzzFace::Extents(const DesignScale& scale) const {
  hb_font_extents_t e{};
  hb_font_get_h_extents(font_, &e);
  return {e.ascender * scale.yPerUnit, -e.descender * scale.yPerUnit, e.line_gap * scale.yPerUnit};
}

HarfBuzzRuns::HarfBuzzRuns() : buffer_(hb_buffer_create()) {}
HarfBuzzRuns::~HarfBuzzRuns() { hb_buffer_destroy(buffer_); }

bool HarfBuzzRuns::Shape(const HarfBuzzFace& face, const DesignScale& scale, std::u32string_view line,
                         std::size_t begin, std::size_t end, bool rightToLeft, std::vector<ShapedGlyph>& glyphs) {
  if (begin >= end || end > line.size() || line.size() > static_cast<std::size_t>(INT_MAX)) return false;
  std::vector<ScriptPiece> pieces = SplitByScript(line, begin, end);
  // Right to left, a later piece stands further left.
  if (rightToLeft) std::reverse(pieces.begin(), pieces.end());
  for (const ScriptPiece& p : pieces) ShapePiece(buffer_, face, scale, line, p, rightToLeft, glyphs);
  return true;
}

bool NeverShows(char32_t c) {
  return hb_unicode_general_category(hb_unicode_funcs_get_default(), c) == HB_UNICODE_GENERAL_CATEGORY_FORMAT;
}

bool JoinsPreviousCharacter(char32_t c) {
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

}  // namespace vx
