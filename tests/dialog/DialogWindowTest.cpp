// The text dialog on real widgets: modes, editor, formatting handlers, conversion run, save, preview, catalogue.
#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QFrame>
#include <QKeyEvent>
#include <QLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <filesystem>
#include <limits>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include <cstdlib>

#include "dialog/DialogModes.h"
#include "dialog/FormGeometry.h"
#include "dialog/PreviewMapping.h"
#include "dialog/qt/DialogWidgets.h"
#include "dialog/qt/InitProgress.h"
#include "dialog/qt/MainDlg.h"
#include "dialog/qt/RichEditBox.h"
#include "dialog/qt/SymbolCell.h"
#include "dxf/DxfWriter.h"
#include "engine/HostQueries.h"
#include "engine/OutlineFlattening.h"
#include "engine/PointStore.h"
#include "platform/fonts/FontCatalog.h"
#include "platform/fonts/FontconfigGlyphSource.h"
#include "richtext/LayoutInput.h"
#include "tests/dialog/MixedStyleCases.h"
#include "tests/dialog/PictureChecks.h"
#include "tests/support/FileBytes.h"
#include "tests/support/StoreContents.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TempRegistryDir.h"
#include "tests/support/qt/ModalWindows.h"
#include "tests/support/qt/TestApplication.h"

namespace {

using vx::CharFormat;
using vx::StyledLine;
using vx::StyledRun;
using vx::StyledText;
using vx::test::Rec;
using vx::test::StoreRecords;

// A typed character as the keyboard delivers it, whatever its key.
void TypeCharacter(QWidget* widget, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
  QApplication::sendEvent(widget, &press);
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, text);
  QApplication::sendEvent(widget, &release);
}

// A key with the text that the keyboard delivers with it.
void PressKey(QWidget* widget, Qt::Key key, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(widget, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QApplication::sendEvent(widget, &release);
}

// Runs body once the dialog is shown modally; body must close it.
int RunDialog(int mode, double height, double widthFactor, std::function<void(TForm1&)> body) {
  vx::test::WhenModal(QStringLiteral("Form1"), [body](QWidget*) { body(*Form1); });
  return ShowTTFTextDlg(mode, height, widthFactor);
}

CharFormat Format(const char* face, int points, bool bold = false, bool italic = false) {
  CharFormat f;
  f.face = face;
  f.halfPoints = points * 2;
  f.bold = bold;
  f.italic = italic;
  return f;
}

// Two lines of mixed faces, sizes and styles, an empty line, and a line at 250
// points (outlined at its own size in the stand-alone mode).
StyledText MixedDocument() {
  StyledText doc;
  doc.lines.clear();
  doc.lines.push_back(StyledLine{{StyledRun{u"Ab", Format("DejaVu Sans", 30)},
                                  StyledRun{u"c", Format("Liberation Serif", 12, true, true)}},
                                 Format("Liberation Serif", 12, true, true)});
  doc.lines.push_back(StyledLine{{StyledRun{u"D e", Format("DejaVu Serif", 72, true)}}, Format("DejaVu Serif", 72, true)});
  doc.lines.push_back(StyledLine{{}, Format("DejaVu Sans", 20)});
  doc.lines.push_back(StyledLine{{StyledRun{u"f\tg", Format("Liberation Sans", 250, false, true)}},
                                 Format("Liberation Sans", 250)});
  return doc;
}

// What the engine's layout makes of the same styled text.
std::vector<Rec> ExpectedLayout(const StyledText& doc, int mode, double height, double widthFactor,
                                double dialogWidthFactor) {
  static vx::FontconfigGlyphSource source;
  const vx::LayoutInput input = vx::ToLayoutInput(doc);
  vx::LayoutSettings settings;
  settings.sizing = vx::SizingOfMode(mode);
  settings.hostHeight = height;
  settings.hostWidthFactor = widthFactor;
  settings.widthFactor = dialogWidthFactor;
  FreePointList();
  vx::LayoutText(source, input.text, input.styles, settings);
  auto records = StoreRecords();
  FreePointList();
  return records;
}

class Dialog : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { vx::test::TestApplication(); }
  void TearDown() override {
    ShowTTFTextDlg(99, 0, 0);
    FreePointList();
    QGuiApplication::clipboard()->clear();
  }
  // Each test starts from a first use: no settings stored yet.
  vx::test::TempRegistryDir registry_;
};

// ---- Entry and modes --------------------------------------------------------

TEST_F(Dialog, ModesSetCaptionsAndControlsAcrossCallsOnOneInstance) {
  struct Seen {
    QString title, ok, okHint, cancel;
    bool panel5, acad, minimize, maximize;
    double hostHeight, hostWidthFactor;
    int mode;
  };
  const auto look = [](TForm1& f) {
    return Seen{f.windowTitle(), f.OkBtn->text(), f.OkBtn->toolTip(), f.CancelBtn->text(),
                !f.Panel5->isHidden(), !f.AcadBtn->isHidden(),
                bool(f.windowFlags() & Qt::WindowMinimizeButtonHint), bool(f.windowFlags() & Qt::WindowMaximizeButtonHint),
                f.FHostHeight, f.FHostWidthFactor, f.FMode};
  };
  Seen seen{};
  const auto showAndCancel = [&](int mode, double h, double w) {
    return RunDialog(mode, h, w, [&](TForm1& f) {
      seen = look(f);
      QTest::mouseClick(f.CancelBtn, Qt::LeftButton);
    });
  };
  // A new dialog in the stand-alone mode shows everything.
  EXPECT_EQ(showAndCancel(1, 0, 0), 0);
  EXPECT_EQ(seen.title, "Vexoglyph V1.9");
  EXPECT_EQ(seen.ok, "Save to dxf...");
  EXPECT_EQ(seen.okHint, "Save text outline to DXF file");
  EXPECT_EQ(seen.cancel, "Close");
  EXPECT_TRUE(seen.panel5 && seen.acad && seen.minimize && seen.maximize);

  EXPECT_EQ(showAndCancel(0, 2.5, 0.8), 0);
  EXPECT_EQ(seen.title, "Input Text [Vexoglyph v1.9]");
  EXPECT_EQ(seen.ok, "OK");
  EXPECT_EQ(seen.okHint, "");
  EXPECT_EQ(seen.cancel, "Cancel");
  EXPECT_FALSE(seen.panel5 || seen.acad || seen.minimize);
  EXPECT_TRUE(seen.maximize);
  EXPECT_EQ(seen.hostHeight, 2.5);
  EXPECT_EQ(seen.hostWidthFactor, 0.8);
  EXPECT_EQ(seen.mode, 0);

  // The default host mode leaves the host's height and factor as they were.
  EXPECT_EQ(showAndCancel(-1, 9.0, 9.0), 0);
  EXPECT_EQ(seen.hostHeight, 2.5);
  EXPECT_EQ(seen.hostWidthFactor, 0.8);
  EXPECT_EQ(seen.mode, -1);

  // A stand-alone call after a host call: the panel and Acad stay hidden,
  // the minimize box comes back.
  EXPECT_EQ(showAndCancel(1, 0, 0), 0);
  EXPECT_FALSE(seen.panel5 || seen.acad);
  EXPECT_TRUE(seen.minimize);
  EXPECT_EQ(showAndCancel(0, 1.0, 1.0), 0);
  EXPECT_FALSE(seen.minimize);
}

TEST_F(Dialog, AnyOtherModeReleasesTheDialog) {
  for (int mode : {2, 7, -2}) {
    RunDialog(-1, 0, 0, [](TForm1& f) { f.reject(); });
    ASSERT_NE(Form1, nullptr);
    EXPECT_EQ(ShowTTFTextDlg(mode, 0, 0), 0);
    EXPECT_EQ(Form1, nullptr);
  }
  // A release call from inside the dialog's own run ends the run first.
  int inner = -1;
  EXPECT_EQ(RunDialog(-1, 0, 0, [&](TForm1&) { inner = ShowTTFTextDlg(2, 0, 0); }), 0);
  EXPECT_EQ(inner, 0);
  EXPECT_EQ(Form1, nullptr);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  // With no dialog the release call creates one and destroys it again.
  EXPECT_EQ(ShowTTFTextDlg(5, 0, 0), 0);
  EXPECT_EQ(Form1, nullptr);
  EXPECT_EQ(Form2, nullptr);
}

// NaN or an infinity would reach the host as NaN coordinates.
TEST_F(Dialog, ASizedHostCallWithNumbersThatAreNotFiniteReturnsZeroWithoutShowing) {
  int shown = 0;
  QTimer typeAndConfirm;  // converts "A" in any dialog that comes up
  QObject::connect(&typeAndConfirm, &QTimer::timeout, [&] {
    if (Form1 == nullptr || !Form1->isVisible() || QApplication::activeModalWidget() != Form1) return;
    ++shown;
    QTest::keyClicks(Form1->Memo1, "A");
    QTest::mouseClick(Form1->OkBtn, Qt::LeftButton);
  });
  typeAndConfirm.start(10);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  for (const auto& [height, widthFactor] : {std::pair{nan, 0.8}, {2.5, nan}, {inf, 0.8}, {2.5, -inf}}) {
    EXPECT_EQ(ShowTTFTextDlg(vx::dmHostSized, height, widthFactor), 0) << height << " " << widthFactor;
  }
  EXPECT_EQ(shown, 0);
  // The other modes do not read the numbers; finite ones show the dialog.
  EXPECT_EQ(ShowTTFTextDlg(vx::dmHostDefault, nan, inf), 1);
  EXPECT_EQ(ShowTTFTextDlg(vx::dmHostSized, 2.5, 0.8), 1);
  EXPECT_EQ(shown, 2);
}

TEST_F(Dialog, ReleaseLeavesTheStoreForTheHost) {
  gPointList.Add(1, 2, pkPoint);
  gPointList.Add(1, 2, pkGlyphEnd);
  ShowTTFTextDlg(99, 0, 0);
  EXPECT_EQ(GetTTFCount(), 2);
}

TEST_F(Dialog, ControlsCarryTheirNamesCaptionsAndSizes) {
  RunDialog(1, 0, 0, [](TForm1& f) {
    EXPECT_EQ(f.objectName(), "Form1");
    EXPECT_EQ(f.size(), QSize(738, 489));
    for (const char* name : {"Memo1", "OkBtn", "CancelBtn", "TrackBar1", "cName", "cHeight", "cWidth", "sbBold",
                             "sbItalic", "Label1", "PreviewBox", "Panel4", "Panel2", "cSymbol", "ScrollBox2",
                             "bInsSym", "About", "SpeedButton3", "AcadBtn", "sbSymbol", "SaveDialog2", "PopupMenu1"}) {
      EXPECT_NE(f.findChild<QObject*>(QString::fromLatin1(name)), nullptr) << name;
    }
    EXPECT_EQ(f.PreviewBox->size(), QSize(108, 89));
    EXPECT_EQ(f.Panel4->size(), QSize(112, 93));
    EXPECT_EQ(f.Panel2->width(), 261);
    EXPECT_TRUE(f.Panel2->isHidden());
    EXPECT_TRUE(f.bInsSym->isHidden());
    EXPECT_EQ(f.bInsSym->text(), "<--------  Insert Symbol");
    EXPECT_EQ(f.sbItalic->text(), "I ");
    EXPECT_EQ(f.Label3->text(), "Select Font :    ");
    EXPECT_EQ(f.TrackBar1->minimum(), 1);
    EXPECT_EQ(f.TrackBar1->maximum(), 32);
    EXPECT_EQ(f.TrackBar1->tickInterval(), 4);
    EXPECT_EQ(f.cHeight->count(), 21);
    EXPECT_EQ(f.cWidth->currentText(), "0.65");
    EXPECT_EQ(f.PreviewBox->toolTip(), "Preview");
    QStringList items;
    for (QAction* a : f.PopupMenu1->actions()) items << a->text();
    EXPECT_EQ(items, (QStringList{"C&ut", "&Copy", "&Paste", "&Undo"}));
    f.reject();
  });
}

// The picture buttons draw the pictures both views share, and those without
// a hint of their own show their captions as hints.
TEST_F(Dialog, PictureButtonsDrawTheSharedPictures) {
  RunDialog(1, 0, 0, [](TForm1& f) {
    const std::pair<QAbstractButton*, vx::ButtonPicture> buttons[] = {
        {f.SpeedButton1, vx::ButtonPicture::OpenFile}, {f.SpeedButton2, vx::ButtonPicture::SaveFile},
        {f.sbSymbol, vx::ButtonPicture::SymbolList},   {f.About, vx::ButtonPicture::About},
        {f.AcadBtn, vx::ButtonPicture::Acad},          {f.SpeedButton3, vx::ButtonPicture::Help},
        {f.OkBtn, vx::ButtonPicture::Ok},              {f.CancelBtn, vx::ButtonPicture::Cancel}};
    for (const auto& [button, picture] : buttons) {
      SCOPED_TRACE(button->objectName().toStdString());
      const QImage image = button->icon()
                               .pixmap(vx::kButtonPictureSize, vx::kButtonPictureSize)
                               .toImage()
                               .convertToFormat(QImage::Format_ARGB32);
      ASSERT_EQ(image.size(), QSize(vx::kButtonPictureSize, vx::kButtonPictureSize));
      vx::test::ExpectDrawnAsDescribed(picture, [&image](int x, int y) { return image.pixel(x, y); });
    }
    EXPECT_EQ(f.About->toolTip(), "About");
    EXPECT_EQ(f.AcadBtn->toolTip(), "Acad");
    f.reject();
  });
}

// ---- The rich-text box --------------------------------------------------------

TEST_F(Dialog, TheBoxReportsCrLfTextAndCountsABreakOnce) {
  RunDialog(-1, 0, 0, [](TForm1& f) {
    vx::RichEditBox& memo = *f.Memo1;
    int changes = 0;
    QObject::connect(&memo, &vx::RichEditBox::SelectionChange, [&] { ++changes; });
    QTest::keyClicks(&memo, "Ab");
    EXPECT_EQ(changes, 2);
    QTest::keyClick(&memo, Qt::Key_Return);
    QTest::keyClick(&memo, Qt::Key_Return, Qt::ShiftModifier);  // also a plain paragraph
    QTest::keyClicks(&memo, "c");
    EXPECT_EQ(memo.Text(), u"Ab\r\n\r\nc");
    EXPECT_EQ(memo.SelStart(), 5);  // A b | | c: each break one position
    memo.Select(4, 1);
    EXPECT_EQ(memo.textCursor().selectedText(), "c");
    const int before = changes;
    memo.SetSelStart(1);
    QTest::keyClick(&memo, Qt::Key_Delete);  // deleting moves no caret, still a change
    EXPECT_GE(changes, before + 2);
    EXPECT_EQ(memo.Text(), u"A\r\n\r\nc");
    f.reject();
  });
}

TEST_F(Dialog, TheBoxStartsInTimesNewRoman30AndReportsTheFirstSelectedCharacter) {
  RunDialog(-1, 0, 0, [](TForm1& f) {
    vx::RichEditBox& memo = *f.Memo1;
    EXPECT_EQ(memo.SelAttributes().face, "Times New Roman");
    EXPECT_EQ(memo.SelAttributes().size, 30);
    StyledText doc;
    doc.lines[0].runs = {StyledRun{u"ab", Format("DejaVu Sans", 12, true)}, StyledRun{u"cd", Format("DejaVu Serif", 40)}};
    memo.SetDocument(doc);
    memo.Select(1, 2);  // b and c: reports b
    EXPECT_EQ(memo.SelAttributes(), (vx::EditorAttributes{"DejaVu Sans", 12, true, false, vx::CharSet::Default}));
    memo.SetSelStart(3);  // after c
    EXPECT_EQ(memo.SelAttributes().face, "DejaVu Serif");
    EXPECT_EQ(f.cName->currentText(), "DejaVu Serif");
    EXPECT_EQ(f.cHeight->currentText(), "40");
    EXPECT_FALSE(f.sbBold->isChecked());
    memo.SetSelStart(1);
    EXPECT_TRUE(f.sbBold->isChecked());
    f.reject();
  });
}

TEST_F(Dialog, CopyAndPasteKeepFormatsThroughOurRtf) {
  RunDialog(-1, 0, 0, [](TForm1& f) {
    vx::RichEditBox& memo = *f.Memo1;
    StyledText doc;
    doc.lines[0].runs = {StyledRun{u"xy", Format("DejaVu Serif", 50, false, true)}};
    memo.SetDocument(doc);
    memo.Select(0, 2);
    f.Copy1Click(nullptr);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->hasFormat("text/rtf")) << data->formats().join(",").toStdString();
    EXPECT_TRUE(data->data("text/rtf").startsWith("{\\rtf"));
    memo.SetSelStart(2);
    f.Paste1Click(nullptr);
    EXPECT_EQ(memo.Text(), u"xyxy");
    memo.SetSelStart(4);
    EXPECT_EQ(memo.SelAttributes(), (vx::EditorAttributes{"DejaVu Serif", 50, false, true, vx::CharSet::Default}));

    // Plain text takes the format at the caret; HTML keeps its own.
    auto* plain = new QMimeData;
    plain->setText("p\r\nq");
    QGuiApplication::clipboard()->setMimeData(plain);
    f.Paste1Click(nullptr);
    EXPECT_EQ(memo.Text(), u"xyxyp\r\nq");
    EXPECT_EQ(memo.SelAttributes().face, "DejaVu Serif");
    auto* html = new QMimeData;
    html->setHtml("<span style=\"font-family:'DejaVu Sans'; font-size:20pt; font-weight:700\">h</span>");
    html->setText("h");
    QGuiApplication::clipboard()->setMimeData(html);
    f.Paste1Click(nullptr);
    EXPECT_EQ(memo.SelAttributes(), (vx::EditorAttributes{"DejaVu Sans", 20, true, false, vx::CharSet::Default}));
    f.reject();
  });
}

// Paste is offered for every format the box pastes: rich text alone too.
TEST_F(Dialog, TheContextMenuPastesRichTextAlone) {
  RunDialog(-1, 0, 0, [](TForm1& f) {
    auto* rtf = new QMimeData;
    rtf->setData("text/rtf", "{\\rtf1\\ansi{\\fonttbl{\\f0 DejaVu Serif;}}\\f0\\fs40\\b r}");
    QGuiApplication::clipboard()->setMimeData(rtf);
    f.PopupMenu1Popup(nullptr);
    EXPECT_TRUE(f.Paste1->isEnabled());
    f.Paste1Click(nullptr);
    EXPECT_EQ(f.Memo1->Text(), u"r");
    f.Memo1->Select(0, 1);
    EXPECT_EQ(f.Memo1->SelAttributes(), (vx::EditorAttributes{"DejaVu Serif", 20, true, false, vx::CharSet::Default}));
    f.reject();
  });
}

TEST_F(Dialog, TheContextMenuEnablesWhatCanBeDone) {
  RunDialog(-1, 0, 0, [](TForm1& f) {
    QGuiApplication::clipboard()->clear();
    f.PopupMenu1Popup(nullptr);
    EXPECT_FALSE(f.Cut1->isEnabled() || f.Copy1->isEnabled() || f.Paste1->isEnabled() || f.Undo1->isEnabled());
    QTest::keyClicks(f.Memo1, "ab");
    f.Memo1->Select(0, 1);
    f.Cut1Click(nullptr);
    f.PopupMenu1Popup(nullptr);
    EXPECT_FALSE(f.Cut1->isEnabled());
    EXPECT_TRUE(f.Paste1->isEnabled());
    EXPECT_TRUE(f.Undo1->isEnabled());
    f.Undo1Click(nullptr);
    EXPECT_EQ(f.Memo1->Text(), u"ab");
    f.reject();
  });
}

// The files a file dialog lists in folder under its file type entry number index.
QStringList ListedFiles(QFileDialog& dialog, const std::string& folder, int index) {
  dialog.setDirectory(QString::fromStdString(folder));
  dialog.selectNameFilter(dialog.nameFilters().at(index));
  auto* view = dialog.findChild<QListView*>("listView");
  QStringList names;
  const auto read = [&] {
    names.clear();
    const QModelIndex root = view->rootIndex();
    for (int i = 0; i < view->model()->rowCount(root); ++i) names << view->model()->index(i, 0, root).data().toString();
    names.sort();
  };
  (void)QTest::qWaitFor([&] { read(); return !names.isEmpty(); }, 3000);
  QTest::qWait(50);  // the folder's remaining entries
  read();
  return names;
}

TEST_F(Dialog, FileDialogsShowTheirFileTypesAndAnyFileListsNamesWithoutExtension) {
  vx::test::TempFolder folder;
  for (const char* name : {"README", "a.txt", "b.rtf", "c.dxf"}) vx::test::WriteFileBytes(folder.Path(name), "x");
  const QStringList all{"README", "a.txt", "b.rtf", "c.dxf"};
  RunDialog(1, 0, 0, [&](TForm1& f) {
    const struct {
      QFileDialog* dialog;
      QStringList shown;
      std::vector<QStringList> listed;
    } cases[] = {
        {f.OpenDialog1, {"Text File(*.txt)", "Rich Text Format(*.rtf)", "Any File(*.*)"}, {{"a.txt"}, {"b.rtf"}, all}},
        {f.SaveDialog1, {"Rich Text Format(*.rtf)", "Text File(*.txt)", "Any File(*.*)"}, {{"b.rtf"}, {"a.txt"}, all}},
        {f.SaveDialog2, {"DXF file(*.dxf)", "All file(*.*)"}, {{"c.dxf"}, all}},
    };
    for (const auto& c : cases) {
      QStringList shown;
      auto* types = c.dialog->findChild<QComboBox*>("fileTypeCombo");
      for (int i = 0; i < types->count(); ++i) shown << types->itemText(i);
      EXPECT_EQ(shown, c.shown) << c.dialog->objectName().toStdString();
      for (std::size_t i = 0; i < c.listed.size(); ++i) {
        EXPECT_EQ(ListedFiles(*c.dialog, folder.path(), static_cast<int>(i)), c.listed[i])
            << c.dialog->objectName().toStdString() << " " << c.shown[static_cast<qsizetype>(i)].toStdString();
      }
    }
    f.reject();
  });
}

TEST_F(Dialog, SavedTextIsRtfWhateverItsNameAndLoadsBackWithItsFormats) {
  vx::test::TempFolder folder;
  RunDialog(1, 0, 0, [&](TForm1& f) {
    StyledText doc;
    doc.lines = {StyledLine{{StyledRun{u"Ab", Format("DejaVu Serif", 44, true)}}, Format("DejaVu Serif", 44, true)},
                 StyledLine{{StyledRun{u"c", Format("Liberation Sans", 12, false, true)}}, Format("Liberation Sans", 12)}};
    f.Memo1->SetDocument(doc);
    vx::test::WhenModal("SaveDialog1", [&](QWidget* dialog) {
      auto* save = static_cast<QFileDialog*>(dialog);
      save->selectNameFilter(save->nameFilters().at(1));  // "Text File(*.txt)"
      vx::test::ChooseFile(save, folder.Path("notes"));
    });
    f.SpeedButton2Click(nullptr);
    EXPECT_EQ(vx::test::ReadFileBytes(folder.Path("notes.txt")).rfind("{\\rtf", 0), 0u);
    f.Memo1->Clear();
    vx::test::WhenModal("OpenDialog1", [&](QWidget* dialog) {
      vx::test::ChooseFile(static_cast<QFileDialog*>(dialog), folder.Path("notes.txt"));
    });
    f.SpeedButton1Click(nullptr);
    EXPECT_EQ(f.Memo1->Text(), u"Ab\r\nc");
    f.Memo1->SetSelStart(1);
    EXPECT_EQ(f.Memo1->SelAttributes(), (vx::EditorAttributes{"DejaVu Serif", 44, true, false, vx::CharSet::Default}));
    f.Memo1->SetSelStart(4);
    EXPECT_EQ(f.Memo1->SelAttributes(), (vx::EditorAttributes{"Liberation Sans", 12, false, true, vx::CharSet::Default}));
    f.reject();
  });
}

TEST_F(Dialog, AnErrorInAHandlerEndsInAMessageBoxWithItsText) {
  QString message;
  RunDialog(-1, 0, 0, [&](TForm1& f) {
    auto text = vx::test::AnswerNextMessage();
    f.RunHandler([] { throw std::runtime_error("Disk full"); });
    message = *text;
    f.reject();
  });
  EXPECT_EQ(message, "Disk full");
}

TEST_F(Dialog, RunningOutOfMemoryInAHandlerClearsTheStoreAndSaysSo) {
  QString message;
  int records = -1;
  const int result = RunDialog(0, 2.5, 0.8, [&](TForm1& f) {
    auto text = vx::test::AnswerNextMessage();
    f.RunHandler([] {
      gPointList.Add(1, 1, pkPoint);  // a conversion under way
      throw std::bad_alloc();
    });
    message = *text;
    records = GetTTFCount();
    f.reject();
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(message, "Out of memory");
  EXPECT_EQ(records, 0);
}

// ---- Formatting controls --------------------------------------------------------

TEST_F(Dialog, TheFontBoxAcceptsInstalledFamiliesInAnyCase) {
  RunDialog(-1, 0, 0, [](TForm1& f) {
    vx::RichEditBox& memo = *f.Memo1;
    QTest::keyClicks(&memo, "abcd");
    memo.Select(0, 3);
    const int dejavu = f.cName->findText("DejaVu Sans");
    ASSERT_GE(dejavu, 0);
    f.cName->setCurrentIndex(dejavu);
    emit f.cName->activated(dejavu);
    EXPECT_EQ(f.cName->currentText(), "DejaVu Sans");
    EXPECT_EQ(memo.SelAttributes().face, "DejaVu Sans");
    memo.SetSelStart(4);
    EXPECT_EQ(memo.SelAttributes().face, "Times New Roman");  // d kept its face

    const struct {
      const char* typed;
      const char* shown;
      const char* applied;
    } cases[] = {
        {"No Such Family", "Times New Roman", "Times New Roman"},
        {"liberation serif", "liberation serif", "liberation serif"},
    };
    for (const auto& c : cases) {
      memo.Select(3, 1);
      f.cName->lineEdit()->setText(QString::fromLatin1(c.typed));
      emit f.cName->lineEdit()->textEdited(f.cName->lineEdit()->text());
      EXPECT_EQ(f.cName->currentText(), c.shown) << c.typed;
      EXPECT_EQ(memo.SelAttributes().face, c.applied) << c.typed;
    }
    f.reject();
  });
}

TEST_F(Dialog, TheSizeBoxAppliesPicksAtOnceAndTypingOnEnterOrExit) {
  RunDialog(-1, 0, 0, [](TForm1& f) {
    vx::RichEditBox& memo = *f.Memo1;
    QTest::keyClicks(&memo, "abc");
    memo.Select(0, 3);
    // A pick from the list.
    emit f.cHeight->droppedDown();
    EXPECT_TRUE(f.FHeightDropped);
    f.cHeight->setCurrentIndex(f.cHeight->findText("45"));
    emit f.cHeight->activated(f.cHeight->currentIndex());
    EXPECT_EQ(memo.SelAttributes().size, 45);
    EXPECT_FALSE(f.FHeightDropped);
    // Typing is applied only by Enter.
    f.cHeight->setFocus();
    f.cHeight->lineEdit()->selectAll();
    QTest::keyClicks(f.cHeight, "12");
    EXPECT_EQ(memo.SelAttributes().size, 45);
    QTest::keyClick(f.cHeight, Qt::Key_Return);
    EXPECT_EQ(memo.SelAttributes().size, 12);
    EXPECT_TRUE(f.isVisible());  // Enter in the box is no OK
    // Letters, a minus sign and non-ASCII characters are not typed.
    for (const char* typed : {"a", "-", "\u00e9", "."}) TypeCharacter(f.cHeight, QString::fromUtf8(typed));
    EXPECT_EQ(f.cHeight->currentText(), "12");
    // A list that drops down and closes without a pick: the next edit applies.
    emit f.cHeight->droppedDown();
    f.cHeight->lineEdit()->selectAll();
    QTest::keyClicks(f.cHeight, "1");
    EXPECT_EQ(memo.SelAttributes().size, 1);
    QTest::keyClicks(f.cHeight, "8");
    EXPECT_EQ(memo.SelAttributes().size, 1);
    f.reject();
  });
}

TEST_F(Dialog, DeleteAndEscapeInTheSizeAndWidthBoxesAreNoTypedCharacters) {
  const struct {
    const char* box;
    const char* text;
    const char* afterDelete;
  } cases[] = {{"cHeight", "28", "8"}, {"cWidth", "0.65", ".65"}};
  for (const auto& c : cases) {
    bool closedByEscape = false;
    QString afterDelete;
    const int result = RunDialog(1, 0, 0, [&](TForm1& f) {
      auto* box = f.findChild<QComboBox*>(c.box);
      box->setFocus();
      box->lineEdit()->setText(QString::fromLatin1(c.text));
      box->lineEdit()->setCursorPosition(0);
      // With the texts the X11 keyboard gives these keys.
      PressKey(box, Qt::Key_Delete, QStringLiteral("\x7f"));
      afterDelete = box->currentText();
      PressKey(box, Qt::Key_Escape, QStringLiteral("\x1b"));
      closedByEscape = !f.isVisible();
      if (!closedByEscape) f.reject();
    });
    EXPECT_EQ(afterDelete, QString::fromLatin1(c.afterDelete)) << c.box;
    EXPECT_TRUE(closedByEscape) << c.box;
    EXPECT_EQ(result, 0);
  }
}

TEST_F(Dialog, LeavingTheSizeAndWidthBoxesRepairsBadValues) {
  RunDialog(1, 0, 0, [](TForm1& f) {
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    vx::RichEditBox& memo = *f.Memo1;
    QTest::keyClicks(&memo, "ab");
    memo.Select(0, 2);
    const struct {
      QComboBox* box;
      const char* pasted;
      const char* shown;
      bool keepsFocus;
    } cases[] = {
        {f.cHeight, "-5", "30", true},    {f.cHeight, "", "30", false},  // size 0 is not applied
        {f.cHeight, "20", "20", false},   {f.cWidth, "-0.5", "0.65", true},
        {f.cWidth, "", "", false},        {f.cWidth, "1.2.3", "1.2.3", false},
    };
    for (const auto& c : cases) {
      c.box->setFocus();
      c.box->lineEdit()->setText(QString::fromLatin1(c.pasted));
      memo.setFocus();
      QCoreApplication::processEvents();
      EXPECT_EQ(c.box->currentText(), c.shown) << c.pasted;
      EXPECT_EQ(QApplication::focusWidget() == c.box, c.keepsFocus) << c.pasted;
    }
    EXPECT_EQ(memo.SelAttributes().size, 20);
    f.reject();
  });
}

// What is wrong with the form's layout now: each visible control that leaves
// the client area, and each pair of visible controls that overlap (the
// panels, which frame the controls they hold, apart).
std::vector<std::string> LayoutFaults(TForm1& f) {
  const char* const controls[] = {"SpeedButton1", "SpeedButton2", "sbSymbol",  "Label5",      "cHeight",
                                  "Label4",       "cWidth",       "Label6",    "Label1",      "TrackBar1",
                                  "About",        "Label3",       "cName",     "sbItalic",    "sbBold",
                                  "Memo1",        "Label2",       "cSymbol",   "ScrollBox2",  "Panel4",
                                  "AcadBtn",      "SpeedButton3", "bInsSym",   "OkBtn",       "CancelBtn"};
  std::vector<std::pair<QRect, std::string>> shown;
  std::vector<std::string> faults;
  for (const char* name : controls) {
    const QWidget* control = f.findChild<QWidget*>(QString::fromLatin1(name));
    if (control == nullptr) {
      faults.push_back(std::string(name) + " missing");
      continue;
    }
    if (!control->isVisibleTo(&f)) continue;
    const QRect at(control->mapTo(&f, QPoint(0, 0)), control->size());
    if (at.isEmpty() || !f.rect().contains(at)) faults.push_back(std::string(name) + " outside the client area");
    for (const auto& [other, otherName] : shown) {
      if (at.intersects(other)) faults.push_back(std::string(name) + " overlaps " + otherName);
    }
    shown.emplace_back(at, name);
  }
  return faults;
}

// At every size down to the smallest, maximized too, and with the palette
// closed or open, every control lies inside the client area apart from the
// others; the window takes no size below the smallest.
TEST_F(Dialog, EveryControlStaysVisibleAndApartAtEverySize) {
  const QSize sizes[] = {{100, 100},
                         {vx::form_geometry::kMinClientWidth, vx::form_geometry::kMinClientHeight},
                         {700, 420},
                         {TForm1::kClientWidth, TForm1::kClientHeight},
                         {1300, 900}};
  std::vector<std::string> faults;
  QSize smallest;
  RunDialog(vx::dmStandalone, 0, 0, [&](TForm1& f) {
    for (const bool palette : {false, true}) {
      if (palette) QTest::mouseClick(f.sbSymbol, Qt::LeftButton);
      const auto check = [&](const std::string& what) {
        QCoreApplication::processEvents();
        f.layout()->activate();
        for (const std::string& fault : LayoutFaults(f)) faults.push_back(what + (palette ? ", palette open: " : ": ") + fault);
      };
      for (const QSize size : sizes) {
        f.resize(size);
        if (size.width() == 100) smallest = f.size();
        check(std::to_string(size.width()) + " x " + std::to_string(size.height()));
      }
      f.showMaximized();
      check("maximized");
      f.showNormal();
    }
    f.reject();
  });
  EXPECT_EQ(faults, std::vector<std::string>{});
  EXPECT_EQ(smallest, QSize(vx::form_geometry::kMinClientWidth, vx::form_geometry::kMinClientHeight));
}

TEST_F(Dialog, BoldItalicAndPrecisionApply) {
  RunDialog(-1, 0, 0, [](TForm1& f) {
    vx::RichEditBox& memo = *f.Memo1;
    QTest::mouseClick(f.sbBold, Qt::LeftButton);
    QTest::keyClicks(&memo, "a");
    EXPECT_TRUE(memo.SelAttributes().bold);
    memo.Select(0, 1);
    QTest::mouseClick(f.sbItalic, Qt::LeftButton);
    EXPECT_TRUE(memo.SelAttributes().italic);
    EXPECT_TRUE(memo.SelAttributes().bold);
    f.TrackBar1->setValue(17);
    EXPECT_EQ(f.Label1->text(), "17");
    EXPECT_EQ(gPrecision, 17);
    f.reject();
  });
  SetPrecision(8);
}

// A style button on a selection of mixed styles: every character takes the
// other flag of the selection's first character, as in the Windows view.
TEST_F(Dialog, ItalicOnAPartlyBoldSelectionFollowsItsFirstCharacter) {
  for (const auto& c : vx::test::kItalicOnPartlyBold) {
    SCOPED_TRACE(c.what);
    RunDialog(-1, 0, 0, [&](TForm1& f) {
      vx::RichEditBox& memo = *f.Memo1;
      QTest::keyClicks(&memo, "abcd");
      memo.Select(c.boldFrom, 2);
      QTest::mouseClick(f.sbBold, Qt::LeftButton);
      memo.Select(0, 4);
      QTest::mouseClick(f.sbItalic, Qt::LeftButton);
      std::string styles;
      for (int at = 0; at < 4; ++at) {
        memo.Select(at, 1);
        const auto style = memo.SelAttributes();
        if (at > 0) styles += ' ';
        styles += vx::test::StyleLetters(style.bold, style.italic);
      }
      EXPECT_EQ(styles, c.styles);
      f.reject();
    });
  }
}

TEST_F(Dialog, ShowingAgainEmptiesTheBoxAndSetsThePrecisionFromTheTrackBar) {
  RunDialog(-1, 0, 0, [](TForm1& f) {
    QTest::mouseClick(f.sbBold, Qt::LeftButton);
    QTest::keyClicks(f.Memo1, "abc");
    EXPECT_GT(GetTTFCount(), 0);  // the preview of c
    f.TrackBar1->setValue(5);
    f.reject();
  });
  SetPrecision(8);
  RunDialog(-1, 0, 0, [](TForm1& f) {
    EXPECT_EQ(f.Memo1->Text(), u"");
    EXPECT_EQ(gPrecision, 5);
    // The style buttons and the preview follow the emptied box.
    EXPECT_FALSE(f.sbBold->isChecked());
    EXPECT_EQ(GetTTFCount(), 0);
    f.reject();
  });
  SetPrecision(8);
}

// ---- The conversion run -------------------------------------------------------------

TEST_F(Dialog, TheHostRunEqualsTheEngineLayoutOfTheSameText) {
  const StyledText doc = MixedDocument();
  for (const auto& [mode, height, factor] : {std::tuple{-1, 0.0, 0.0}, std::tuple{0, 2.5, 0.8}}) {
    const int result = RunDialog(mode, height, factor, [&](TForm1& f) {
      f.Memo1->SetDocument(doc);
      QTest::mouseClick(f.OkBtn, Qt::LeftButton);
    });
    EXPECT_EQ(result, 1);
    const auto produced = StoreRecords();
    EXPECT_GT(produced.size(), 100u);
    EXPECT_TRUE(produced == ExpectedLayout(doc, mode, height, factor, 0.0)) << "mode " << mode;
    EXPECT_FALSE(Form1->FConverting);
  }
}

TEST_F(Dialog, TypedTextInTheSizedHostModeLandsOnTheLinesOfTheTypicalRequest) {
  const int result = RunDialog(0, 2.5, 0.8, [](TForm1& f) {
    QTest::keyClicks(f.Memo1, "Ab");
    QTest::keyClick(f.Memo1, Qt::Key_Return);
    QTest::keyClicks(f.Memo1, "c");
    QTest::mouseClick(f.OkBtn, Qt::LeftButton);
  });
  ASSERT_EQ(result, 1);
  StyledText typed;
  typed.lines = {StyledLine{{StyledRun{u"Ab", vx::RichEditBox::DefaultFormat()}}, vx::RichEditBox::DefaultFormat()},
                 StyledLine{{StyledRun{u"c", vx::RichEditBox::DefaultFormat()}}, vx::RichEditBox::DefaultFormat()}};
  const auto produced = StoreRecords();
  EXPECT_TRUE(produced == ExpectedLayout(typed, 0, 2.5, 0.8, 0.0));
}

// The keyboard: Tab in Memo1 types a tab, Ctrl+Tab and Ctrl+Shift+Tab
// leave it for the next and the previous control, entering it by Tab keeps
// its caret (no select-all), and Enter presses the focused button: on Cancel
// it cancels, on OK it converts and closes with 1.
TEST_F(Dialog, TheKeyboardLeavesAndEntersTheEditorAndPressesTheFocusedButton) {
  for (const bool onOk : {false, true}) {
    SCOPED_TRACE(onOk ? "OK" : "Cancel");
    QString textAfterTabs;
    QWidget *afterCtrlTab = nullptr, *afterCtrlShiftTab = nullptr, *afterTabIn = nullptr;
    int caretAfterTabIn = -1;
    bool selectedAfterTabIn = true, stayedOpen = false;
    const int result = RunDialog(0, 2.5, 0.8, [&](TForm1& f) {
      f.Memo1->setFocus();
      QTest::keyClicks(f.Memo1, "Ab");
      f.Memo1->SetSelStart(1);
      QTest::keyClick(f.Memo1, Qt::Key_Tab);
      textAfterTabs = f.Memo1->toPlainText();
      QTest::keyClick(f.Memo1, Qt::Key_Tab, Qt::ControlModifier);
      afterCtrlTab = f.focusWidget();
      f.Memo1->setFocus();
      QTest::keyClick(f.Memo1, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
      afterCtrlShiftTab = f.focusWidget();
      QTest::keyClick(afterCtrlShiftTab, Qt::Key_Tab);  // back into the editor
      afterTabIn = f.focusWidget();
      caretAfterTabIn = f.Memo1->textCursor().position();
      selectedAfterTabIn = f.Memo1->textCursor().hasSelection();
      QPushButton* button = onOk ? f.OkBtn : f.CancelBtn;
      button->setFocus();
      QTest::keyClick(button, Qt::Key_Return);
      stayedOpen = f.isVisible();
      if (stayedOpen) f.reject();
    });
    EXPECT_EQ(textAfterTabs, QStringLiteral("A\tb"));
    EXPECT_NE(afterCtrlTab, nullptr);
    EXPECT_NE(afterCtrlTab, Form1->Memo1);
    EXPECT_NE(afterCtrlShiftTab, nullptr);
    EXPECT_NE(afterCtrlShiftTab, Form1->Memo1);
    EXPECT_NE(afterCtrlShiftTab, afterCtrlTab);
    EXPECT_EQ(afterTabIn, Form1->Memo1);
    EXPECT_EQ(caretAfterTabIn, 2);
    EXPECT_FALSE(selectedAfterTabIn);
    EXPECT_FALSE(stayedOpen);
    EXPECT_EQ(result, onOk ? 1 : 0);
    FreePointList();
  }
}

TEST_F(Dialog, NothingToConvertKeepsTheDialogOpen) {
  bool stayedOpen = false;
  QString message;
  const int result = RunDialog(-1, 0, 0, [&](TForm1& f) {
    QTest::keyClicks(f.Memo1, "   ");
    auto text = vx::test::AnswerNextMessage();
    QTest::mouseClick(f.OkBtn, Qt::LeftButton);
    message = *text;
    stayedOpen = f.isVisible();
    EXPECT_EQ(GetTTFCount(), 0);
    f.reject();
  });
  EXPECT_EQ(result, 0);
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(message, "No text to convert!");
}

TEST_F(Dialog, TheStandaloneRunSavesTheLayoutAsDxf) {
  vx::test::TempFolder folder;
  const std::string path = folder.Path("mixed.dxf");
  const StyledText doc = MixedDocument();
  int caretAfter = -1;
  const int result = RunDialog(1, 0, 0, [&](TForm1& f) {
    f.cWidth->setEditText("0.8");
    f.Memo1->SetDocument(doc);
    f.Memo1->SetSelStart(2);
    vx::test::WhenModal("SaveDialog2", [&](QWidget* dialog) {
      auto* save = static_cast<QFileDialog*>(dialog);
      EXPECT_EQ(save->defaultSuffix(), "dxf");
      vx::test::ChooseFile(save, path);
    });
    QTest::mouseClick(f.OkBtn, Qt::LeftButton);
    caretAfter = f.Memo1->SelStart();
    EXPECT_TRUE(f.isVisible());
    f.reject();
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(caretAfter, 2);
  // The file holds exactly the engine's layout of the same text at factor 0.8.
  const auto expected = ExpectedLayout(doc, 1, 0, 0, 0.8);
  FreePointList();
  for (const Rec& r : expected) gPointList.Add(r.x, r.y, r.kind);
  EXPECT_EQ(vx::test::ReadFileBytes(path), vx::DxfText());
}

TEST_F(Dialog, TheStandaloneSaveCanBeCancelledAndReportsFailures) {
  vx::test::TempFolder folder;
  const std::string blocked = folder.Path("missing/out.dxf");
  QString message;
  RunDialog(1, 0, 0, [&](TForm1& f) {
    QTest::keyClicks(f.Memo1, "A");
    vx::test::WhenModal("SaveDialog2", [](QWidget* dialog) { static_cast<QFileDialog*>(dialog)->reject(); });
    QTest::mouseClick(f.OkBtn, Qt::LeftButton);
    // The preview has the character at the caret again.
    EXPECT_GT(GetTTFCount(), 2);

    vx::test::WhenModal("SaveDialog2", [&](QWidget* dialog) {
      auto* save = static_cast<QFileDialog*>(dialog);
      // The toolkit's dialog refuses a missing folder itself; a file that
      // cannot be written must still be reported by the run.
      save->findChild<QLineEdit*>("fileNameEdit")->setText(QString::fromStdString(blocked));
      save->QDialog::done(QDialog::Accepted);
    });
    auto text = vx::test::AnswerNextMessage();
    QTest::mouseClick(f.OkBtn, Qt::LeftButton);
    message = *text;
    f.reject();
  });
  EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
  EXPECT_TRUE(message.startsWith(QString::fromStdString("Cannot create file \"" + blocked + "\". "))) << message.toStdString();
  EXPECT_GT(message.size(), static_cast<qsizetype>(blocked.size() + 22));
}

// ---- Preview ---------------------------------------------------------------------------

TEST_F(Dialog, ThePreviewShowsTheCharacterAtTheCaretAsTheFormulasPlaceIt) {
  RunDialog(-1, 0, 0, [](TForm1& f) {
    vx::RichEditBox& memo = *f.Memo1;
    vx::FontconfigGlyphSource source;
    const auto glyphOf = [&](char16_t c, bool bold) {
      const char16_t text[2] = {c, 0};
      FreePointList();
      vx::ConvertString(source, text, memo.SelAttributes().face.toUtf8().constData(), 200, 200, bold, false, 0, 0);
      auto records = StoreRecords();
      FreePointList();
      return records;
    };
    const auto a = glyphOf(u'A', false);
    const auto b = glyphOf(u'B', false);
    const auto boldB = glyphOf(u'B', true);
    QTest::keyClicks(&memo, "ABC");
    memo.SetSelStart(2);
    EXPECT_TRUE(StoreRecords() == b);
    memo.Select(1, 2);
    EXPECT_EQ(GetTTFCount(), 0);
    memo.Select(0, 2);
    EXPECT_TRUE(StoreRecords() == a);
    memo.SetSelStart(2);
    QTest::mouseClick(f.sbBold, Qt::LeftButton);  // the letter again, in bold
    EXPECT_TRUE(StoreRecords() == boldB);

    // Every vertex lands where the formulas put it, in white on navy.
    const QImage shot = f.PreviewBox->grab().toImage();
    const auto segments = vx::PreviewSegments(108, 89);
    ASSERT_TRUE(segments);
    for (const auto& s : *segments) EXPECT_EQ(shot.pixelColor(s.from.x, s.from.y), QColor(Qt::white));
    EXPECT_EQ(shot.pixelColor(0, 0), QColor(0, 0, 128));

    QTest::keyClick(&memo, Qt::Key_End);
    QTest::keyClick(&memo, Qt::Key_Return);  // right after a break: blank
    EXPECT_EQ(GetTTFCount(), 0);
    const QImage blank = f.PreviewBox->grab().toImage();
    EXPECT_EQ(blank.pixelColor(54, 44), f.Panel1->palette().color(QPalette::Window));
    f.reject();
  });
}

// ---- Catalogue and start-up window -------------------------------------------------------------

class KnownCatalog final : public vx::FontCatalog {
 public:
  std::vector<std::string> symbolAsked;
  bool IsTrueTypeFamily(const std::string& family) override {
    return family == "Alpha" || family == "Symbolic" || family == "Wings";
  }
  bool HasSymbolCharset(const std::string& family) override {
    symbolAsked.push_back(family);
    return family == "Symbolic" || family == "Wings";
  }
  int CountSymbolGlyphs(const std::string& family, int, int) override { return family == "Wings" ? 200 : 10; }
};

struct CatalogSeen {
  QStringList names;
  QStringList symbols;
  std::vector<std::string> symbolAsked;
  int cells = 0;
};

CatalogSeen BuildWith(std::function<TForm2*(QWidget*)> makeProgress) {
  KnownCatalog catalog;
  TFormEnvironment environment;
  environment.catalog = &catalog;
  environment.displayFamilies = [] { return std::vector<std::string>{"Alpha", "Bitmap", "Symbolic", "Wings"}; };
  environment.makeProgressWindow = std::move(makeProgress);
  TForm1 form(environment);
  CatalogSeen seen;
  for (int i = 0; i < form.cName->count(); ++i) seen.names << form.cName->itemText(i);
  for (int i = 0; i < form.cSymbol->count(); ++i) seen.symbols << form.cSymbol->itemText(i);
  seen.symbolAsked = catalog.symbolAsked;
  for (vx::SymbolCell* cell : form.SymbolCells) seen.cells += cell != nullptr;
  EXPECT_EQ(Form2, nullptr);  // gone once the palette is built
  EXPECT_EQ(form.SelectedCell, nullptr);
  return seen;
}

TEST_F(Dialog, TheCatalogueListsTrueTypeAndSymbolFacesOfAKnownList) {
  // A start-up window whose bars and captions are watched.
  std::vector<int> fullBars;
  QStringList finalCaptions;
  const CatalogSeen seen = BuildWith([&](QWidget* owner) {
    auto* progress = new TForm2(owner);
    for (QProgressBar* bar : {progress->ProgressBar1, progress->ProgressBar2, progress->ProgressBar3}) {
      QObject::connect(bar, &QProgressBar::valueChanged, [bar, &fullBars](int value) {
        if (value == bar->maximum()) fullBars.push_back(value);
      });
    }
    QObject::connect(progress->ProgressBar3, &QProgressBar::valueChanged, [progress, &finalCaptions](int value) {
      if (value == 224) finalCaptions << progress->Label1->text() << progress->Label2->text();
    });
    return progress;
  });
  EXPECT_EQ(seen.names, (QStringList{"Alpha", "Symbolic", "Wings"}));
  EXPECT_EQ(seen.symbols, (QStringList{"Symbolic", "Wings"}));
  // Only TrueType faces are asked for the symbol set, in the font box's order.
  EXPECT_EQ(seen.symbolAsked, (std::vector<std::string>{"Alpha", "Symbolic", "Wings"}));
  EXPECT_EQ(seen.cells, 224);
  EXPECT_EQ(fullBars, (std::vector<int>{4, 3, 224}));  // every bar ends full
  EXPECT_EQ(finalCaptions, (QStringList{"initialized font", "initializd symbol font"}));

  // Without a start-up window the lists and the palette are the same.
  const CatalogSeen without = BuildWith([](QWidget*) -> TForm2* { throw std::runtime_error("no window"); });
  EXPECT_EQ(without.names, seen.names);
  EXPECT_EQ(without.symbols, seen.symbols);
  EXPECT_EQ(without.cells, 224);
}

// What the screen shows of the start-up window while the palette is built:
// everything as the window paints it at that moment, but for the bar that
// takes its next step right after the grab.
TEST_F(Dialog, TheStartUpWindowIsOnScreenAsItPaintsWhileTheListsAreBuilt) {
  QImage onScreen, painted;
  QRect stepping;
  BuildWith([&](QWidget* owner) {
    auto* progress = new TForm2(owner);
    QObject::connect(progress->ProgressBar3, &QProgressBar::valueChanged, [&, progress](int value) {
      if (value != 2) return;
      onScreen = progress->screen()->grabWindow(progress->winId()).toImage().convertToFormat(QImage::Format_RGB32);
      painted = progress->grab().toImage().convertToFormat(QImage::Format_RGB32);
      stepping = QRect(progress->ProgressBar3->mapTo(progress, QPoint(0, 0)), progress->ProgressBar3->size());
    });
    return progress;
  });
  ASSERT_FALSE(onScreen.isNull()) << "nothing of the start-up window reached the screen";
  ASSERT_EQ(onScreen.size(), QSize(372, 186));
  ASSERT_EQ(painted.size(), onScreen.size());
  int differing = 0;
  for (int y = 0; y < onScreen.height(); ++y) {
    for (int x = 0; x < onScreen.width(); ++x) {
      if (!stepping.contains(x, y) && onScreen.pixel(x, y) != painted.pixel(x, y)) ++differing;
    }
  }
  EXPECT_EQ(differing, 0);
}

TEST_F(Dialog, TheStartUpWindowShowsItsCaptionsAsWritten) {
  TForm2 progress(nullptr);
  progress.show();
  EXPECT_EQ(progress.objectName(), "Form2");
  EXPECT_EQ(progress.windowTitle(), "Initializing");
  EXPECT_EQ(progress.size(), QSize(372, 186));
  EXPECT_EQ(progress.Label1->text(), "initialize font");
  EXPECT_EQ(progress.Label2->text(), "initialize symbol font");
  EXPECT_EQ(progress.Label3->text(), "initialize symbol");
  EXPECT_EQ(progress.Label5->text(), "Vexoglyph V1.8");
  EXPECT_EQ(progress.ProgressBar1->geometry(), QRect(196, 92, 153, 13));
}

TEST_F(Dialog, PaletteCellsAreBuiltWithTagsPlacesAndFonts) {
  RunDialog(-1, 0, 0, [](TForm1& f) {
    for (int k = 0; k < 224; ++k) {
      vx::SymbolCell* cell = f.SymbolCells[static_cast<std::size_t>(k)];
      ASSERT_NE(cell, nullptr);
      EXPECT_EQ(cell->Tag(), 32 + k);
      EXPECT_EQ(cell->geometry(), QRect(60 * (k % 4), 60 * (k / 4), 60, 60));
      EXPECT_EQ(cell->parentWidget(), f.ScrollBox2->widget());
      EXPECT_EQ(cell->Charset(), vx::CharSet::Symbol);
      EXPECT_EQ(cell->font().pointSize(), 40);
      EXPECT_EQ(cell->FontColor(), QColor(0, 0, 255));
      EXPECT_TRUE(cell->OnClick && cell->OnDblClick && cell->OnPaint);
      EXPECT_FALSE(cell->testAttribute(Qt::WA_NativeWindow));
    }
    EXPECT_EQ(f.ScrollBox2->widget()->size(), QSize(240, 3360));
    f.reject();
  });
}

}  // namespace
