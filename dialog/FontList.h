// The font catalogue: TrueType faces of the display list, then those with a symbol set, and the palette phase, behind the start-up window.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vx {

class FontCatalog;

// Whether the platform lists a face name in the phase asked about (a TrueType
// face, or a face with the symbol set).
using FaceTest = std::function<bool(const std::string& face)>;

// Asks the test about each name in order and returns the names it accepts,
// each once compared without regard to case (spelled as first accepted).
// step runs after each name.
std::vector<std::string> CollectFaces(const std::vector<std::string>& names, const FaceTest& accepts,
                                      const std::function<void()>& step);

// Whether a non-empty face is among names, compared without regard to case:
// the font box's test against the display's families, and the symbol face
// test against the symbol list.
bool ContainsFace(const std::vector<std::string>& names, std::string_view face);

// The start-up window as the catalogue drives it: one caption and one bar for
// each phase (0: TrueType faces, 1: symbol faces, 2: palette cells).
class CatalogueProgress {
 public:
  virtual ~CatalogueProgress() = default;
  virtual void ShowCaption(int phase, std::u16string_view caption) = 0;
  virtual void StartBar(int phase, int maximum) = 0;
  virtual void StepBar(int phase) = 0;
};

// The symbol palette: one cell for each single-byte code from 32 to 255.
inline constexpr int kPaletteFirstCode = 32;
inline constexpr int kPaletteCellCount = 224;

struct FontLists {
  std::vector<std::string> trueType;  // cName's items
  std::vector<std::string> symbols;   // cSymbol's items
  // The item of symbols that has glyphs for most of the palette's codes (the
  // first of equals): the choice when none is stored. -1 without symbols.
  int fullestSymbol = -1;
};

// The first two phases: the TrueType faces of the display's families, then
// those of them with the symbol set, in the TrueType list's order, and the
// symbol face that fills most of the palette. progress may be null (no
// start-up window); the lists are the same.
FontLists BuildFontLists(const std::vector<std::string>& displayFamilies, FontCatalog& catalog,
                         CatalogueProgress* progress);

// The third phase: makeCell runs for each palette index 0 .. count - 1 in
// order, the bar stepping after each.
void BuildPaletteCells(int count, CatalogueProgress* progress, const std::function<void(int index)>& makeCell);

}  // namespace vx
