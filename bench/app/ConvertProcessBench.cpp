// The vexoglyph convert process from start to exit: wall time, and peak memory against the drawing's size.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/support/LoremText.h"

extern char** environ;

namespace {

const std::string kOutput = "/tmp/vexoglyph-bench-app-" + std::to_string(::getpid()) + ".dxf";

// The standard text as the file the runs read, there while the benchmarks run.
struct LoremFile {
  const std::string path = "/tmp/vexoglyph-bench-app-" + std::to_string(::getpid()) + ".txt";
  LoremFile() { std::ofstream(path, std::ios::binary) << vx::test::LoremText(); }
  ~LoremFile() { std::remove(path.c_str()); }
};
const LoremFile kLorem;

struct ChildRun {
  double seconds = 0;
  long peakRssKiB = 0;
};

ChildRun RunChild(const std::vector<std::string>& args) {
  std::vector<std::string> argv{VEXOGLYPH_EXE};
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<char*> cargv;
  for (std::string& a : argv) cargv.push_back(a.data());
  cargv.push_back(nullptr);

  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  if (::posix_spawn(&pid, cargv[0], nullptr, nullptr, cargv.data(), environ) != 0) return {};
  int status = 0;
  rusage usage{};
  ::wait4(pid, &status, 0, &usage);
  const auto end = std::chrono::steady_clock::now();
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return {};
  return {std::chrono::duration<double>(end - start).count(), usage.ru_maxrss};
}

// Records a store holding the whole DXF would have: every vertex is a
// pkPoint record and every POLYLINE ends with one closing record. The
// command line writes glyph by glyph and never holds them all.
long StoreRecords(const std::string& dxfPath) {
  std::ifstream in(dxfPath, std::ios::binary);
  long records = 0;
  for (std::string line; std::getline(in, line);)
    if (line == "VERTEX\r" || line == "POLYLINE\r") ++records;
  return records;
}

long FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  return in ? static_cast<long>(in.tellg()) : 0;
}

void RunAndReport(benchmark::State& state, const std::vector<std::string>& args, bool reportStore) {
  long peak = 0;
  for (auto _ : state) {
    const ChildRun run = RunChild(args);
    if (run.seconds == 0) {
      state.SkipWithError("vexoglyph convert failed");
      return;
    }
    state.SetIterationTime(run.seconds);
    peak = std::max(peak, run.peakRssKiB);
  }
  state.counters["peak_rss_MiB"] = peak / 1024.0;
  if (reportStore) {
    const long records = StoreRecords(kOutput);
    const double storeMiB = records * 32.0 / (1024 * 1024);
    state.counters["store_records"] = static_cast<double>(records);
    state.counters["store_MiB"] = storeMiB;
    state.counters["peak_over_store"] = peak / 1024.0 / storeMiB;
    state.counters["file_bytes"] = static_cast<double>(FileBytes(kOutput));
  }
  std::remove(kOutput.c_str());
}

// The standard workload: 20,000 characters of Lorem ipsum, DejaVu Sans,
// height 2.5, width factor 0.8, precision 8, to a DXF file. Target: 0.5 s;
// peak memory well under the whole drawing's store (store_MiB), since each
// glyph is written as soon as it is placed.
void BM_ConvertLorem20kToDxf(benchmark::State& state) {
  RunAndReport(state,
               {"convert", "-i", kLorem.path, "-f", "DejaVu Sans", "-H", "2.5", "-w", "0.8", "-p", "8", "-o", kOutput},
               true);
}
BENCHMARK(BM_ConvertLorem20kToDxf)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

// The standard workload through the typographic layout. Target: within 1.5x
// of the host layout's time (BM_ConvertLorem20kToDxf).
void BM_ConvertLorem20kTypographicToDxf(benchmark::State& state) {
  RunAndReport(state,
               {"convert", "--layout", "typographic", "-i", kLorem.path, "-f", "DejaVu Sans", "-H", "2.5", "-w", "0.8",
                "-p", "8", "-o", kOutput},
               true);
}
BENCHMARK(BM_ConvertLorem20kTypographicToDxf)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

// The standard workload flattened to a tolerance of 0.01 drawing units
// instead of 8 steps per piece: compare store_records and file_bytes with
// BM_ConvertLorem20kToDxf.
void BM_ConvertLorem20kTolerance001ToDxf(benchmark::State& state) {
  RunAndReport(state,
               {"convert", "-i", kLorem.path, "-f", "DejaVu Sans", "-H", "2.5", "-w", "0.8", "--tolerance", "0.01", "-o",
                kOutput},
               true);
}
BENCHMARK(BM_ConvertLorem20kTolerance001ToDxf)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

// The standard workload as merged outlines of arcs within 0.01 drawing units
// (flattened to 0.0025, merged, arcs fitted): compare with
// BM_ConvertLorem20kTolerance001ToDxf, whose steps keep the same tolerance.
void BM_ConvertLorem20kArcs001ToDxf(benchmark::State& state) {
  RunAndReport(state,
               {"convert", "-i", kLorem.path, "-f", "DejaVu Sans", "-H", "2.5", "-w", "0.8", "--arcs", "--tolerance",
                "0.01", "-o", kOutput},
               true);
}
BENCHMARK(BM_ConvertLorem20kArcs001ToDxf)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// The same to SVG, for comparison.
void BM_ConvertLorem20kToSvg(benchmark::State& state) {
  RunAndReport(state,
               {"convert", "-i", kLorem.path, "-f", "DejaVu Sans", "-H", "2.5", "-w", "0.8", "-p", "8", "-o",
                kOutput + ".svg"},
               false);
  std::remove((kOutput + ".svg").c_str());
}
BENCHMARK(BM_ConvertLorem20kToSvg)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

// 1 MB of text: the standard workload's text 50 times over (a 6.4 GB DXF, so
// one run). Target: peak memory within a few hundred MB, growing with the
// text (its characters and their styles), not with its drawing.
void BM_ConvertLorem1MToDxf(benchmark::State& state) {
  const std::string text = kLorem.path + ".1m";
  {
    const std::string once = vx::test::LoremText();
    std::ofstream out(text, std::ios::binary);
    for (int i = 0; i < 50; ++i) out << once;
  }
  RunAndReport(state,
               {"convert", "-i", text, "-f", "DejaVu Sans", "-H", "2.5", "-w", "0.8", "-p", "8", "-o", kOutput}, true);
  std::remove(text.c_str());
}
BENCHMARK(BM_ConvertLorem1MToDxf)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

// What every run pays before the text: program start, fontconfig, one glyph.
void BM_ConvertOneLetter(benchmark::State& state) {
  RunAndReport(state, {"convert", "-f", "DejaVu Sans", "-H", "2.5", "-o", kOutput, "A"}, false);
}
BENCHMARK(BM_ConvertOneLetter)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

BENCHMARK_MAIN();
