// ConvertGlyph per glyph and both layouts of the standard text, on DejaVu Sans.
#include <benchmark/benchmark.h>

#include "bench/engine/LoremText.h"
#include "engine/GlyphConversion.h"
#include "engine/HostQueries.h"
#include "engine/OutlineFlattening.h"
#include "engine/TextLayout.h"
#include "engine/TypographicLayout.h"
#include "platform/fonts/FontconfigGlyphSource.h"
#include "platform/fonts/HarfBuzzShaper.h"

namespace {

// Letters of the standard text, converted one after another as the layout
// does, into a store cleared now and then so that it stays small.
void BM_ConvertGlyph(benchmark::State& state) {
  SetPrecision(8);
  vx::FontconfigGlyphSource source;
  const std::u16string letters = u"Loremipsudlta,cngbqxvhfALODUEQ.";
  std::size_t i = 0;
  vx::GlyphMetrics metrics;
  for (auto _ : state) {
    const bool converted = vx::ConvertGlyph(source, letters[i], "DejaVu Sans", 200, 160, false, false,
                                            2.5 / 200, 0.0, 0.0, metrics);
    benchmark::DoNotOptimize(converted);
    if (++i == letters.size()) {
      i = 0;
      FreePointList();
    }
  }
  FreePointList();
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ConvertGlyph);

// The whole standard text: 20,000 characters, DejaVu Sans, height 2.5,
// width factor 0.8, precision 8. The font source is made once, as the dialog
// keeps it between runs.
void BM_LayoutLorem(benchmark::State& state) {
  SetPrecision(8);
  const std::u16string text = vx::bench::LoremText();
  const auto styles = vx::bench::LoremStyles(text.size());
  vx::FontconfigGlyphSource source;
  int records = 0;
  for (auto _ : state) {
    FreePointList();
    vx::LayoutText(source, text, styles, vx::bench::LoremSettings());
    records = GetTTFCount();
  }
  FreePointList();
  state.counters["characters"] = static_cast<double>(text.size());
  state.counters["records"] = records;
  state.counters["store_MB"] = records * 32.0 / 1e6;
}
BENCHMARK(BM_LayoutLorem)->Unit(benchmark::kMillisecond);

// The same text through the typographic layout (shaping, bidirectional
// order, fallback checks, glyphs by index). Target: within 1.5x of the host
// layout above.
void BM_LayoutLoremTypographic(benchmark::State& state) {
  SetPrecision(8);
  const std::u16string text = vx::bench::LoremText();
  const auto styles = vx::bench::LoremStyles(text.size());
  vx::FontconfigGlyphSource source;
  vx::HarfBuzzShaper shaper(source);
  int records = 0;
  for (auto _ : state) {
    FreePointList();
    vx::LayoutTypographic(source, shaper, text, styles, vx::bench::LoremSettings());
    records = GetTTFCount();
  }
  FreePointList();
  state.counters["characters"] = static_cast<double>(text.size());
  state.counters["records"] = records;
}
BENCHMARK(BM_LayoutLoremTypographic)->Unit(benchmark::kMillisecond);

}  // namespace
