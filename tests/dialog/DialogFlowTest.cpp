// The whole dialog shown through its entry: settings restored at show and kept at close, about, help and Acad buttons.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "dialog/HelpFile.h"
#include "dialog/ShellOpen.h"
#include "dialog/qt/DialogWidgets.h"
#include "dialog/qt/MainDlg.h"
#include "dialog/qt/MyAbout.h"
#include "dialog/qt/RichEditBox.h"
#include "dialog/qt/SymbolCell.h"
#include "engine/OutlineFlattening.h"
#include "platform/ExePath.h"
#include "setacaddlg/SetAcadDlg.h"
#include "tests/support/FileBytes.h"
#include "tests/support/RegExportReader.h"
#include "tests/support/TempRegistryDir.h"
#include "tests/support/qt/ModalWindows.h"
#include "tests/support/qt/TestApplication.h"

namespace vx {
namespace {

using test::ReadFileBytes;
using test::TempRegistryDir;
using test::WhenModal;
using test::WriteFileBytes;

const std::string kHeader =
    "Windows Registry Editor Version 5.00\r\n\r\n"
    "[HKEY_CURRENT_USER\\Software\\Kestrow\\Vexoglyph\\Option]\r\n";

class DialogFlow : public ::testing::Test {
 protected:
  void SetUp() override {
    test::TestApplication();
    std::filesystem::remove(ExecutableDir() + kHelpFileName);
  }
  void TearDown() override { ShowTTFTextDlg(2, 0.0, 0.0); }  // the release call

  // Shows the dialog stand-alone, runs inspect while it is open, then closes
  // it with its Close button; returns the entry's result.
  int ShowAndClose(const std::function<void(TForm1*)>& inspect) {
    bool seen = false;
    WhenModal({}, [&](QWidget* modal) {
      auto* form = qobject_cast<TForm1*>(modal);
      if (!form) {
        ADD_FAILURE() << "another window opened first";
        modal->close();
        return;
      }
      seen = true;
      inspect(form);
      if (form->isVisible()) form->CancelBtn->click();
    });
    const int result = ShowTTFTextDlg(dmStandalone, 0.0, 0.0);
    EXPECT_TRUE(seen);
    return result;
  }

  std::string Option(const TempRegistryDir& dir) { return test::RegExportText(ReadFileBytes(dir.userFile())); }
};

TEST_F(DialogFlow, FirstUseShowsTheDefaultsAndClosingWritesAllFiveValues) {
  TempRegistryDir dir;
  QString selectionFace;
  ShowAndClose([&](TForm1* form) {
    EXPECT_EQ(form->TrackBar1->value(), 8);
    EXPECT_EQ(form->Label1->text(), "8");
    EXPECT_EQ(gPrecision, 8);
    EXPECT_FALSE(form->sbSymbol->isChecked());
    EXPECT_FALSE(form->Panel2->isVisible());
    EXPECT_FALSE(form->isMaximized());
    selectionFace = form->cName->currentText();
    // The palette opens on the symbol face that fills it most, not on the
    // first one (Wine's Marlett, a few window-decoration glyphs).
    EXPECT_EQ(form->cSymbol->itemText(0), "Marlett");
    EXPECT_EQ(form->cSymbol->currentText(), "OpenSymbol");
    EXPECT_EQ(form->SymbolCells[0]->font().family(), "OpenSymbol");
  });
  const std::string text = Option(dir);
  const std::string symbol = "0000000" + std::to_string(Form1->cSymbol->findText("OpenSymbol"));
  EXPECT_NE(text.find(kHeader.substr(kHeader.find('[')) + "\"Precision\"=dword:00000008\r\n\"FontName\"=\"" +
                      selectionFace.toStdString() + "\"\r\n\"SymbolName\"=dword:" + symbol +
                      "\r\n\"ShowSymbol\"=dword:00000000\r\n\"FormState\"=dword:00000000\r\n"),
            std::string::npos)
      << text;
}

TEST_F(DialogFlow, SettingsSurviveClosingAndReleasingTheDialog) {
  TempRegistryDir dir;
  ShowAndClose([](TForm1* form) {
    ASSERT_GE(form->cSymbol->count(), 2) << "the test fonts have several symbol faces";
    form->TrackBar1->setValue(17);
    form->cName->setEditText("Liberation Serif");
    form->cSymbol->setCurrentIndex(1);
    emit form->cSymbol->activated(1);
    QTest::mouseClick(form->sbSymbol, Qt::LeftButton);
    QTest::keyClicks(form->Memo1, "typed");
  });
  const auto expectRestored = [](TForm1* form) {
    EXPECT_EQ(form->TrackBar1->value(), 17);
    EXPECT_EQ(form->Label1->text(), "17");
    EXPECT_EQ(gPrecision, 17);
    EXPECT_EQ(form->cSymbol->currentIndex(), 1);
    EXPECT_TRUE(form->sbSymbol->isChecked());
    EXPECT_TRUE(form->Panel2->isVisible());
    EXPECT_TRUE(form->bInsSym->isVisible());
    EXPECT_EQ(form->SymbolCells[223]->font().family(), form->cSymbol->itemText(1));
    EXPECT_TRUE(form->Memo1->Text().empty()) << "the text of the last showing is gone";
  };
  ShowAndClose(expectRestored);     // the same instance, hidden in between
  ShowTTFTextDlg(7, 0.0, 0.0);      // released, as before the library is unloaded
  ShowAndClose(expectRestored);     // a new instance reads the store
}

TEST_F(DialogFlow, StoredPrecisionIsClampedToTheTrackBar) {
  for (const auto& [stored, shown] : {std::pair{"00000000", 1}, std::pair{"00000028", 32}}) {
    TempRegistryDir dir;
    WriteFileBytes(dir.userFile(), kHeader + "\"Precision\"=dword:" + stored + "\r\n");
    ShowAndClose([&, shown = shown](TForm1* form) {
      EXPECT_EQ(form->TrackBar1->value(), shown);
      EXPECT_EQ(form->Label1->text(), QString::number(shown));
      EXPECT_EQ(gPrecision, shown);
    });
  }
}

TEST_F(DialogFlow, ASymbolIndexBeyondTheListChoosesNothingAndIsWrittenBackAsMinusOne) {
  TempRegistryDir dir;
  WriteFileBytes(dir.userFile(), kHeader +
                                    "\"FontName\"=dword:00000001\r\n"  // wrong type: the default
                                    "\"SymbolName\"=dword:00000063\r\n"
                                    "\"ShowSymbol\"=dword:00000001\r\n");
  ShowTTFTextDlg(2, 0.0, 0.0);  // a new dialog: its cells still have the dialog's face
  ShowAndClose([](TForm1* form) {
    EXPECT_EQ(form->cSymbol->currentIndex(), -1);
    EXPECT_EQ(form->SymbolCells[0]->font().family(), form->font().family());
    EXPECT_TRUE(form->Panel2->isVisible());
  });
  EXPECT_NE(Option(dir).find("\"SymbolName\"=dword:ffffffff"), std::string::npos) << Option(dir);
  ShowAndClose([](TForm1* form) { EXPECT_EQ(form->cSymbol->currentIndex(), -1); });
}

// Once the dialog is up the font box shows what the store holds; emptying the
// text box at the show neither applies that name nor replaces it, and the
// next caret move shows the selection's own face.
TEST_F(DialogFlow, TheShownFontBoxHoldsTheStoredNameWithoutApplyingIt) {
  struct Case {
    const char* what;
    std::string values;
    std::string shown;
  };
  const Case cases[] = {
      {"stored", "\"FontName\"=\"Liberation Serif\"\r\n", "Liberation Serif"},
      {"missing while others are present", "\"Precision\"=dword:00000005\r\n", ""},
      // The default: the face of the box's selection, a new text's face.
      {"of another type", "\"FontName\"=dword:00000001\r\n", "Times New Roman"},
  };
  for (const Case& c : cases) {
    TempRegistryDir dir;
    WriteFileBytes(dir.userFile(), kHeader + c.values);
    ShowAndClose([&](TForm1* form) {
      EXPECT_EQ(form->cName->currentText().toStdString(), c.shown) << c.what;
      EXPECT_EQ(form->Memo1->SelAttributes().face.toStdString(), "Times New Roman") << c.what << ": nothing applied";
      QTest::keyClicks(form->Memo1, "a");
      EXPECT_EQ(form->cName->currentText().toStdString(), "Times New Roman") << c.what;
    });
  }
}

// The palette's tool bar places "Symbols:" at its left edge and the list of
// symbol faces right beside it, both inside the 261-pixel panel, whether the
// palette opens with the dialog or by its button.
TEST_F(DialogFlow, TheOpenPaletteShowsTheSymbolFaceListBesideItsLabel) {
  TempRegistryDir dir;
  WriteFileBytes(dir.userFile(), kHeader + "\"ShowSymbol\"=dword:00000001\r\n");
  ShowAndClose([](TForm1* form) {
    const auto expectPlaced = [form](const char* when) {
      ASSERT_TRUE(form->Panel2->isVisible()) << when;
      EXPECT_TRUE(form->cSymbol->isVisible()) << when;
      EXPECT_EQ(form->cSymbol->window(), form) << when << ": not in an overflow menu";
      const QRect label(form->Label2->mapTo(form->Panel2, QPoint(0, 0)), form->Label2->size());
      const QRect list(form->cSymbol->mapTo(form->Panel2, QPoint(0, 0)), form->cSymbol->size());
      EXPECT_EQ(label, QRect(0, 0, 87, 24)) << when;
      EXPECT_EQ(list.left(), 87) << when;
      EXPECT_EQ(list.width(), 166) << when;
      EXPECT_EQ(list.center().y(), label.center().y()) << when;
      EXPECT_TRUE(form->Panel2->rect().contains(list)) << when;
      EXPECT_LE(list.bottom(), form->ToolBar2->geometry().bottom()) << when;
    };
    expectPlaced("opened at the show");
    QTest::mouseClick(form->sbSymbol, Qt::LeftButton);
    EXPECT_FALSE(form->cSymbol->isVisible());
    QTest::mouseClick(form->sbSymbol, Qt::LeftButton);
    expectPlaced("opened by its button");
  });
}

TEST_F(DialogFlow, AMaximizedWindowIsRestoredAndAMinimizedOneStoredAsNormal) {
  TempRegistryDir dir;
  WriteFileBytes(dir.userFile(), kHeader + "\"FormState\"=dword:00000001\r\n");
  ShowAndClose([](TForm1* form) {
    EXPECT_TRUE(form->windowState().testFlag(Qt::WindowMaximized));
    form->setWindowState(Qt::WindowMinimized);
  });
  EXPECT_NE(Option(dir).find("\"FormState\"=dword:00000000"), std::string::npos) << Option(dir);
  ShowAndClose([](TForm1* form) {
    EXPECT_FALSE(form->windowState().testFlag(Qt::WindowMaximized));
    form->setWindowState(Qt::WindowMaximized);
  });
  EXPECT_NE(Option(dir).find("\"FormState\"=dword:00000001"), std::string::npos) << Option(dir);
}

TEST_F(DialogFlow, AStoreThatCannotBeWrittenStillLetsTheDialogClose) {
  TempRegistryDir dir;
  const std::string blocker = dir.path() + "/file";
  WriteFileBytes(blocker, "not a folder");
  ::setenv("VEXOGLYPH_REGISTRY_DIR", (blocker + "/store").c_str(), 1);
  bool closed = false;
  const int result = ShowAndClose([&](TForm1* form) {
    form->TrackBar1->setValue(20);
    QObject::connect(form, &QDialog::finished, [&] { closed = true; });
  });
  EXPECT_EQ(result, 0);
  EXPECT_TRUE(closed);
  EXPECT_FALSE(QApplication::activeModalWidget()) << "no message was left open";
}

TEST_F(DialogFlow, TheAboutButtonBuildsAndDestroysTheBox) {
  TempRegistryDir dir;
  ShowAndClose([](TForm1* form) {
    bool seen = false;
    WhenModal({}, [&](QWidget* modal) {
      seen = modal == AboutDLG && modal->objectName() == "AboutDLG";
      QTest::keyClick(modal, Qt::Key_Escape);
    });
    form->About->click();
    EXPECT_TRUE(seen);
    EXPECT_EQ(AboutDLG, nullptr);
  });
}

TEST_F(DialogFlow, TheHelpButtonsOfDialogAndBoxReportTheMissingManualAlike) {
  TempRegistryDir dir;
  ShellLauncher previous = SetShellLauncher([](const std::string& target, NativeWindow) {
    ADD_FAILURE() << "nothing to open: " << target;
  });
  ShowAndClose([](TForm1* form) {
    const std::shared_ptr<QString> fromDialog = test::AnswerNextMessage();
    form->SpeedButton3->click();
    auto fromBox = std::make_shared<QString>();
    WhenModal({}, [&](QWidget* about) {
      fromBox = test::AnswerNextMessage();
      static_cast<TAboutDLG*>(about)->BitBtn1->click();
      static_cast<TAboutDLG*>(about)->accept();
    });
    form->About->click();
    EXPECT_EQ(*fromDialog, "Not found Vexoglyph.html !");
    EXPECT_EQ(*fromBox, *fromDialog);
  });
  SetShellLauncher(previous);
}

TEST_F(DialogFlow, TheAcadButtonRunsOneRegistrationWindow) {
  TempRegistryDir dir;
  ShowAndClose([](TForm1* form) {
    EXPECT_TRUE(form->AcadBtn->isVisible());
    bool seen = false;
    WhenModal({}, [&](QWidget* modal) {
      seen = modal == SetACAD && modal->objectName() == "SetACAD";
      // Nothing is installed in the empty store: discovery finds no release.
      EXPECT_FALSE(SetACAD->OkBtn->isEnabled());
      SetACAD->BitBtn2->click();
    });
    form->AcadBtn->click();
    EXPECT_TRUE(seen);
    EXPECT_EQ(SetACAD, nullptr);
  });
}

}  // namespace
}  // namespace vx
