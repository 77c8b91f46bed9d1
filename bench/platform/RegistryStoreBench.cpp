// The settings store at size: the dialog's show and close against a store of 100,000 values or keys.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "dialog/DialogSettings.h"

namespace {

constexpr int kEntries = 100000;

// A temporary store folder, named by VEXOGLYPH_REGISTRY_DIR, whose user.reg
// was written by hand (UTF-8, about 3 MB) with the five settings and, in the
// settings key itself or in as many keys beside it, 100,000 further values.
class LargeStore {
 public:
  LargeStore(bool spreadOverKeys) {
    char pattern[] = "/tmp/vx-registry-bench-XXXXXX";
    folder_ = ::mkdtemp(pattern);
    ::setenv("VEXOGLYPH_REGISTRY_DIR", folder_.c_str(), 1);
    const std::string option = "[HKEY_CURRENT_USER\\Software\\Kestrow\\Vexoglyph\\Option";
    std::ofstream out(folder_ + "/user.reg", std::ios::binary);
    out << "Windows Registry Editor Version 5.00\r\n\r\n" << option << "]\r\n"
        << "\"Precision\"=dword:00000011\r\n\"FontName\"=\"DejaVu Sans\"\r\n\"SymbolName\"=dword:00000000\r\n"
        << "\"ShowSymbol\"=dword:00000001\r\n\"FormState\"=dword:00000000\r\n";
    for (int i = 0; i < kEntries; ++i) {
      const std::string number = std::to_string(i);
      if (spreadOverKeys) out << "\r\n" << option << "\\Key " << number << "]\r\n";
      out << "\"Value " << number << "\"=\"Text " << number << "\"\r\n";
    }
  }
  ~LargeStore() {
    ::unsetenv("VEXOGLYPH_REGISTRY_DIR");
    std::filesystem::remove_all(folder_);
  }
  LargeStore(const LargeStore&) = delete;
  LargeStore& operator=(const LargeStore&) = delete;

  double FileBytes() const { return static_cast<double>(std::filesystem::file_size(folder_ + "/user.reg")); }

 private:
  std::string folder_;
};

// FormShow's reading of the five settings, with the store's file as the
// previous close left it.
void BM_DialogShow(benchmark::State& state) {
  LargeStore store(state.range(0) != 0);
  vx::WriteDialogSettings(vx::ReadDialogSettings("f"));
  for (auto _ : state) benchmark::DoNotOptimize(vx::ReadDialogSettings("f"));
  state.counters["file_bytes"] = store.FileBytes();
}
BENCHMARK(BM_DialogShow)->ArgName("spread_over_keys")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// FormClose's writing of the five settings, each time with a changed value.
void BM_DialogClose(benchmark::State& state) {
  LargeStore store(state.range(0) != 0);
  vx::DialogSettings settings = vx::ReadDialogSettings("f");
  for (auto _ : state) {
    settings.precision = settings.precision % vx::kPrecisionMax + 1;
    if (!vx::WriteDialogSettings(settings)) state.SkipWithError("the settings were not written");
  }
  state.counters["file_bytes"] = store.FileBytes();
}
BENCHMARK(BM_DialogClose)->ArgName("spread_over_keys")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A show and a close on the hand-written UTF-8 file: read once, and
// rewritten in the registry editor's encoding.
void BM_FirstShowAndCloseOfAHandWrittenStore(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    {
      LargeStore store(false);
      state.ResumeTiming();
      benchmark::DoNotOptimize(vx::WriteDialogSettings(vx::ReadDialogSettings("f")));
      state.PauseTiming();
    }
    state.ResumeTiming();
  }
}
BENCHMARK(BM_FirstShowAndCloseOfAHandWrittenStore)->Unit(benchmark::kMillisecond);

}  // namespace
