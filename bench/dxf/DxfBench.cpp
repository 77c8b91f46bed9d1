// DXF of the standard text: building its text, and writing the file.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "bench/engine/LoremText.h"
#include "dxf/DxfWriter.h"
#include "engine/HostQueries.h"
#include "engine/OutlineFlattening.h"
#include "platform/fonts/FontconfigGlyphSource.h"

namespace {

// Fills the store with the standard text (DejaVu Sans, 2.5, 0.8, precision 8).
void LayLorem() {
  SetPrecision(8);
  const std::u16string text = vx::bench::LoremText();
  vx::FontconfigGlyphSource source;
  FreePointList();
  vx::LayoutText(source, text, vx::bench::LoremStyles(text.size()), vx::bench::LoremSettings());
}

void BM_DxfTextLorem(benchmark::State& state) {
  LayLorem();
  std::size_t bytes = 0;
  for (auto _ : state) {
    const std::string text = vx::DxfText();
    bytes = text.size();
  }
  state.counters["records"] = GetTTFCount();
  state.counters["dxf_MB"] = bytes / 1e6;
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes * state.iterations()));
  FreePointList();
}
BENCHMARK(BM_DxfTextLorem)->Unit(benchmark::kMillisecond);

// Saves the store into a scratch file once per iteration, before each save
// calling before (which may lay the text out again); a failed save ends the
// run with the system's reason.
template <typename Before>
void SaveEachIteration(benchmark::State& state, Before before) {
  const std::string path = "/tmp/vexoglyph-bench-dxf-" + std::to_string(::getpid()) + ".dxf";
  for (auto _ : state) {
    before();
    std::string error;
    if (!vx::WriteDxf(path, error)) {
      state.SkipWithError(error.c_str());
      break;
    }
  }
  std::remove(path.c_str());
  FreePointList();
}

// The whole save: text, temporary file, flush to disk, rename.
void BM_WriteDxfLorem(benchmark::State& state) {
  LayLorem();
  SaveEachIteration(state, [] {});
}
BENCHMARK(BM_WriteDxfLorem)->Unit(benchmark::kMillisecond);

// Layout and save together, from an empty store to a written file.
void BM_LayoutAndWriteDxfLorem(benchmark::State& state) { SaveEachIteration(state, LayLorem); }
BENCHMARK(BM_LayoutAndWriteDxfLorem)->Unit(benchmark::kMillisecond);

}  // namespace
