// The formatting controls, showing and closing, the preview step and the font catalogue on small models of the form and the platform.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "dialog/FontList.h"
#include "dialog/FormattingRules.h"
#include "dialog/PreviewMapping.h"
#include "dialog/ShowAndClose.h"
#include "engine/OutlineFlattening.h"
#include "platform/fonts/FontCatalog.h"
#include "tests/engine/FakeGlyphSource.h"
#include "tests/support/StoreContents.h"

namespace vx::test {
namespace {

// One line of text with a selection; every character and the insertion
// point carry the same attributes. Sizes below 1 are not applied.
class ModelEditor : public FormattingEditor {
 public:
  CharStyle at{"Times New Roman", 30, false, false};
  std::vector<std::u16string> lines{u"ABC"};
  int start = 0, length = 0;
  bool refusesSizes = false;

  CharStyle SelAttributes() const override { return at; }
  void SetSelFace(const std::string& face) override { at.face = face; }
  void SetSelSize(int points) override {
    if (refusesSizes) throw std::runtime_error("refused");
    if (points >= 1) at.pointSize = points;
  }
  void SetSelStyle(bool bold, bool italic) override {
    at.bold = bold;
    at.italic = italic;
  }
  int SelStart() const override { return start; }
  int SelLength() const override { return length; }
  std::vector<std::u16string> Lines() const override { return lines; }
};

class ModelForm : public FormattingControls {
 public:
  ModelEditor editor;
  std::u16string face, height = u"28", width = u"0.65", precisionLabel;
  bool bold = false, italic = false;
  int heightRefocused = 0, widthRefocused = 0, selectionChanges = 0, previews = 0;

  FormattingEditor& Editor() override { return editor; }
  std::u16string FaceBoxText() const override { return face; }
  void SetFaceBoxText(std::u16string_view text) override { face = text; }
  std::u16string HeightBoxText() const override { return height; }
  void SetHeightBoxText(std::u16string_view text) override { height = text; }
  std::u16string WidthBoxText() const override { return width; }
  void SetWidthBoxText(std::u16string_view text) override { width = text; }
  void RefocusHeightBox() override { ++heightRefocused; }
  void RefocusWidthBox() override { ++widthRefocused; }
  bool BoldDown() const override { return bold; }
  bool ItalicDown() const override { return italic; }
  void SetStyleButtons(bool b, bool i) override {
    bold = b;
    italic = i;
  }
  void SetPrecisionLabel(std::u16string_view text) override { precisionLabel = text; }
  void SelectionChanged() override { ++selectionChanges; }
  void RefreshPreview() override { ++previews; }
};

TEST(FormattingRules, TheControlsShowTheSelectionExceptWhileConverting) {
  ModelForm form;
  form.editor.at = {"Arial", 45, true, false};
  ShowSelection(form, true);
  EXPECT_EQ(form.face, u"");
  EXPECT_EQ(form.previews, 0);
  ShowSelection(form, false);
  EXPECT_EQ(form.face, u"Arial");
  EXPECT_EQ(form.height, u"45");
  EXPECT_TRUE(form.bold);
  EXPECT_FALSE(form.italic);
  EXPECT_EQ(form.previews, 1);
}

TEST(FormattingRules, TheFontBoxAppliesDisplayFamiliesInAnyCaseAndRestoresAnythingElse) {
  const std::vector<std::string> families{"Arial", "Times New Roman"};
  const struct {
    std::u16string typed;
    std::string face;  // the selection's face afterwards
    std::u16string shown;
    int selectionChanges;
  } cases[] = {
      {u"Arial", "Arial", u"Arial", 1},
      {u"times new roman", "times new roman", u"times new roman", 1},
      {u"Nowhere Sans", "Courier", u"Courier", 0},
      {u"", "Courier", u"Courier", 0},
  };
  for (const auto& c : cases) {
    ModelForm form;
    form.editor.at.face = "Courier";
    form.face = c.typed;
    ApplyFaceBox(form, families);
    EXPECT_EQ(form.editor.at.face, c.face);
    EXPECT_EQ(form.face, c.shown);
    EXPECT_EQ(form.selectionChanges, c.selectionChanges);
  }
}

TEST(FormattingRules, APickedSizeAppliesOnlyAfterTheListDroppedDown) {
  ModelForm form;
  bool dropped = false;
  form.height = u"45";
  ApplyPickedHeight(form, dropped);
  EXPECT_EQ(form.editor.at.pointSize, 30);

  dropped = true;
  form.height = u"";
  ApplyPickedHeight(form, dropped);
  EXPECT_TRUE(dropped);  // an empty text waits for the next edit

  form.height = u"45";
  ApplyPickedHeight(form, dropped);
  EXPECT_EQ(form.editor.at.pointSize, 45);
  EXPECT_FALSE(dropped);
  EXPECT_EQ(form.selectionChanges, 1);

  dropped = true;
  form.editor.refusesSizes = true;
  form.height = u"60";
  ApplyPickedHeight(form, dropped);
  EXPECT_EQ(form.height, u"45");
  EXPECT_FALSE(dropped);
}

TEST(FormattingRules, LeavingTheSizeBoxAppliesOrRepairsTo30) {
  const struct {
    std::u16string typed;
    bool refused;
    int size;
    std::u16string shown;
    int refocused;
  } cases[] = {
      {u"12", false, 12, u"12", 0},
      {u"", false, 30, u"30", 0},  // size 0 is not applied: the box shows the size kept
      {u"-5", false, 30, u"30", 1},
      {u"12", true, 30, u"30", 1},
  };
  for (const auto& c : cases) {
    ModelForm form;
    form.editor.refusesSizes = c.refused;
    form.height = c.typed;
    ApplyTypedHeight(form);
    EXPECT_EQ(form.editor.at.pointSize, c.size) << c.typed.size();
    EXPECT_EQ(form.height, c.shown);
    EXPECT_EQ(form.heightRefocused, c.refocused);
  }
}

TEST(FormattingRules, EnterAppliesTheSizeAndTheWidthBoxRepairsOnlyBadValues) {
  ModelForm form;
  form.height = u"12";
  EXPECT_FALSE(FilterHeightKey(form, u"\r"));
  EXPECT_EQ(form.editor.at.pointSize, 12);
  EXPECT_TRUE(FilterHeightKey(form, u"a"));
  EXPECT_TRUE(FilterWidthKey(u"-"));
  EXPECT_FALSE(FilterWidthKey(u"."));

  for (const auto& [typed, shown, refocused] : {std::tuple{u"-0.5", u"0.65", 1}, std::tuple{u"", u"", 0},
                                               std::tuple{u"1.2.3", u"1.2.3", 0}}) {
    ModelForm box;
    box.width = typed;
    RepairWidthBox(box);
    EXPECT_EQ(box.width, shown);
    EXPECT_EQ(box.widthRefocused, refocused);
  }
}

TEST(FormattingRules, EachStyleButtonChangesItsOwnFlagOnly) {
  ModelForm form;
  form.editor.at.italic = true;
  form.bold = true;
  form.italic = false;  // the button's state is not the selection's italic
  ApplyBoldButton(form);
  EXPECT_TRUE(form.editor.at.bold);
  EXPECT_TRUE(form.editor.at.italic);
  form.italic = false;
  ApplyItalicButton(form);
  EXPECT_TRUE(form.editor.at.bold);
  EXPECT_FALSE(form.editor.at.italic);
  EXPECT_EQ(form.selectionChanges, 2);
}

TEST(FormattingRules, TheTrackBarSetsThePrecisionAndItsLabel) {
  ModelForm form;
  ApplyPrecision(form, 17);
  EXPECT_EQ(gPrecision, 17);
  EXPECT_EQ(form.precisionLabel, u"17");
  EXPECT_EQ(form.selectionChanges, 1);
  SetPrecision(kDefaultPrecision);
}

// ---- Showing and closing ----------------------------------------------------------------

// The controls of showing and closing; each step is written down in order.
class ModelShowClose : public ShowCloseView {
 public:
  ModelForm form;
  int trackBar = 8, symbols = 3, fullest = 2, chosen = 0;
  bool paletteDown = false, maximized = false;
  std::vector<std::string> steps;

  FormattingControls& Formatting() override { return form; }
  void SetTrackBarPosition(int position) override { trackBar = std::clamp(position, 1, 32); }
  int TrackBarPosition() const override { return trackBar; }
  int SymbolCount() const override { return symbols; }
  int DefaultSymbol() const override { return fullest; }
  void ChooseSymbol(int index) override { chosen = index; }
  int ChosenSymbol() const override { return chosen; }
  void SetPaletteButtonDown(bool down) override { paletteDown = down; }
  bool PaletteButtonDown() const override { return paletteDown; }
  void SetMaximized(bool m) override { maximized = m; }
  bool Maximized() const override { return maximized; }
  void FollowPaletteButton() override { steps.push_back(paletteDown ? "palette shown" : "palette hidden"); }
  bool ApplySymbolFont() override {
    steps.push_back("symbol font");
    return chosen >= 0;
  }
  void ForgetSelectedCell() override { steps.push_back("no cell"); }
  void EmptyTextBox() override {
    steps.push_back("box emptied");
    form.editor.at = {"Times New Roman", 30, false, false};
  }
  void FocusTextBox() override { steps.push_back("focus (" + std::to_string(form.previews) + " preview)"); }
};

TEST(ShowAndClose, ShowingRestoresTheSettingsAndReadiesAnEmptyBox) {
  ModelShowClose view;
  view.form.editor.at = {"Arial", 12, true, true};  // the last showing's text
  view.form.height = u"12";
  bool dropped = true;
  std::string askedWith;
  FormShowSteps(view, dropped, [&](const std::string& face) {
    askedWith = face;
    DialogSettings stored;
    stored.precision = 40;
    stored.fontName = "Liberation Serif";
    stored.symbolIndex = 5;  // beyond the three symbol faces
    stored.showSymbol = true;
    stored.maximized = true;
    return stored;
  });
  EXPECT_EQ(askedWith, "Arial");  // the default of a missing font name
  EXPECT_EQ(view.trackBar, 32);
  EXPECT_EQ(gPrecision, 32);
  EXPECT_EQ(view.form.precisionLabel, u"32");
  EXPECT_EQ(view.form.face, u"Liberation Serif");
  EXPECT_EQ(view.chosen, -1);
  EXPECT_TRUE(view.maximized);
  EXPECT_FALSE(dropped);
  EXPECT_EQ(view.steps,
            (std::vector<std::string>{"palette shown", "symbol font", "no cell", "box emptied", "focus (1 preview)"}));
  EXPECT_EQ(view.form.height, u"30");
  EXPECT_FALSE(view.form.bold);
  SetPrecision(kDefaultPrecision);
}

// A stored symbol face is chosen as stored (index 0 too); without one the
// face that fills the palette most.
TEST(ShowAndClose, TheSymbolFaceIsTheStoredOneOrTheFullest) {
  for (const auto& [stored, chosen] : {std::pair{std::optional<int>{}, 2}, std::pair{std::optional<int>{0}, 0},
                                       std::pair{std::optional<int>{-1}, -1}}) {
    ModelShowClose view;
    bool dropped = false;
    FormShowSteps(view, dropped, [&, stored = stored](const std::string&) {
      DialogSettings settings;
      settings.symbolIndex = stored;
      return settings;
    });
    EXPECT_EQ(view.chosen, chosen) << stored.value_or(99);
  }
  SetPrecision(kDefaultPrecision);
}

TEST(ShowAndClose, ClosingWritesTheFiveValuesFromTheControls) {
  ModelShowClose view;
  view.trackBar = 17;
  view.form.face = u"Arial";
  view.chosen = -1;
  view.paletteDown = true;
  view.maximized = false;
  DialogSettings written;
  FormCloseSteps(view, [&](const DialogSettings& settings) {
    written = settings;
    return false;  // a store that cannot be written is passed over
  });
  DialogSettings expected;
  expected.precision = 17;
  expected.fontName = "Arial";
  expected.symbolIndex = -1;
  expected.showSymbol = true;
  expected.maximized = false;
  EXPECT_EQ(written, expected);
}

class PreviewStep : public StoreTest {
 protected:
  PreviewStep() { source.glyphs[u'B'] = {Advance(90, 5), TriangleAtOrigin()}; }
  FakeGlyphSource source;
  ModelEditor editor;
};

TEST_F(PreviewStep, ConvertsTheChosenCharacterInTheSelectionFaceAndTheButtonsStyle) {
  editor.at.face = "Serif";
  editor.start = 2;  // after B
  ConvertPreviewCharacter(editor, true, false, source);
  EXPECT_GT(GetTTFCount(), 2);
  ASSERT_EQ(source.codes, std::vector<char16_t>{u'B'});
  EXPECT_EQ(source.requests[0], MakeFontRequest("Serif", kPreviewCell, kPreviewCell, true, false));

  editor.length = 2;  // a longer selection shows nothing, and the store is cleared
  ConvertPreviewCharacter(editor, true, false, source);
  EXPECT_EQ(GetTTFCount(), 0);
  EXPECT_EQ(source.codes.size(), 1u);
}

// ---- The font catalogue -----------------------------------------------------------------

class ListedCatalog : public FontCatalog {
 public:
  std::set<std::string> trueType, symbol;
  std::map<std::string, int> symbolGlyphs;  // by family; none listed: 0
  std::vector<std::pair<int, int>> glyphRanges;  // first code and count of each question
  bool IsTrueTypeFamily(const std::string& family) override { return trueType.count(family) > 0; }
  bool HasSymbolCharset(const std::string& family) override { return symbol.count(family) > 0; }
  int CountSymbolGlyphs(const std::string& family, int firstCode, int count) override {
    glyphRanges.emplace_back(firstCode, count);
    const auto glyphs = symbolGlyphs.find(family);
    return glyphs != symbolGlyphs.end() ? glyphs->second : 0;
  }
};

class RecordingProgress : public CatalogueProgress {
 public:
  std::map<int, std::vector<std::u16string>> captions;
  std::map<int, int> maxima, steps;
  void ShowCaption(int phase, std::u16string_view caption) override { captions[phase].emplace_back(caption); }
  void StartBar(int phase, int maximum) override { maxima[phase] = maximum; }
  void StepBar(int phase) override { ++steps[phase]; }
};

TEST(FontCatalogue, BuildsBothListsAndThePaletteBehindThreeBars) {
  ListedCatalog catalog;
  catalog.trueType = {"Arial", "ARIAL", "Symbol", "Wingdings"};
  catalog.symbol = {"Symbol", "Wingdings", "Bitmap Symbol"};
  const std::vector<std::string> families{"Arial", "ARIAL", "Bitmap Symbol", "Symbol", "Wingdings"};
  RecordingProgress progress;
  const FontLists lists = BuildFontLists(families, catalog, &progress);
  EXPECT_EQ(lists.trueType, (std::vector<std::string>{"Arial", "Symbol", "Wingdings"}));
  EXPECT_EQ(lists.symbols, (std::vector<std::string>{"Symbol", "Wingdings"}));
  std::vector<int> cells;
  BuildPaletteCells(224, &progress, [&](int k) { cells.push_back(k); });
  EXPECT_EQ(cells.size(), 224u);
  EXPECT_EQ(cells.back(), 223);
  EXPECT_EQ(progress.maxima, (std::map<int, int>{{0, 5}, {1, 3}, {2, 224}}));
  EXPECT_EQ(progress.steps, progress.maxima);
  EXPECT_EQ(progress.captions[0], (std::vector<std::u16string>{u"initializing font", u"initialized font"}));
  EXPECT_EQ(progress.captions[1], (std::vector<std::u16string>{u"initializing symbol font", u"initializd symbol font"}));
  EXPECT_EQ(progress.captions[2], (std::vector<std::u16string>{u"initializing symbol", u"initialized symbol"}));

  // Without the start-up window the lists are the same.
  const FontLists quiet = BuildFontLists(families, catalog, nullptr);
  EXPECT_EQ(quiet.trueType, lists.trueType);
  EXPECT_EQ(quiet.symbols, lists.symbols);
}

// The face a first showing opens the palette on: the symbol face with glyphs
// for most of the palette's 224 codes, the first of equals; the first face
// when none has any; none without symbol faces.
TEST(FontCatalogue, TheFullestSymbolFaceIsFoundOverThePalettesCodes) {
  struct Case {
    const char* what;
    std::map<std::string, int> glyphs;
    int fullest;
  };
  const std::vector<std::string> families{"Marlett", "Symbol", "Webdings", "Wingdings"};
  const Case cases[] = {
      {"a fuller face after a sparse first one", {{"Marlett", 12}, {"Symbol", 190}, {"Webdings", 223}, {"Wingdings", 200}}, 2},
      {"the first of equals", {{"Marlett", 12}, {"Symbol", 223}, {"Webdings", 223}, {"Wingdings", 223}}, 1},
      {"no face with glyphs", {}, 0},
  };
  for (const Case& c : cases) {
    ListedCatalog catalog;
    catalog.trueType = catalog.symbol = {families.begin(), families.end()};
    catalog.symbolGlyphs = c.glyphs;
    EXPECT_EQ(BuildFontLists(families, catalog, nullptr).fullestSymbol, c.fullest) << c.what;
    EXPECT_EQ(catalog.glyphRanges, (std::vector<std::pair<int, int>>(4, {32, 224}))) << c.what;
  }
  ListedCatalog none;
  none.trueType = {"Arial"};
  EXPECT_EQ(BuildFontLists({"Arial"}, none, nullptr).fullestSymbol, -1);
}

TEST(FontCatalogue, AFaceIsFoundInAnyLetterCaseButNeverEmpty) {
  const std::vector<std::string> names{"Times New Roman", "Symbol"};
  EXPECT_TRUE(ContainsFace(names, "times new roman"));
  EXPECT_TRUE(ContainsFace(names, "SYMBOL"));
  EXPECT_FALSE(ContainsFace(names, "Times"));
  EXPECT_FALSE(ContainsFace(names, ""));
  EXPECT_FALSE(ContainsFace({""}, ""));
}

}  // namespace
}  // namespace vx::test
