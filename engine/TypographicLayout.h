// The typographic layout: shaped, reordered lines with fallback faces, drawn into the store.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "engine/GlyphSource.h"
#include "engine/TextLayout.h"
#include "engine/TextShaper.h"
#include "engine/Typesetter.h"

namespace vx {

// Appends the whole text to gPointList as LayoutText does (same input, the
// source told what the text draws, same records, one glyph after another in
// text order within each line), but with each line set by a Typesetter:
// glyphs by index at the shaper's positions. The first baseline lies on y = 0; each further baseline lies below the one
// before by the line spacing times the sum of the line before's descent and
// line gap and this line's ascent (the largest of the faces each line uses;
// an empty line takes its line break's font). placed, when given, is told of
// every glyph whose points were appended, as LayoutText tells it. paragraphs
// holds the style of each line of text (the paragraph it belongs to): its
// direction, and its alignment where the settings defer to the document;
// lines beyond it are paragraphs of the first strong character's direction.
// With a measure, each paragraph is broken into lines of at most the measure
// at the settings' break opportunities, a word longer than it between
// characters. Returns the fallback faces used.
std::vector<FallbackUse> LayoutTypographic(GlyphSource& source, TextShaper& shaper, std::u16string_view text,
                                           std::span<const CharStyle> styles, const LayoutSettings& settings,
                                           const GlyphPlaced& placed = {},
                                           std::span<const ParagraphStyle> paragraphs = {});

}  // namespace vx
