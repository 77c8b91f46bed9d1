// The glyph source's cost per glyph on DejaVu Sans at height 200 (warm and cold), and the font catalogue's per family.
#include <benchmark/benchmark.h>

#include <string>

#include "engine/GlyphConversion.h"
#include "engine/HostQueries.h"
#include "engine/OutlineFlattening.h"
#include "platform/fonts/FontconfigCatalog.h"
#include "platform/fonts/FontconfigGlyphSource.h"
#include "tests/support/LoremText.h"

namespace {

const std::u16string kLetters = u"Loremipsudlta,cngbqxvhfALODUEQ.";

// The standard text's characters (ASCII), line breaks left out.
std::u16string LoremCharacters() {
  std::u16string text;
  for (const char c : vx::test::LoremText()) {
    if (c != '\n') text.push_back(static_cast<unsigned char>(c));
  }
  return text;
}

// The platform stage alone: one outline query per glyph, face and size cached.
void BM_QueryGlyphWarm(benchmark::State& state) {
  vx::FontconfigGlyphSource source;
  const vx::FontRequest font{"DejaVu Sans", 200, 160, false, false};
  vx::GlyphMetrics metrics;
  std::vector<std::uint8_t> outline;
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(source.QueryGlyph(font, kLetters[i], metrics, outline));
    if (++i == kLetters.size()) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_QueryGlyphWarm);

// ConvertGlyph (query, walk, flattening at precision 8) with a warm source.
void BM_ConvertGlyphWarm(benchmark::State& state) {
  SetPrecision(8);
  vx::FontconfigGlyphSource source;
  vx::GlyphMetrics metrics;
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(vx::ConvertGlyph(source, kLetters[i], "DejaVu Sans", 200, 160, false,
                                              false, 2.5 / 200, 0.0, 0.0, metrics));
    if (++i == kLetters.size()) {
      i = 0;
      FreePointList();
    }
  }
  FreePointList();
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ConvertGlyphWarm);

// ConvertGlyph with a new source each time: FreeType set up, the name
// resolved through fontconfig and the face opened for a single glyph.
void BM_ConvertGlyphCold(benchmark::State& state) {
  SetPrecision(8);
  vx::GlyphMetrics metrics;
  for (auto _ : state) {
    vx::FontconfigGlyphSource source;
    benchmark::DoNotOptimize(vx::ConvertGlyph(source, u'g', "DejaVu Sans", 200, 160, false, false,
                                              2.5 / 200, 0.0, 0.0, metrics));
    FreePointList();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ConvertGlyphCold)->Unit(benchmark::kMicrosecond);

// The 20,000 characters of the standard text through ConvertGlyph, one
// source for the whole text, as a conversion run makes them.
void BM_ConvertLoremCharacters(benchmark::State& state) {
  SetPrecision(8);
  const std::u16string text = LoremCharacters();
  vx::FontconfigGlyphSource source;
  vx::GlyphMetrics metrics;
  for (auto _ : state) {
    FreePointList();
    for (const char16_t c : text) {
      benchmark::DoNotOptimize(vx::ConvertGlyph(source, c, "DejaVu Sans", 200, 160, false, false,
                                                2.5 / 200, 0.0, 0.0, metrics));
    }
  }
  state.counters["records"] = GetTTFCount();
  FreePointList();
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ConvertLoremCharacters)->Unit(benchmark::kMillisecond);

// Both catalogue questions for every family of a list, with a new catalogue
// each time (the dialog builds its lists once): the installed families, and
// 2,000 names that are not installed.
void CatalogueOver(benchmark::State& state, const std::vector<std::string>& families) {
  for (auto _ : state) {
    vx::FontconfigCatalog catalog;
    int symbol = 0;
    for (const std::string& family : families) {
      if (catalog.IsTrueTypeFamily(family) && catalog.HasSymbolCharset(family)) ++symbol;
    }
    benchmark::DoNotOptimize(symbol);
  }
  state.counters["families"] = static_cast<double>(families.size());
}

void BM_CatalogueInstalledFamilies(benchmark::State& state) {
  CatalogueOver(state, {"DejaVu Sans", "DejaVu Sans Mono", "DejaVu Serif", "DejaVu Math TeX Gyre",
                        "Liberation Mono", "Liberation Sans", "Liberation Serif", "OpenSymbol"});
}
BENCHMARK(BM_CatalogueInstalledFamilies)->Unit(benchmark::kMillisecond);

void BM_CatalogueUnknownFamilies(benchmark::State& state) {
  std::vector<std::string> families;
  for (int i = 0; i < 2000; ++i) families.push_back("Family " + std::to_string(i));
  CatalogueOver(state, families);
}
BENCHMARK(BM_CatalogueUnknownFamilies)->Unit(benchmark::kMillisecond);

}  // namespace
