// The font catalogue: TrueType faces of the display list, then those with a symbol set, and the palette phase, behind the start-up window.
#include "dialog/FontList.h"

#include <algorithm>

#include "platform/fonts/FontCatalog.h"
#include "base/Utf.h"

namespace vx {
namespace {

enum Phase { kTrueTypePhase = 0, kSymbolPhase = 1, kPalettePhase = 2 };

void Caption(CatalogueProgress* progress, int phase, std::u16string_view caption) {
  if (progress) progress->ShowCaption(phase, caption);
}

void StartBar(CatalogueProgress* progress, int phase, std::size_t maximum) {
  if (progress) progress->StartBar(phase, static_cast<int>(maximum));
}

std::function<void()> Stepper(CatalogueProgress* progress, int phase) {
  return [progress, phase] {
    if (progress) progress->StepBar(phase);
  };
}

// The symbol face with glyphs for most of the palette's codes, the first of
// equals; -1 for none. A face that a system lists in the symbol set may draw
// few of them (a window-decoration face does).
int FullestSymbolFace(const std::vector<std::string>& symbols, FontCatalog& catalog) {
  int fullest = -1, mostGlyphs = -1;
  for (std::size_t i = 0; i < symbols.size(); ++i) {
    const int glyphs = catalog.CountSymbolGlyphs(symbols[i], kPaletteFirstCode, kPaletteCellCount);
    if (glyphs > mostGlyphs) {
      fullest = static_cast<int>(i);
      mostGlyphs = glyphs;
    }
  }
  return fullest;
}

}  // namespace

bool ContainsFace(const std::vector<std::string>& names, std::string_view face) {
  return !face.empty() &&
         std::any_of(names.begin(), names.end(), [&](const std::string& n) { return EqualIgnoringAsciiCase(n, face); });
}

std::vector<std::string> CollectFaces(const std::vector<std::string>& names, const FaceTest& accepts,
                                      const std::function<void()>& step) {
  std::vector<std::string> faces;
  for (const std::string& name : names) {
    if (accepts && accepts(name) && !name.empty() && !ContainsFace(faces, name)) faces.push_back(name);
    if (step) step();
  }
  return faces;
}

FontLists BuildFontLists(const std::vector<std::string>& displayFamilies, FontCatalog& catalog,
                         CatalogueProgress* progress) {
  FontLists lists;
  Caption(progress, kTrueTypePhase, u"initializing font");
  StartBar(progress, kTrueTypePhase, displayFamilies.size());
  lists.trueType = CollectFaces(
      displayFamilies, [&](const std::string& face) { return catalog.IsTrueTypeFamily(face); },
      Stepper(progress, kTrueTypePhase));
  Caption(progress, kTrueTypePhase, u"initialized font");

  Caption(progress, kSymbolPhase, u"initializing symbol font");
  StartBar(progress, kSymbolPhase, lists.trueType.size());
  lists.symbols = CollectFaces(
      lists.trueType, [&](const std::string& face) { return catalog.HasSymbolCharset(face); },
      Stepper(progress, kSymbolPhase));
  lists.fullestSymbol = FullestSymbolFace(lists.symbols, catalog);
  Caption(progress, kSymbolPhase, u"initializd symbol font");  // kept as users know it
  return lists;
}

void BuildPaletteCells(int count, CatalogueProgress* progress, const std::function<void(int index)>& makeCell) {
  Caption(progress, kPalettePhase, u"initializing symbol");
  StartBar(progress, kPalettePhase, static_cast<std::size_t>(count));
  for (int k = 0; k < count; ++k) {
    makeCell(k);
    if (progress) progress->StepBar(kPalettePhase);
  }
  Caption(progress, kPalettePhase, u"initialized symbol");
}

}  // namespace vx
