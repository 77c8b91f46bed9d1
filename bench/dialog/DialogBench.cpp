// Benchmarks of the text dialog: one preview step, and creating the dialog with its font catalogue.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <cstdlib>
#include <string>
#include <vector>

#include "dialog/qt/MainDlg.h"
#include "dialog/qt/RichEditBox.h"
#include "engine/HostQueries.h"
#include "platform/fonts/FontCatalog.h"

namespace {

// Every name TrueType, every tenth one in the symbol set too: the dialog's
// side of the catalogue (lists, progress bars) at its largest.
class LargeCatalog final : public vx::FontCatalog {
 public:
  bool IsTrueTypeFamily(const std::string&) override { return true; }
  bool HasSymbolCharset(const std::string& family) override { return family.back() == '0'; }
  int CountSymbolGlyphs(const std::string&, int, int) override { return 0; }
};

std::vector<std::string> ManyFamilies(int count) {
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i) names.push_back("Family " + std::to_string(10000 + i));
  return names;
}

// Selection change to painted box: the caret moves between two letters of a
// 20,000-character text, so every step converts and paints one glyph.
void BM_PreviewStep(benchmark::State& state) {
  TForm1 form;
  form.show();
  QString text;
  for (int line = 0; line < 333; ++line) text += QStringLiteral("Lorem ipsum dolor sit amet, consectetur adipiscing elit sed\n");
  form.Memo1->setPlainText(text);
  int caret = 1;
  for (auto _ : state) {
    caret = caret == 1 ? 2 : 1;
    form.Memo1->SetSelStart(caret);  // raises the selection change: controls, store, repaint
    benchmark::DoNotOptimize(GetTTFCount());
  }
  form.hide();
}
BENCHMARK(BM_PreviewStep)->Unit(benchmark::kMicrosecond);

// The dialog with its start-up window, over this machine's fonts.
void BM_CreateDialogInstalledFonts(benchmark::State& state) {
  for (auto _ : state) {
    TForm1 form;
    benchmark::DoNotOptimize(form.cName);
  }
}
BENCHMARK(BM_CreateDialogInstalledFonts)->Unit(benchmark::kMillisecond);

// The dialog over a display list of 2,000 families.
void BM_CreateDialog2000Families(benchmark::State& state) {
  LargeCatalog catalog;
  TFormEnvironment environment;
  environment.catalog = &catalog;
  environment.displayFamilies = [] { return ManyFamilies(2000); };
  for (auto _ : state) {
    TForm1 form(environment);
    benchmark::DoNotOptimize(form.cName);
  }
}
BENCHMARK(BM_CreateDialog2000Families)->Unit(benchmark::kMillisecond);

// The same 2,000 names asked of the real font catalogue (none is installed).
void BM_CreateDialog2000UnknownFamilies(benchmark::State& state) {
  TFormEnvironment environment;
  environment.displayFamilies = [] { return ManyFamilies(2000); };
  for (auto _ : state) {
    TForm1 form(environment);
    benchmark::DoNotOptimize(form.cName);
  }
}
BENCHMARK(BM_CreateDialog2000UnknownFamilies)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  // The dialog's settings go to a scratch folder, never the user's own.
  if (std::getenv("VEXOGLYPH_REGISTRY_DIR") == nullptr) {
    ::setenv("VEXOGLYPH_REGISTRY_DIR", (QDir::tempPath() + QStringLiteral("/vexoglyph-bench")).toLocal8Bit().constData(), 1);
  }
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
