// The stand-alone dialog and `vexoglyph convert` write the same DXF bytes for the same RTF file.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <sstream>

#include <cstdlib>

#include "dialog/qt/MainDlg.h"
#include "dialog/qt/RichEditBox.h"
#include "engine/HostQueries.h"
#include "engine/OutlineFlattening.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TempRegistryDir.h"
#include "tests/support/qt/ModalWindows.h"
#include "tests/support/qt/TestApplication.h"

namespace {

// Where two files first part: the line number and both lines, for a readable failure.
std::string FirstDifference(const std::string& a, const std::string& b) {
  std::istringstream left(a), right(b);
  std::string l, r;
  for (int line = 1;; ++line) {
    const bool moreLeft = static_cast<bool>(std::getline(left, l));
    const bool moreRight = static_cast<bool>(std::getline(right, r));
    if (!moreLeft && !moreRight) return "same lines, different line ends";
    if (!moreLeft || !moreRight || l != r) {
      return "line " + std::to_string(line) + ": dialog \"" + (moreLeft ? l : "<end>") + "\", command line \"" +
             (moreRight ? r : "<end>") + "\"";
    }
  }
}

class StandaloneMatchesCommandLine : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { vx::test::TestApplication(); }
  void TearDown() override {
    ShowTTFTextDlg(99, 0, 0);
    FreePointList();
  }
  // A first use with no stored settings; the command line run inherits the folder.
  vx::test::TempRegistryDir registry_;
};

TEST_F(StandaloneMatchesCommandLine, MixedFacesSizesBoldAndItalicGiveTheSameDxf) {
  const std::string fixture = std::string(VX_DIALOG_TEST_DATA) + "/mixed-faces.rtf";
  vx::test::TempFolder folder;
  const std::string fromDialog = folder.Path("dialog.dxf");
  const std::string fromCommandLine = folder.Path("cli.dxf");

  // The user opens the file, sets factor 0.65 and precision 8, and saves.
  std::u16string shown;
  vx::test::WhenModal(QStringLiteral("Form1"), [&](QWidget*) {
    TForm1& f = *Form1;
    f.cWidth->setEditText(QStringLiteral("0.65"));
    f.TrackBar1->setValue(8);
    vx::test::WhenModal(QStringLiteral("OpenDialog1"), [&](QWidget* open) { vx::test::ChooseFile(open, fixture); });
    f.SpeedButton1Click(nullptr);
    shown = f.Memo1->Text();
    vx::test::WhenModal(QStringLiteral("SaveDialog2"), [&](QWidget* save) { vx::test::ChooseFile(save, fromDialog); });
    QTest::mouseClick(f.OkBtn, Qt::LeftButton);
    f.reject();
  });
  const int result = ShowTTFTextDlg(1, 0, 0);
  EXPECT_EQ(result, 0);  // the stand-alone dialog saves and stays open; closing is not OK
  ASSERT_TRUE(shown == u"Abc d\r\nEf g\r\nHi") << QString::fromStdU16String(shown).toStdString();

  QProcess cli;
  cli.start(QStringLiteral(VEXOGLYPH_EXE),
            {"convert", "-i", QString::fromStdString(fixture), "-o", QString::fromStdString(fromCommandLine), "-w",
             "0.65", "-p", "8"});
  ASSERT_TRUE(cli.waitForFinished(60000));
  ASSERT_EQ(cli.exitStatus(), QProcess::NormalExit);
  ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();

  const std::string dialogBytes = vx::test::ReadFileBytes(fromDialog);
  const std::string commandLineBytes = vx::test::ReadFileBytes(fromCommandLine);
  ASSERT_GT(dialogBytes.size(), 1000u);
  EXPECT_TRUE(dialogBytes == commandLineBytes) << FirstDifference(dialogBytes, commandLineBytes);
}

}  // namespace
