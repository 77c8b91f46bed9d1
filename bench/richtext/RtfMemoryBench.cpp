// Peak heap of reading deeply nested RTF (target: a small multiple of the document it keeps,
// whatever the depth; before groups shared their saved state, every level cost its own copy).
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <cstdlib>
#include <new>
#include <string>

#include "richtext/RtfReader.h"

namespace {

// Heap in use and its peak, counted by the replaced global allocation functions.
std::size_t gHeapInUse = 0;
std::size_t gHeapPeak = 0;

void* AllocateCounted(std::size_t size) {
  void* p = std::malloc(size == 0 ? 1 : size);
  if (p == nullptr) throw std::bad_alloc();
  gHeapInUse += malloc_usable_size(p);
  gHeapPeak = std::max(gHeapPeak, gHeapInUse);
  return p;
}

void FreeCounted(void* p) {
  if (p == nullptr) return;
  gHeapInUse -= malloc_usable_size(p);
  std::free(p);
}

}  // namespace

void* operator new(std::size_t size) { return AllocateCounted(size); }
void operator delete(void* p) noexcept { FreeCounted(p); }
void operator delete(void* p, std::size_t) noexcept { FreeCounted(p); }

namespace {

constexpr std::size_t kLevels = 1 << 21;  // two million groups, one inside the other
const std::string kHeader = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 ";

std::string Repeat(const std::string& piece, std::size_t times) {
  std::string out;
  out.reserve(piece.size() * times);
  for (std::size_t i = 0; i < times; ++i) out += piece;
  return out;
}

// Every level opens a group and adds one character in the same format.
std::string NestedText() { return kHeader + Repeat("{a", kLevels) + std::string(kLevels + 1, '}'); }

// Every level switches bold, so that each level has a state of its own.
std::string NestedAlternatingBold() {
  return kHeader + Repeat("{\\b a{\\b0 b", kLevels / 2) + std::string(kLevels + 1, '}');
}

// The nesting inside a destination the reader skips; nothing is kept.
std::string NestedInSkippedGroup() {
  return kHeader + "x{\\*\\generator " + Repeat("{\\b y", kLevels) + std::string(kLevels + 2, '}');
}

std::size_t KeptBytes(const vx::StyledText& text) {
  std::size_t bytes = 0;
  for (const vx::StyledLine& line : text.lines) {
    for (const vx::StyledRun& run : line.runs) bytes += sizeof run + run.text.capacity() * sizeof(char16_t);
  }
  return bytes;
}

void ReadAndMeasure(benchmark::State& state, const std::string& rtf) {
  std::size_t peak = 0;
  std::size_t kept = 0;
  for (auto _ : state) {
    const std::size_t before = gHeapInUse;
    gHeapPeak = before;
    vx::LoadResult result = vx::ReadRtf(rtf);
    peak = gHeapPeak - before;
    kept = KeptBytes(result.text);
    benchmark::DoNotOptimize(result);
  }
  state.counters["input_bytes"] = static_cast<double>(rtf.size());
  state.counters["kept_bytes"] = static_cast<double>(kept);
  state.counters["peak_heap_bytes"] = static_cast<double>(peak);
  state.counters["peak_per_input_byte"] = static_cast<double>(peak) / static_cast<double>(rtf.size());
}

void BM_NestedText(benchmark::State& state) { ReadAndMeasure(state, NestedText()); }
BENCHMARK(BM_NestedText)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_NestedAlternatingBold(benchmark::State& state) { ReadAndMeasure(state, NestedAlternatingBold()); }
BENCHMARK(BM_NestedAlternatingBold)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_NestedInSkippedGroup(benchmark::State& state) { ReadAndMeasure(state, NestedInSkippedGroup()); }
BENCHMARK(BM_NestedInSkippedGroup)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
