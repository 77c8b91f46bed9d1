// Typesetter: one line of styled text shaped, ordered and placed glyph by glyph.
#include "engine/Typesetter.h"

#include <algorithm>
#include <numeric>

#include "base/CodePoints.h"

namespace vx {
namespace {

// Fallback faces remembered per style and character before the memory starts over.
constexpr std::size_t kMaxRememberedFallbacks = 4096;

// The shaper's answer when it fits the line; otherwise the line left to
// right at level 0, so that a faulty answer can never index out of range.
BidiLine CheckedBidi(BidiLine bidi, std::size_t length) {
  bool valid = bidi.levels.size() == length && bidi.visualOrder.size() == length;
  if (valid) {
    std::vector<bool> seen(length, false);
    for (const std::size_t logical : bidi.visualOrder) {
      if (logical >= length || seen[logical]) {
        valid = false;
        break;
      }
      seen[logical] = true;
    }
  }
  if (valid) return bidi;
  BidiLine plain;
  plain.levels.assign(length, 0);
  plain.visualOrder.resize(length);
  std::iota(plain.visualOrder.begin(), plain.visualOrder.end(), std::size_t{0});
  return plain;
}

bool IsWidenedSpace(char32_t c) { return c == U' ' || c == 0xA0 || c == 0x3000; }

FaceExtents Largest(const FaceExtents& a, const FaceExtents& b) {
  return {std::max(a.ascent, b.ascent), std::max(a.descent, b.descent), std::max(a.lineGap, b.lineGap)};
}

}  // namespace

Typesetter::Typesetter(TextShaper& shaper, const LayoutSettings& settings)
    : shaper_(shaper), settings_(settings) {}

// A character whose font cannot be made advances by half its em (an en)
// times the width factor.
Typesetter::CharFont Typesetter::FontFor(const CharStyle& style) const {
  EmFont em = EmFontFor(style, settings_);
  const double emSize = -em.request.height * em.scale;  // the em in drawing units
  const double en = emSize / 2.0 * em.request.horizontalScale;
  const double letterSpacing = (style.letterSpacing + settings_.letterSpacing) * emSize;
  return CharFont{std::move(em.request), em.scale, en, letterSpacing};
}

std::size_t Typesetter::FontIndex(const CharFont& font) {
  const auto found = std::find(fonts_.begin(), fonts_.end(), font);
  if (found != fonts_.end()) return static_cast<std::size_t>(found - fonts_.begin());
  fonts_.push_back(font);
  return fonts_.size() - 1;
}

// Code points of the line, each with the font of its first code unit's style.
void Typesetter::Decode(std::u16string_view line, std::span<const CharStyle> styles) {
  line = line.substr(0, std::min(line.size(), styles.size()));
  const CharStyle* previous = nullptr;
  std::size_t font = 0;
  for (std::size_t i = 0; i < line.size();) {
    const CharStyle& style = styles[i];
    if (previous == nullptr || !(style == *previous)) font = FontIndex(FontFor(style));
    previous = &style;
    text_.push_back(NextCodePoint(line, i));
    ownFont_.push_back(font);
  }
  charFont_ = ownFont_;
}

std::string Typesetter::FallbackFor(const FontRequest& font, char32_t c) {
  std::string key = font.face;
  key += '\0';
  key += font.bold ? 'b' : '-';
  key += font.italic ? 'i' : '-';
  key.append(reinterpret_cast<const char*>(&c), sizeof c);
  if (const auto found = fallbackFaces_.find(key); found != fallbackFaces_.end()) return found->second;
  std::string face = shaper_.FallbackFace(font, c);
  if (fallbackFaces_.size() >= kMaxRememberedFallbacks) fallbackFaces_.clear();
  fallbackFaces_.emplace(std::move(key), face);
  return face;
}

// A character its face lacks comes from the fallback face; a character that
// belongs to the one before it (a mark, a joiner) comes from that one's face.
void Typesetter::ChooseFaces() {
  for (std::size_t i = 0; i < text_.size(); ++i) {
    const char32_t c = text_[i];
    CharFont font = fonts_[charFont_[i]];
    if (i > 0 && shaper_.JoinsPrevious(c)) {
      font.request.face = fonts_[charFont_[i - 1]].request.face;
    } else if (!shaper_.Covers(font.request, c)) {
      std::string fallback = FallbackFor(font.request, c);
      if (fallback.empty()) continue;  // no face has it: the face's own missing-glyph mark
      font.request.face = std::move(fallback);
    }
    charFont_[i] = FontIndex(font);
  }
}

void Typesetter::NoteFallbacks() {
  for (std::size_t i = 0; i < text_.size(); ++i) {
    const std::string& face = fonts_[charFont_[i]].request.face;
    if (face != fonts_[ownFont_[i]].request.face) NoteFallback(face, text_[i]);
  }
}

void Typesetter::NoteFallback(const std::string& face, char32_t c) {
  auto use = std::find_if(fallbacks_.begin(), fallbacks_.end(),
                          [&](const FallbackUse& u) { return u.face == face; });
  if (use == fallbacks_.end()) use = fallbacks_.insert(fallbacks_.end(), FallbackUse{face, {}});
  const auto place = static_cast<std::uint64_t>(use - fallbacks_.begin());
  if (fallbackSeen_.insert(place << 32 | c).second) use->characters.push_back(c);
}

// Runs of one direction and one font, in logical order.
void Typesetter::SplitRuns(const BidiLine& bidi) {
  for (std::size_t i = 0; i < text_.size(); ++i) {
    if (i == 0 || bidi.levels[i] != bidi.levels[i - 1] || charFont_[i] != charFont_[i - 1]) {
      Run run;
      run.begin = i;
      run.rightToLeft = bidi.levels[i] % 2 == 1;
      run.font = charFont_[i];
      runs_.push_back(run);
    }
    runs_.back().end = i + 1;
  }
}

void Typesetter::ShapeRuns() {
  for (Run& run : runs_) {
    run.firstGlyph = shaped_.size();
    run.shaped = shaper_.Shape(fonts_[run.font].request, text_, run.begin, run.end, run.rightToLeft, shaped_);
    if (!run.shaped) shaped_.resize(run.firstGlyph);
    run.glyphCount = shaped_.size() - run.firstGlyph;
  }
}

// Runs go left to right as the reordered line shows them; glyphs go out in
// text order.
void Typesetter::PlaceRuns(const BidiLine& bidi, double spaceStretch, TypesetLine& out) {
  std::vector<std::size_t> visualPlace(text_.size());
  for (std::size_t v = 0; v < bidi.visualOrder.size(); ++v) visualPlace[bidi.visualOrder[v]] = v;
  std::vector<std::size_t> leftToRight(runs_.size());
  std::vector<std::size_t> leftmost(runs_.size());
  for (std::size_t r = 0; r < runs_.size(); ++r) {
    leftToRight[r] = r;
    leftmost[r] = *std::min_element(visualPlace.begin() + static_cast<std::ptrdiff_t>(runs_[r].begin),
                                    visualPlace.begin() + static_cast<std::ptrdiff_t>(runs_[r].end));
  }
  std::sort(leftToRight.begin(), leftToRight.end(),
            [&](std::size_t a, std::size_t b) { return leftmost[a] < leftmost[b]; });

  std::vector<double> x(shaped_.size()), y(shaped_.size());
  charAdvances_.assign(text_.size(), 0.0);
  double pen = 0;
  for (const std::size_t r : leftToRight) {
    const Run& run = runs_[r];
    const CharFont& font = fonts_[run.font];
    if (!run.shaped) {
      for (std::size_t c = run.begin; c < run.end; ++c) charAdvances_[c] = font.failedAdvance + font.letterSpacing;
      pen += static_cast<double>(run.end - run.begin) * (font.failedAdvance + font.letterSpacing);
    }
    const std::size_t endGlyph = run.firstGlyph + run.glyphCount;
    for (std::size_t k = run.firstGlyph; k < endGlyph; ++k) {
      x[k] = pen + shaped_[k].offsetX * font.scale;
      y[k] = shaped_[k].offsetY * font.scale;
      const std::size_t cluster = std::clamp(shaped_[k].cluster, run.begin, run.end - 1);
      double advance = shaped_[k].advance * font.scale;
      // A cluster's last glyph (left to right) carries its spacing.
      if (k + 1 == endGlyph || shaped_[k + 1].cluster != shaped_[k].cluster) {
        advance += font.letterSpacing;
        if (IsWidenedSpace(text_[cluster])) advance += spaceStretch;
      }
      charAdvances_[cluster] += advance;
      pen += advance;
    }
  }
  out.advance = pen;

  std::vector<bool> measured(fonts_.size(), false);
  for (const Run& run : runs_) {
    const CharFont& font = fonts_[run.font];
    for (std::size_t j = 0; j < run.glyphCount; ++j) {
      const std::size_t k = run.rightToLeft ? run.firstGlyph + run.glyphCount - 1 - j : run.firstGlyph + j;
      const std::size_t cluster = std::clamp(shaped_[k].cluster, run.begin, run.end - 1);
      // A blank that no face has a glyph for keeps its advance but draws no
      // missing-glyph box.
      if (shaped_[k].glyph == 0 && IsBlank(text_[cluster])) continue;
      out.glyphs.push_back(PlacedGlyph{font.request, shaped_[k].glyph, font.scale, x[k], y[k], cluster});
    }
    if (!measured[run.font]) out.extents = Largest(out.extents, ScaledExtents(font));
    measured[run.font] = true;
  }
}

FaceExtents Typesetter::ScaledExtents(const CharFont& font) {
  const FaceExtents e = shaper_.Extents(font.request);
  return {e.ascent * font.scale, e.descent * font.scale, e.lineGap * font.scale};
}

// Each code point's advance on its first code unit; the spaces among them.
void Typesetter::MeasureUnits(std::u16string_view line, TypesetLine& out) const {
  out.unitAdvances.assign(line.size(), 0.0);
  std::size_t c = 0;
  for (std::size_t i = 0; i < line.size() && c < charAdvances_.size(); ++c) {
    out.unitAdvances[i] = charAdvances_[c];
    out.spaces += IsWidenedSpace(NextCodePoint(line, i)) ? 1 : 0;
  }
}

TypesetLine Typesetter::SetLine(std::u16string_view line, std::span<const CharStyle> styles,
                                ParagraphDirection direction, double spaceStretch) {
  text_.clear();
  ownFont_.clear();
  fonts_.clear();
  runs_.clear();
  shaped_.clear();
  TypesetLine out;
  Decode(line, styles);
  if (text_.empty()) return out;
  const BidiLine bidi = CheckedBidi(shaper_.Reorder(text_, direction), text_.size());
  ChooseFaces();
  NoteFallbacks();
  SplitRuns(bidi);
  ShapeRuns();
  PlaceRuns(bidi, spaceStretch, out);
  MeasureUnits(line.substr(0, std::min(line.size(), styles.size())), out);
  return out;
}

FaceExtents Typesetter::EmptyLineExtents(const CharStyle& style) { return ScaledExtents(FontFor(style)); }

}  // namespace vx
