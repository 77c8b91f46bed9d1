// Outline walk and spline flattening of a hand-made outline, without any font.
#include <benchmark/benchmark.h>

#include "engine/HostQueries.h"
#include "engine/OutlineFlattening.h"
#include "tests/engine/OutlineBuilder.h"

namespace {

using vx::test::OutlineBuilder;

// An "O"-like glyph: two contours of four three-point spline records each,
// plus a line record, in outline units of a 200-unit cell.
std::vector<std::uint8_t> RingOutline() {
  OutlineBuilder b;
  b.Polygon({100, 0})
      .QSpline({{150, 0}, {175, 25}, {180, 70}})
      .QSpline({{185, 120}, {160, 150}, {100, 150}})
      .QSpline({{40, 150}, {15, 120}, {20, 70}})
      .QSpline({{25, 25}, {50, 0}, {95, 0}})
      .Line({{100, 0}});
  b.Polygon({100, 20})
      .QSpline({{70, 20}, {45, 40}, {42, 75}})
      .QSpline({{40, 110}, {60, 130}, {100, 130}})
      .QSpline({{140, 130}, {160, 110}, {158, 75}})
      .QSpline({{155, 40}, {130, 20}, {105, 20}})
      .Line({{100, 20}});
  return b.Build();
}

void BM_FlattenOutline(benchmark::State& state) {
  SetPrecision(static_cast<int>(state.range(0)));
  const auto outline = RingOutline();
  const vx::Placement placement{2.5 / 200, 10.0, -3.0};
  std::int64_t records = 0;
  for (auto _ : state) {
    vx::WalkOutline(outline.data(), outline.size(), placement);
    records += GetTTFCount();
    FreePointList();
  }
  state.SetItemsProcessed(records);  // items: store records appended
  state.counters["records_per_glyph"] = static_cast<double>(records) / state.iterations();
  SetPrecision(8);
}
BENCHMARK(BM_FlattenOutline)->Arg(1)->Arg(8)->Arg(32);

}  // namespace
