// The dialog's modes and its conversion run on small models of the form and the rich-text box.
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <limits>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "dialog/ConversionRun.h"
#include "dialog/DialogModes.h"
#include "dxf/DxfWriter.h"
#include "tests/engine/FakeGlyphSource.h"
#include "tests/support/StoreContents.h"
#include "tests/support/TempFolder.h"

namespace vx::test {
namespace {

// ---- Modes ----------------------------------------------------------------------------

struct ModeViewRecord {
  std::u16string title, okCaption, okHint, cancelCaption;
  bool sizeBoxesAndAcadHidden = false;
  std::optional<bool> minimizeBox;
};

class RecordingModeView : public ModeView {
 public:
  ModeViewRecord shown;
  void SetTitle(std::u16string_view title) override { shown.title = title; }
  void SetOkCaptionAndHint(std::u16string_view caption, std::u16string_view hint) override {
    shown.okCaption = caption;
    shown.okHint = hint;
  }
  void SetCancelCaption(std::u16string_view caption) override { shown.cancelCaption = caption; }
  void HideSizeBoxesAndAcad() override { shown.sizeBoxesAndAcadHidden = true; }
  void SetMinimizeBox(bool present) override { shown.minimizeBox = present; }
};

TEST(DialogModes, EachShowingModeSetsItsCaptionsControlsAndFields) {
  const std::u16string host = u"Input Text [Vexoglyph v1.9]";
  const struct {
    int mode;
    std::u16string title, okCaption, okHint, cancelCaption;
    bool hides, minimizeBox;
    double hostHeight;  // the fields start at 1.0 x 0.5; dmHostSized brings 2.5 x 0.8
    OkAction okAction;
  } cases[] = {
      {dmHostDefault, host, u"OK", u"", u"Cancel", true, false, 1.0, OkAction::CloseWithOk},
      {dmHostSized, host, u"OK", u"", u"Cancel", true, false, 2.5, OkAction::CloseWithOk},
      {dmStandalone, u"Vexoglyph V1.9", u"Save to dxf...", u"Save text outline to DXF file", u"Close", false, true,
       1.0, OkAction::SaveDxfAndStay},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    RecordingModeView view;
    ModeFields fields{7, 1.0, 0.5};
    ASSERT_TRUE(ApplyMode(view, fields, c.mode, 2.5, 0.8));
    EXPECT_EQ(view.shown.title, c.title);
    EXPECT_EQ(view.shown.okCaption, c.okCaption);
    EXPECT_EQ(view.shown.okHint, c.okHint);
    EXPECT_EQ(view.shown.cancelCaption, c.cancelCaption);
    EXPECT_EQ(view.shown.sizeBoxesAndAcadHidden, c.hides);
    EXPECT_EQ(view.shown.minimizeBox, c.minimizeBox);
    EXPECT_EQ(fields.mode, c.mode);
    EXPECT_EQ(fields.hostHeight, c.hostHeight);
    EXPECT_EQ(fields.hostWidthFactor, c.hostHeight == 2.5 ? 0.8 : 0.5);
    EXPECT_TRUE(IsShowingMode(c.mode));
    EXPECT_EQ(LookOfMode(c.mode)->okAction, c.okAction);
  }
}

TEST(DialogModes, EveryOtherValueReleasesAndChangesNothing) {
  for (int mode : {2, 7, -2, 99}) {
    RecordingModeView view;
    ModeFields fields{1, 2.5, 0.8};
    EXPECT_FALSE(ApplyMode(view, fields, mode, 9.0, 9.0)) << mode;
    EXPECT_FALSE(IsShowingMode(mode));
    EXPECT_EQ(fields.mode, 1);
    EXPECT_EQ(fields.hostHeight, 2.5);
    EXPECT_EQ(view.shown.title, u"");
    EXPECT_EQ(view.shown.minimizeBox, std::nullopt);
  }
}

TEST(UsableHostNumbers, TheSizedHostModeNeedsFiniteNumbers) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    int mode;
    double height;
    double widthFactor;
    bool usable;
  } cases[] = {
      {dmHostSized, 2.5, 0.8, true},     {dmHostSized, -2.5, 0.0, true},  {dmHostSized, nan, 0.8, false},
      {dmHostSized, 2.5, nan, false},    {dmHostSized, inf, 0.8, false},  {dmHostSized, 2.5, -inf, false},
      {dmHostDefault, nan, inf, true},   {dmStandalone, inf, nan, true},  {2, nan, nan, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(UsableHostNumbers(c.mode, c.height, c.widthFactor), c.usable)
        << c.mode << " " << c.height << " " << c.widthFactor;
  }
}

// ---- The conversion run ------------------------------------------------------------------

// A box of styled characters; a line break is one CR position and reads as
// CR LF. The format at the caret is that of the character before it (of the
// first character at position 0).
class ModelEditor : public RunEditor {
 public:
  struct Char {
    char16_t code;
    CharStyle style;
  };
  std::vector<Char> chars;
  int caret = 0;
  const bool* converting = nullptr;
  std::vector<int> movesWhileConverting;
  std::vector<int> movesAfterwards;

  std::u16string Text() const override {
    std::u16string text;
    for (const Char& c : chars) text += c.code == u'\r' ? std::u16string(u"\r\n") : std::u16string(1, c.code);
    return text;
  }
  int SelStart() const override { return caret; }
  void SetSelStart(int position) override {
    caret = position;
    (converting != nullptr && *converting ? movesWhileConverting : movesAfterwards).push_back(position);
  }
  // The style of the character before the caret; a caret the run moved
  // outside the text is the run's fault, reported, never read.
  CharStyle CaretStyle() const override {
    if (caret < 0 || static_cast<std::size_t>(caret) > chars.size()) {
      ADD_FAILURE() << "caret at " << caret << " in a text of " << chars.size() << " characters";
      return CharStyle{"Times New Roman"};
    }
    if (chars.empty()) return CharStyle{"Times New Roman"};
    return chars[static_cast<std::size_t>(caret > 0 ? caret - 1 : 0)].style;
  }
  void Type(std::u16string_view text, const CharStyle& style) {
    for (char16_t c : text) chars.push_back({c, style});
  }
};

class RecordingRunView : public RunView {
 public:
  ModelEditor editor;
  std::u16string widthText = u"0.65";
  std::deque<std::optional<std::string>> fileNames;  // answers of the save dialog
  std::vector<std::u16string> messages;
  std::vector<bool> waitCursor;
  int closedWithOk = 0;
  int selectionChanges = 0;
  int previewRepaints = 0;

  RunEditor& Editor() override { return editor; }
  std::u16string WidthBoxText() const override { return widthText; }
  void ShowWaitCursor(bool shown) override { waitCursor.push_back(shown); }
  void ShowMessage(std::u16string_view text) override { messages.emplace_back(text); }
  std::optional<std::string> AskDxfFileName() override {
    if (fileNames.empty()) ADD_FAILURE() << "the save dialog was not expected";
    if (fileNames.empty()) return std::nullopt;
    std::optional<std::string> answer = fileNames.front();
    fileNames.pop_front();
    return answer;
  }
  void CloseWithOk() override { ++closedWithOk; }
  void SelectionChanged() override { ++selectionChanges; }
  void RepaintPreview() override { ++previewRepaints; }
};

class ConversionRun : public StoreTest {
 protected:
  ConversionRun() {
    source.glyphs[u'A'] = {Advance(120, 10), TriangleAtOrigin()};
    source.glyphs[u'B'] = {Advance(90, 5), TriangleAtOrigin()};
    source.glyphs[u' '] = {Advance(57, 0), {}};
    view.editor.converting = &converting;
  }

  void Run(int mode, double hostHeight = 0.0, double hostWidthFactor = 0.0) {
    RunConversion(view, source, ModeFields{mode, hostHeight, hostWidthFactor}, converting);
  }

  // The engine's own layout of the box's text, every character in its style.
  std::vector<Rec> ExpectedLayout(const LayoutSettings& settings) {
    ModelEditor copy = view.editor;
    copy.converting = nullptr;
    const std::u16string text = copy.Text();
    const std::vector<CharStyle> styles = CaretStyles(copy, text);
    FreePointList();
    LayoutText(source, text, styles, settings);
    std::vector<Rec> records = StoreRecords();
    FreePointList();
    return records;
  }

  FakeGlyphSource source;
  RecordingRunView view;
  bool converting = false;
  const CharStyle small{"Sans", 12, false, false};
  const CharStyle bigBold{"Serif", 250, true, false};
};

TEST_F(ConversionRun, TheCaretVisitsEachCharacterOnceAndABreakPairCountsOnce) {
  const struct {
    std::u16string typed;  // \r is one break, reported as CR LF
    std::vector<int> positions;
  } cases[] = {
      {u"AB", {1, 2}},
      {u"A\rB", {1, 2, 3}},
      {u"A\r\rB", {1, 2, 3, 4}},
      {u"\r", {1}},
      {u"", {}},
  };
  for (const auto& c : cases) {
    ModelEditor editor;
    editor.Type(c.typed, small);
    const std::u16string text = editor.Text();
    const std::vector<CharStyle> styles = CaretStyles(editor, text);
    EXPECT_EQ(editor.movesAfterwards, c.positions);
    EXPECT_EQ(styles.size(), text.size());
  }
}

TEST_F(ConversionRun, EachCharacterTakesTheFormatAtTheCaretRightAfterIt) {
  view.editor.Type(u"A", small);
  view.editor.Type(u"\r", bigBold);
  view.editor.Type(u"B", bigBold);
  const std::u16string text = view.editor.Text();
  const std::vector<CharStyle> styles = CaretStyles(view.editor, text);
  EXPECT_EQ(styles, (std::vector<CharStyle>{small, bigBold, bigBold, bigBold}));
}

TEST_F(ConversionRun, HostModesLayOutTheTextAndCloseWithOk) {
  view.editor.Type(u"A B\rB", small);
  const struct {
    int mode;
    CellSizing sizing;
    double height, factor;
  } cases[] = {{dmHostDefault, CellSizing::FixedCell, 0.0, 0.0}, {dmHostSized, CellSizing::HostSized, 2.5, 0.8}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    view.closedWithOk = 0;
    const auto expected = ExpectedLayout({c.sizing, c.height, c.factor, 0.65});
    Run(c.mode, c.height, c.factor);
    EXPECT_EQ(view.closedWithOk, 1);
    EXPECT_EQ(StoreRecords(), expected);  // the store stays filled for the host
    EXPECT_TRUE(view.messages.empty());
    EXPECT_FALSE(converting);
    EXPECT_EQ(view.selectionChanges, 0);  // the caret is not put back
  }
  EXPECT_EQ(view.waitCursor, (std::vector<bool>{true, false, true, false}));
}

TEST_F(ConversionRun, EveryCaretMoveOfTheWalkHappensWhileConverting) {
  view.editor.Type(u"AB\rA", small);
  view.editor.caret = 1;
  view.fileNames.push_back(std::nullopt);
  Run(dmStandalone);
  EXPECT_EQ(view.editor.movesWhileConverting, (std::vector<int>{1, 2, 3, 4}));
}

TEST_F(ConversionRun, NothingToConvertSaysSoAndLeavesTheDialogOpen) {
  for (int mode : {dmHostDefault, dmStandalone}) {
    RecordingRunView quiet;
    quiet.editor.Type(u"   ", small);
    RunConversion(quiet, source, ModeFields{mode, 0.0, 0.0}, converting);
    EXPECT_EQ(quiet.messages, std::vector<std::u16string>{std::u16string(kNothingToConvert)});
    EXPECT_EQ(quiet.closedWithOk, 0);
    EXPECT_EQ(GetTTFCount(), 0);
  }
}

TEST_F(ConversionRun, StandaloneSavesTheLayoutAtTheBoxWidthFactorAndPutsTheCaretBack) {
  TempFolder folder;
  view.editor.Type(u"AB", small);
  view.editor.Type(u"A", bigBold);
  view.editor.caret = 2;
  view.widthText = u"0.8";
  const auto expected = ExpectedLayout({CellSizing::PointSize, 0.0, 0.0, 0.8});
  for (const Rec& r : expected) gPointList.Add(r.x, r.y, r.kind);
  const std::string expectedDxf = DxfText();
  FreePointList();

  view.fileNames = {folder.Path("text.dxf")};
  Run(dmStandalone);
  EXPECT_EQ(std::filesystem::file_size(folder.Path("text.dxf")), expectedDxf.size());
  EXPECT_EQ(GetTTFCount(), 0);
  EXPECT_EQ(view.closedWithOk, 0);
  EXPECT_EQ(view.editor.caret, 2);
  EXPECT_EQ(view.editor.movesAfterwards, std::vector<int>{2});
  EXPECT_EQ(view.selectionChanges, 1);
  EXPECT_EQ(view.previewRepaints, 1);
  EXPECT_FALSE(converting);
}

TEST_F(ConversionRun, StandaloneSaveCancelledOrRefusedClearsTheStore) {
  TempFolder folder;
  const std::string blocked = folder.Path("missing/out.dxf");
  view.editor.Type(u"A", small);
  view.fileNames = {std::nullopt, blocked};
  Run(dmStandalone);
  EXPECT_TRUE(view.messages.empty());
  EXPECT_EQ(GetTTFCount(), 0);
  Run(dmStandalone);
  ASSERT_EQ(view.messages.size(), 1u);
  const std::u16string start = u"Cannot create file \"" + std::u16string(blocked.begin(), blocked.end()) + u"\". ";
  EXPECT_EQ(view.messages[0].substr(0, start.size()), start);
  EXPECT_GT(view.messages[0].size(), start.size());
  EXPECT_EQ(GetTTFCount(), 0);
  EXPECT_TRUE(std::filesystem::is_empty(folder.folder()));
}

TEST_F(ConversionRun, AnErrorEndsTheRunWithTheCursorConvertingAndCaretRestored) {
  source.glyphs[u'B'].throwsBadAlloc = true;
  view.editor.Type(u"AB", small);
  view.editor.caret = 1;
  EXPECT_THROW(Run(dmStandalone), std::bad_alloc);
  EXPECT_FALSE(converting);
  EXPECT_EQ(view.waitCursor, (std::vector<bool>{true, false}));
  EXPECT_EQ(view.editor.caret, 1);
  EXPECT_EQ(view.selectionChanges, 1);
}

}  // namespace
}  // namespace vx::test
