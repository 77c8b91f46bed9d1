// Single-line faces: Hershey fonts drawn as open strokes, sized as the layouts size installed faces.
#include "engine/SingleLineFaces.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "engine/Fixed1616.h"
#include "engine/NativeOutlineWriter.h"

namespace vx {
namespace {

std::string LowerAscii(std::string_view name) {
  std::string lower(name);
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return lower;
}

// The mean advance of the glyphs of the ASCII characters that advance at all.
double AverageAdvance(const HersheyFont& font) {
  const std::size_t count = std::min<std::size_t>(font.glyphs.size(), kHersheyLastCharacter - kHersheyFirstCharacter + 1);
  double sum = 0;
  int advancing = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const int width = font.glyphs[i].right - font.glyphs[i].left;
    if (width <= 0) continue;
    sum += width;
    ++advancing;
  }
  return advancing > 0 ? sum / advancing : 1;
}

}  // namespace

void SingleLineFaces::Add(std::string_view name, HersheyFont font) {
  Face face{LowerAscii(name), std::move(font), 1};
  face.averageAdvance = AverageAdvance(face.font);
  const auto same = std::find_if(faces_.begin(), faces_.end(), [&](const Face& f) { return f.key == face.key; });
  if (same != faces_.end()) {
    *same = std::move(face);
  } else {
    faces_.push_back(std::move(face));
  }
}

const SingleLineFaces::Face* SingleLineFaces::Find(std::string_view name) const {
  const std::string key = LowerAscii(name);
  const auto found = std::find_if(faces_.begin(), faces_.end(), [&](const Face& f) { return f.key == key; });
  return found != faces_.end() ? &*found : nullptr;
}

std::optional<SingleLineFaces::Styled> SingleLineFaces::Resolve(const FontRequest& font) const {
  const Face* regular = Find(font.face);
  if (regular == nullptr) return std::nullopt;
  const auto own = [&](std::string_view style) { return Find(font.face + std::string(style)); };
  if (font.bold && font.italic) {
    if (const Face* face = own(" Bold Italic")) return Styled{face, false, true};
  }
  if (font.bold) {
    if (const Face* face = own(" Bold")) return Styled{face, font.italic, true};
  }
  if (font.italic) {
    if (const Face* face = own(" Italic")) return Styled{face, false, false};
  }
  return Styled{regular, font.italic, false};
}

std::optional<SingleLineFaces::Scale> SingleLineFaces::ScaleOf(const Face& face, const FontRequest& font) {
  if (font.height == 0 || std::abs(font.height) > kMaxFontSize || font.width > kMaxFontSize ||
      !(font.horizontalScale > 0))
    return std::nullopt;
  Scale scale;
  scale.y = std::abs(font.height) / static_cast<double>(kHersheyCell);
  scale.x = scale.y;
  if (font.width > 0) scale.x *= font.width / std::max(1.0, std::round(face.averageAdvance * scale.y));
  scale.x *= font.horizontalScale;
  return scale;
}

bool SingleLineFaces::Has(const FontRequest& font, char32_t c) const {
  const std::optional<Styled> styled = Resolve(font);
  return styled && c >= kHersheyFirstCharacter && c <= kHersheyLastCharacter &&
         c - kHersheyFirstCharacter < styled->face->font.glyphs.size();
}

bool SingleLineFaces::LacksBold(const FontRequest& font) const {
  const std::optional<Styled> styled = Resolve(font);
  return font.bold && styled && !styled->bold;
}

std::optional<StrokedGlyph> SingleLineFaces::Draw(const FontRequest& font, std::uint32_t index) const {
  const std::optional<Styled> styled = Resolve(font);
  if (!styled || index >= styled->face->font.glyphs.size()) return std::nullopt;
  const std::optional<Scale> scale = ScaleOf(*styled->face, font);
  if (!scale) return std::nullopt;
  const HersheyGlyph& glyph = styled->face->font.glyphs[index];
  StrokedGlyph out;
  out.advance = (glyph.right - glyph.left) * scale->x;
  if (!(out.advance < kMaxFixedCoordinate)) return std::nullopt;
  out.metrics.gmCellIncX = static_cast<std::int16_t>(std::lround(out.advance));
  // The origin's x stays 0: the host layout adds it to the advance, and a
  // single-line glyph advances by its edges alone.
  double right = 0, top = 0, bottom = 0;
  std::vector<FixedPoint> points;
  for (const std::vector<HersheyPoint>& stroke : glyph.strokes) {
    points.clear();
    for (const HersheyPoint& p : stroke) {
      const double y = (kHersheyBaseline - p.y) * scale->y;
      const double x = (p.x - glyph.left) * scale->x + (styled->shear ? kSyntheticItalicShear * y : 0);
      FixedPoint& fixed = points.emplace_back();
      if (!DoubleToRawFixed(x, fixed.x) || !DoubleToRawFixed(y, fixed.y)) return std::nullopt;
      right = std::max(right, x);
      top = std::max(top, y);
      bottom = std::min(bottom, y);
    }
    if (!AppendOpenStroke(points, out.outline)) return std::nullopt;
  }
  out.metrics.gmptGlyphOrigin.y = static_cast<std::int32_t>(std::ceil(top));
  out.metrics.gmBlackBoxX = static_cast<std::uint32_t>(std::ceil(right));
  out.metrics.gmBlackBoxY = static_cast<std::uint32_t>(std::ceil(top) - std::floor(bottom));
  return out;
}

double SingleLineFaces::Advance(const FontRequest& font, std::uint32_t index) const {
  const std::optional<Styled> styled = Resolve(font);
  if (!styled || index >= styled->face->font.glyphs.size()) return 0;
  const std::optional<Scale> scale = ScaleOf(*styled->face, font);
  if (!scale) return 0;
  const HersheyGlyph& glyph = styled->face->font.glyphs[index];
  return (glyph.right - glyph.left) * scale->x;
}

SingleLineFaces::Extents SingleLineFaces::LineExtents(const FontRequest& font) const {
  const std::optional<Styled> styled = Resolve(font);
  const std::optional<Scale> scale = styled ? ScaleOf(*styled->face, font) : std::nullopt;
  if (!scale) return {};
  return {kHersheyAscent * scale->y, kHersheyDescent * scale->y};
}

}  // namespace vx
