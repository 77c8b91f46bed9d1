// The symbol palette on real widgets: toggling, face changes, fitting, selecting, inserting, and one glyph everywhere.
#include <gtest/gtest.h>

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QImage>
#include <QPainterPath>
#include <QPushButton>
#include <QRawFont>
#include <QScrollArea>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QToolButton>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "dialog/SymbolFit.h"
#include "dialog/qt/EditorDocument.h"
#include "dialog/qt/MainDlg.h"
#include "dialog/qt/RichEditBox.h"
#include "dialog/qt/SymbolCell.h"
#include "dxf/DxfWriter.h"
#include "engine/HostQueries.h"
#include "engine/PointStore.h"
#include "platform/fonts/FontconfigGlyphSource.h"
#include "richtext/DocumentFiles.h"
#include "richtext/LayoutInput.h"
#include "tests/support/StoreContents.h"
#include "tests/support/TempRegistryDir.h"
#include "tests/support/qt/TestApplication.h"

namespace vx {
namespace {

using test::StoreRecords;

// Wingdings 0x47 is a hand, 0x6C a filled circle; Wine's Webdings and Marlett
// both have glyphs at 0x30..0x36.
constexpr int kHand = 0x47;
constexpr int kCircle = 0x6C;
constexpr int kCircleNeighbour = 0x6E;  // in the same row as kCircle

class Palette : public ::testing::Test {
 protected:
  void SetUp() override {
    test::TestApplication();
    TFormEnvironment environment;
    environment.displayFamilies = [] {
      return std::vector<std::string>{"DejaVu Sans", "Liberation Serif", "Marlett", "Webdings",
                                      "Wingdings"};
    };
    form = std::make_unique<TForm1>(environment);
    form->show();  // runs the show step: no settings yet, so the palette is closed
    QApplication::processEvents();
  }
  void TearDown() override {
    form->hide();
    form.reset();
  }

  SymbolCell* Cell(int code) { return form->SymbolCells[static_cast<std::size_t>(code - 32)]; }

  void ChooseSymbolFace(const QString& face) {
    const int index = form->cSymbol->findText(face);
    ASSERT_GE(index, 0) << face.toStdString();
    form->cSymbol->setCurrentIndex(index);
    emit form->cSymbol->activated(index);  // what a pick from the list raises
  }

  void OpenPalette() {
    if (!form->sbSymbol->isChecked()) QTest::mouseClick(form->sbSymbol, Qt::LeftButton);
    ASSERT_TRUE(form->Panel2->isVisible());
  }

  // The document with one run of text in one format, caret at the end.
  void SetText(const std::u16string& text, const std::string& face, int points, bool bold) {
    StyledText document;
    CharFormat format;
    format.face = face;
    format.halfPoints = points * 2;
    format.bold = bold;
    document.lines[0].runs.push_back({text, format});
    document.lines[0].endFormat = format;
    form->Memo1->SetDocument(document);
  }

  EditorAttributes AttributesOfChar(int position) {
    form->Memo1->Select(position, 1);
    return form->Memo1->SelAttributes();
  }

  QImage Grab(SymbolCell* cell) { return cell->grab().toImage(); }

  // Scrolls the cell into view and clicks (or double-clicks) it as a user would.
  void ClickCell(int code, bool twice = false) {
    form->ScrollBox2->ensureWidgetVisible(Cell(code));
    QApplication::processEvents();
    if (twice) {
      QTest::mouseDClick(Cell(code), Qt::LeftButton);
    } else {
      QTest::mouseClick(Cell(code), Qt::LeftButton);
    }
  }

  test::TempRegistryDir store;  // no settings: the palette starts closed
  std::unique_ptr<TForm1> form;
};

// Counts the paints a widget receives.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

bool IsBlack(QRgb pixel) { return (pixel & 0xFFFFFF) == 0; }

TEST_F(Palette, CellsStandFourToARowWithTheirCodesAsTags) {
  struct Case {
    int code;
    QPoint position;
  };
  const Case cases[] = {{32, {0, 0}},    {35, {180, 0}},   {36, {0, 60}},
                        {127, {180, 1380}}, {128, {0, 1440}}, {255, {180, 3300}}};
  const QColor infoBackground = QApplication::palette().color(QPalette::ToolTipBase);
  for (const Case& c : cases) {
    SymbolCell* cell = Cell(c.code);
    ASSERT_NE(cell, nullptr) << c.code;
    EXPECT_EQ(cell->Tag(), c.code);
    EXPECT_EQ(cell->geometry(), QRect(c.position, QSize(60, 60))) << c.code;
    EXPECT_EQ(cell->parentWidget(), form->ScrollBox2->widget()) << c.code;
    EXPECT_EQ(cell->Charset(), CharSet::Symbol) << c.code;
    EXPECT_EQ(cell->FontColor(), QColor(0, 0, 255)) << c.code;
    EXPECT_EQ(cell->font().pointSize(), 40) << c.code << ": not painted yet, so as built";
    EXPECT_EQ(cell->palette().color(cell->backgroundRole()), infoBackground) << c.code;
  }
  EXPECT_EQ(form->ScrollBox2->widget()->size(), QSize(240, 3360));
  EXPECT_EQ(form->SelectedCell, nullptr);
}

TEST_F(Palette, TheButtonShowsAndHidesThePanelAndTheInsertButton) {
  EXPECT_FALSE(form->Panel2->isVisible());
  EXPECT_FALSE(form->bInsSym->isVisible());
  QTest::mouseClick(form->sbSymbol, Qt::LeftButton);
  EXPECT_TRUE(form->sbSymbol->isChecked());
  EXPECT_TRUE(form->Panel2->isVisible());
  EXPECT_TRUE(form->bInsSym->isVisible());
  QTest::mouseClick(form->sbSymbol, Qt::LeftButton);
  EXPECT_FALSE(form->Panel2->isVisible());
  EXPECT_FALSE(form->bInsSym->isVisible());
}

TEST_F(Palette, AFaceChangeReachesAll224CellsAndApplyFailsWithoutAnItem) {
  ASSERT_EQ(form->cSymbol->count(), 3);  // the three symbol faces of the list
  form->cSymbol->setCurrentIndex(-1);
  const QString before = Cell(255)->font().family();
  EXPECT_FALSE(form->ApplySymbolFont());
  EXPECT_EQ(Cell(255)->font().family(), before);

  OpenPalette();
  ChooseSymbolFace("Marlett");
  const QImage marlett = Grab(Cell(0x30));
  ChooseSymbolFace("Webdings");
  for (SymbolCell* cell : form->SymbolCells) {
    EXPECT_EQ(cell->font().family(), "Webdings") << cell->Tag();
  }
  EXPECT_NE(Grab(Cell(0x30)), marlett) << "the cell shows the new face's glyph";
}

TEST_F(Palette, PaintingFitsEachCellToItsGlyph) {
  OpenPalette();
  ChooseSymbolFace("Wingdings");
  SymbolCell* cell = Cell(kCircle);
  QFont font = cell->font();
  font.setPointSize(40);
  cell->setFont(font);
  const QFontMetrics at40(font);
  const QString text{QChar(char16_t(kCircle))};
  const int expected = FitSymbolSize(40, at40.horizontalAdvance(text), at40.height());
  Grab(cell);  // one paint measures at 40 points and sets the fitted size
  EXPECT_EQ(cell->font().pointSize(), expected);
  // Repainting until nothing changes ends with a size the rule keeps.
  for (int round = 0; round < 5; ++round) Grab(cell);
  const QFontMetrics fitted(cell->font());
  EXPECT_EQ(FitSymbolSize(cell->font().pointSize(), fitted.horizontalAdvance(text), fitted.height()),
            cell->font().pointSize());
}

TEST_F(Palette, ASizeTheRuleKeepsPaintsOnlyOnce) {
  OpenPalette();
  ChooseSymbolFace("Wingdings");
  SymbolCell* cell = Cell(kHand);
  form->ScrollBox2->ensureWidgetVisible(cell);
  for (int round = 0; round < 5; ++round) Grab(cell);  // settle the size
  QApplication::processEvents();
  PaintCounter counter(cell);
  cell->repaint();
  QApplication::processEvents();
  EXPECT_EQ(counter.paints, 1);
}

TEST_F(Palette, TwoClicksLeaveOneFrameAndRepaintAtOnce) {
  OpenPalette();
  ChooseSymbolFace("Wingdings");
  SymbolCell* a = Cell(kCircle);
  SymbolCell* b = Cell(kCircleNeighbour);
  form->ScrollBox2->ensureWidgetVisible(a);
  QApplication::processEvents();
  PaintCounter paintsA(a);
  QTest::mouseClick(a, Qt::LeftButton);
  EXPECT_GE(paintsA.paints, 1) << "the selected cell repaints at once";
  EXPECT_EQ(form->SelectedCell, a);
  const int beforeSecond = paintsA.paints;
  QTest::mouseClick(b, Qt::LeftButton);
  EXPECT_GT(paintsA.paints, beforeSecond) << "the former selection repaints at once";
  EXPECT_EQ(form->SelectedCell, b);

  const QImage imageA = Grab(a), imageB = Grab(b);
  EXPECT_FALSE(IsBlack(imageA.pixel(0, 0)));
  EXPECT_FALSE(IsBlack(imageA.pixel(59, 59)));
  for (QPoint corner : {QPoint(0, 0), QPoint(59, 0), QPoint(0, 59), QPoint(59, 59), QPoint(30, 0)}) {
    EXPECT_TRUE(IsBlack(imageB.pixel(corner))) << corner.x() << "," << corner.y();
  }
  EXPECT_EQ(imageB.pixel(1, 1), imageA.pixel(1, 1)) << "inside the frame: the background";
}

TEST_F(Palette, TheGlyphIsDrawnInPureBlueAndCentred) {
  OpenPalette();
  ChooseSymbolFace("Wingdings");
  SymbolCell* cell = Cell(kCircle);
  for (int round = 0; round < 5; ++round) Grab(cell);
  const QImage image = Grab(cell);
  const QRgb background = image.pixel(0, 0);
  int left = 60, right = -1, top = 60, bottom = -1, blue = 0;
  for (int y = 0; y < 60; ++y) {
    for (int x = 0; x < 60; ++x) {
      const QRgb pixel = image.pixel(x, y);
      if (pixel == background) continue;
      if ((pixel & 0xFFFFFF) == 0x0000FF) ++blue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  ASSERT_GT(blue, 100) << "a filled circle in the font colour";
  EXPECT_LE(std::abs(left - (59 - right)), 2) << "centred horizontally";
}

TEST_F(Palette, CodeThirtyTwoIsSelectableAndInsertsThreeSpaces) {
  OpenPalette();
  ChooseSymbolFace("Wingdings");
  SetText(u"", "DejaVu Sans", 30, false);
  ClickCell(32);
  EXPECT_TRUE(IsBlack(Grab(Cell(32)).pixel(0, 0)));
  ClickCell(32, true);
  EXPECT_EQ(form->Memo1->Text(), u"   ");
}

TEST_F(Palette, InsertingAtTheCaretFramesTheSymbolAndKeepsTheFormerFace) {
  OpenPalette();
  ChooseSymbolFace("Wingdings");
  SetText(u"abc", "DejaVu Sans", 20, true);
  form->Memo1->SetSelStart(1);
  ClickCell(kHand);
  ClickCell(kHand, true);
  EXPECT_EQ(form->Memo1->Text(), u"a G bc");
  EXPECT_EQ(form->Memo1->SelStart(), 4);
  EXPECT_EQ(form->Memo1->SelLength(), 0);
  // Typing goes on in the former face and charset.
  QTest::keyClicks(form->Memo1, "x");
  EXPECT_EQ(form->Memo1->Text(), u"a G xbc");

  const EditorAttributes symbol = AttributesOfChar(2);
  EXPECT_EQ(symbol.face, "Wingdings");
  EXPECT_EQ(symbol.charset, CharSet::Symbol);
  EXPECT_EQ(symbol.size, 20) << "size from the surroundings";
  EXPECT_TRUE(symbol.bold) << "weight from the surroundings";
  for (int position : {1, 3, 4}) {
    const EditorAttributes around = AttributesOfChar(position);
    EXPECT_EQ(around.face, "DejaVu Sans") << position;
    EXPECT_EQ(around.charset, CharSet::Default) << position;
    EXPECT_EQ(around.size, 20) << position;
  }
}

TEST_F(Palette, ASelectionStaysAndTheButtonInsertsAgainAndAgain) {
  OpenPalette();
  ChooseSymbolFace("Wingdings");
  SetText(u"xyz", "Liberation Serif", 30, false);
  ClickCell(kCircle);
  form->Memo1->Select(1, 2);
  QTest::mouseClick(form->bInsSym, Qt::LeftButton);
  EXPECT_EQ(form->Memo1->Text(), u"x l yz");
  EXPECT_EQ(form->Memo1->SelStart(), 4);
  EXPECT_EQ(form->Memo1->SelLength(), 0);
  QTest::mouseClick(form->bInsSym, Qt::LeftButton);
  EXPECT_EQ(form->Memo1->Text(), u"x l  l yz");
  EXPECT_EQ(form->SelectedCell, Cell(kCircle)) << "an insertion keeps the selection";
}

TEST_F(Palette, AfterShowingAgainNoCellIsFramedAndTheButtonDoesNothing) {
  OpenPalette();
  ChooseSymbolFace("Wingdings");
  ClickCell(kCircle);
  form->hide();
  form->show();
  QApplication::processEvents();
  EXPECT_EQ(form->SelectedCell, nullptr);
  OpenPalette();
  EXPECT_FALSE(IsBlack(Grab(Cell(kCircle)).pixel(0, 0)));
  SetText(u"ab", "DejaVu Sans", 30, false);
  QTest::mouseClick(form->bInsSym, Qt::LeftButton);
  EXPECT_EQ(form->Memo1->Text(), u"ab");
}

TEST_F(Palette, TheEditorShowsTheSymbolFacesOwnGlyphForEachCode) {
  const QRawFont wingdings = QRawFont::fromFont(QFont("Wingdings", 30));
  ASSERT_TRUE(wingdings.isValid());
  ASSERT_EQ(wingdings.familyName(), "Wingdings");
  ChooseSymbolFace("Wingdings");
  int checked = 0;
  for (int code = 32; code <= 255; ++code) {
    const quint32 wanted = wingdings.glyphIndexesForString(QString(QChar(char16_t(0xF000 + code)))).value(0);
    if (wanted == 0) continue;  // the face has no glyph for this code
    SetText(u"", "DejaVu Sans", 30, false);
    form->PanelSClick(Cell(code));
    form->PanelSDblClick(nullptr);
    QTextBlock block = form->Memo1->document()->begin();
    form->Memo1->document()->documentLayout()->documentSize();  // lay the text out
    const QList<QGlyphRun> runs = block.layout()->glyphRuns(1, 1);  // space, symbol, space
    ASSERT_EQ(runs.size(), 1) << code;
    EXPECT_EQ(runs[0].rawFont().familyName(), "Wingdings") << code;
    EXPECT_EQ(runs[0].glyphIndexes().value(0), wanted) << code;
    ++checked;
  }
  EXPECT_GT(checked, 40);
}

TEST_F(Palette, TheSymbolHasOneGeometryInPreviewRunDxfAndASavedFile) {
  OpenPalette();
  ChooseSymbolFace("Wingdings");
  SetText(u"", "DejaVu Sans", 30, false);
  ClickCell(kHand);
  form->PanelSDblClick(nullptr);
  ASSERT_EQ(form->Memo1->Text(), u" G ");

  // The preview of the selected symbol: the glyph at 200 x 200 from (0, 0).
  form->Memo1->Select(1, 1);
  const auto preview = StoreRecords();
  ASSERT_GT(preview.size(), 4u);

  // Wingdings' own glyph for the code (at U+F047 of its symbol map), not a
  // missing-glyph box or another face's letter: as many closed contours.
  const QRawFont wingdings = QRawFont::fromFont(QFont("Wingdings", 30));
  const quint32 glyph = wingdings.glyphIndexesForString(QString(QChar(char16_t(0xF000 + kHand)))).value(0);
  ASSERT_NE(glyph, 0u);
  const auto closings = std::count_if(preview.begin(), preview.end(),
                                      [](const auto& r) { return r.kind != pkPoint; });
  EXPECT_EQ(closings, wingdings.pathForGlyph(glyph).toSubpathPolygons().size());

  // The conversion run in the host mode without a size: the same font
  // request, the pen one space (200 units) on.
  form->FMode = dmHostDefault;
  form->OkBtnClick(form->OkBtn);
  auto run = StoreRecords();
  const std::string dxf = DxfText();
  ASSERT_EQ(run.size(), preview.size());
  for (std::size_t i = 0; i < run.size(); ++i) {
    EXPECT_EQ(run[i].kind, preview[i].kind) << i;
    EXPECT_NEAR(run[i].x - 200.0, preview[i].x, 1e-9) << i;
    EXPECT_NEAR(run[i].y, preview[i].y, 1e-9) << i;
  }

  // The file saved from the editor, read back and laid out as the command
  // line does: the same points.
  test::TempRegistryDir scratch;
  const std::string file = scratch.path() + "/symbol.rtf";
  std::string error;
  ASSERT_TRUE(SaveRtfFile(file, form->Memo1->Document(), error)) << error;
  const LoadResult loaded = LoadDocumentFile(file, RichEditBox::DefaultFormat());
  ASSERT_TRUE(loaded.ok) << loaded.error;
  EXPECT_EQ(loaded.text.lines[0].runs.size(), 3u);
  const LayoutInput input = ToLayoutInput(loaded.text);
  ASSERT_EQ(input.text, u" G ");
  EXPECT_EQ(input.styles[1].face, "Wingdings");
  FreePointList();
  FontconfigGlyphSource source;
  LayoutSettings settings;
  settings.sizing = CellSizing::FixedCell;
  LayoutText(source, input.text, input.styles, settings);
  EXPECT_EQ(StoreRecords(), run);
  EXPECT_EQ(DxfText(), dxf);
}

}  // namespace
}  // namespace vx
