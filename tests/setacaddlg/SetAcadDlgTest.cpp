// The registration window on the offscreen platform: layout, discovery on showing, registration on OK.
#include "setacaddlg/SetAcadDlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "platform/ExePath.h"
#include "setacaddlg/AcadReleases.h"
#include "tests/setacaddlg/FakeAcad.h"
#include "tests/support/qt/ModalWindows.h"
#include "tests/support/qt/TestApplication.h"

namespace vx {
namespace {

using test::MessageAnswerer;

QString Q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

class SetAcadWindow : public test::FakeAcad {
 protected:
  void SetUp() override {
    test::FakeAcad::SetUp();
    test::TestApplication();
  }

  static std::vector<QCheckBox*> Boxes(const TSetACAD& window) {
    return {window.CheckR14, window.CheckR2000, window.CheckR2002,
            window.CheckR2004, window.CheckR2005, window.CheckR2006};
  }

  // Shows the window as the user would meet it; its discovery runs now.
  static void Show(TSetACAD& window) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  }
};

TEST_F(SetAcadWindow, LayoutNamesCaptionsAndTabOrder) {
  TSetACAD window;
  EXPECT_EQ(window.objectName(), "SetACAD");
  EXPECT_EQ(window.windowTitle(), "Set AutoCAD ARX command");
  EXPECT_EQ(window.size(), QSize(395, 327));
  EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "not resizable";
  EXPECT_EQ(window.font().family(), "MS Sans Serif");
  EXPECT_EQ(window.font().pixelSize(), 11) << "font height -11 on every screen";
  EXPECT_EQ(window.CheckR14->font().pixelSize(), 11);
  EXPECT_EQ(window.FExePath, ExecutableDir());
  EXPECT_EQ(window.FExePath.back(), '/');

  const struct {
    QWidget* widget;
    const char* name;
    QRect geometry;
  } controls[] = {
      {window.CheckCad, "CheckCad", {8, 8, 377, 225}},
      {window.CheckR14, "CheckR14", {24, 32, 329, 17}},
      {window.CheckR2000, "CheckR2000", {24, 64, 313, 17}},
      {window.CheckR2002, "CheckR2002", {24, 96, 313, 17}},
      {window.CheckR2004, "CheckR2004", {24, 128, 313, 17}},
      {window.CheckR2005, "CheckR2005", {24, 160, 313, 17}},
      {window.CheckR2006, "CheckR2006", {24, 192, 313, 17}},
      {window.Image1, "Image1", {8, 272, 32, 32}},
      {window.OkBtn, "OkBtn", {224, 288, 75, 25}},
      {window.BitBtn2, "BitBtn2", {312, 288, 75, 25}},
  };
  for (const auto& c : controls) {
    EXPECT_EQ(window.findChild<QWidget*>(c.name), c.widget) << c.name;
    EXPECT_EQ(c.widget->geometry(), c.geometry) << c.name;
  }
  EXPECT_EQ(window.CheckCad->title(), "AutoCAD ARX");
  for (std::size_t row = 0; row < kAcadReleases.size(); ++row) {
    QCheckBox* box = Boxes(window)[row];
    EXPECT_EQ(box->text(), Q(kAcadReleases[row].caption));
    EXPECT_EQ(box->parentWidget(), window.CheckCad);
    EXPECT_FALSE(box->isChecked());
    EXPECT_TRUE(box->isEnabled());
  }
  EXPECT_EQ(window.CheckR14->text(), "Call Vexoglyph from  AutoCAD R14");
  EXPECT_EQ(window.Label1->text(), "Call Vexoglyph in AutoCAD:");
  EXPECT_EQ(window.Label2->text(), "Command:  VX");
  EXPECT_EQ(window.Label1->pos(), QPoint(48, 272));
  EXPECT_EQ(window.Label2->pos(), QPoint(48, 296));
  EXPECT_EQ(window.Image1->pixmap().size(), QSize(32, 32));
  EXPECT_EQ(window.OkBtn->text(), "OK");
  EXPECT_FALSE(window.OkBtn->icon().isNull());
  EXPECT_TRUE(window.OkBtn->isDefault());
  EXPECT_EQ(window.BitBtn2->text(), "Cancel");

  // The Tab key's order: the focus chain without the widgets Tab skips.
  const std::vector<QWidget*> order = {window.OkBtn,      window.BitBtn2,    window.CheckR14,   window.CheckR2000,
                                       window.CheckR2002, window.CheckR2004, window.CheckR2005, window.CheckR2006,
                                       window.OkBtn};
  for (std::size_t i = 0; i + 1 < order.size(); ++i) {
    QWidget* next = order[i]->nextInFocusChain();
    while (!(next->focusPolicy() & Qt::TabFocus)) next = next->nextInFocusChain();
    EXPECT_EQ(next, order[i + 1]) << order[i]->objectName().toStdString();
  }
}

TEST_F(SetAcadWindow, NothingInstalledDisablesEverythingAndCancelStillCloses) {
  TSetACAD window;
  Show(window);
  for (std::size_t row = 0; row < kAcadReleases.size(); ++row) {
    EXPECT_FALSE(Boxes(window)[row]->isEnabled());
    EXPECT_EQ(Boxes(window)[row]->text(), Q(kAcadReleases[row].notFoundCaption));
  }
  EXPECT_FALSE(window.OkBtn->isEnabled());
  EXPECT_EQ(window.CheckCad->title(), "Not found AutoCAD R14/R2000/2002/2004/2005/2006");
  QTest::mouseClick(window.BitBtn2, Qt::LeftButton);
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(window.result(), QDialog::Rejected);
}

TEST_F(SetAcadWindow, AFoundReleaseKeepsItsCaption) {
  Install("R15.0", "ACAD-1:409", "AutoCAD 2002");
  TSetACAD window;
  Show(window);
  EXPECT_TRUE(window.CheckR2002->isEnabled());
  EXPECT_EQ(window.CheckR2002->text(), "Call Vexoglyph from  AutoCAD R2002");
  EXPECT_FALSE(window.CheckR2000->isEnabled());
  EXPECT_EQ(window.CheckR2000->text(), "Not found AutoCAD 2000");
  EXPECT_TRUE(window.OkBtn->isEnabled());
  EXPECT_EQ(window.CheckCad->title(), "AutoCAD ARX");
  QTest::keyClick(&window, Qt::Key_Escape);
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(window.result(), QDialog::Rejected);
}

TEST_F(SetAcadWindow, EnterPressesTheFocusedButtonOrElseOk) {
  Install("R14.0", "ACAD-1", "AutoCAD R14");
  const struct {
    const char* focused;
    int result;
  } cases[] = {
      {"OkBtn", QDialog::Accepted},
      {"BitBtn2", QDialog::Rejected},
      {"CheckR14", QDialog::Accepted},
  };
  for (const auto& c : cases) {
    TSetACAD window;
    Show(window);
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QWidget* focused = window.findChild<QWidget*>(c.focused);
    focused->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(QApplication::focusWidget(), focused) << c.focused;
    QTest::keyClick(focused, Qt::Key_Return);
    EXPECT_FALSE(window.isVisible()) << c.focused;
    EXPECT_EQ(window.result(), c.result) << c.focused;
  }
}

TEST_F(SetAcadWindow, EachOpeningLooksAgain) {
  {
    TSetACAD window;
    Show(window);
    EXPECT_FALSE(window.CheckR2006->isEnabled());
  }
  Install("R16.2", "ACAD-1", "AutoCAD 2006");
  TSetACAD window;
  Show(window);
  EXPECT_TRUE(window.CheckR2006->isEnabled());
  EXPECT_FALSE(window.CheckR14->isEnabled());
}

TEST_F(SetAcadWindow, OkRegistersTheCheckedReleasesAndCloses) {
  Install("R15.0", "ACAD-1", "AutoCAD 2000");
  Install("R16.0", "ACAD-1", "AutoCAD 2004");
  TSetACAD window;
  window.FExePath = "/opt/vexoglyph/";
  Show(window);
  QTest::mouseClick(window.CheckR2004, Qt::LeftButton);
  ASSERT_TRUE(window.CheckR2004->isChecked());
  MessageAnswerer messages;
  QTest::mouseClick(window.OkBtn, Qt::LeftButton);
  EXPECT_TRUE(messages.texts.empty());
  EXPECT_EQ(window.result(), QDialog::Accepted);
  EXPECT_FALSE(window.isVisible());

  Registry registry(RegistryRoot::LocalMachine);
  ASSERT_TRUE(registry.OpenKey("Software\\Autodesk\\AutoCAD\\R16.0\\ACAD-1\\Applications\\Vexoglyph", false));
  EXPECT_EQ(registry.ReadString("LOADER"), "/opt/vexoglyph/VexoglyphR2004.arx");
  EXPECT_FALSE(registry.OpenKey("Software\\Autodesk\\AutoCAD\\R15.0\\ACAD-1\\Applications", false))
      << "an unchecked release is not registered";
}

TEST_F(SetAcadWindow, OkWithNothingCheckedWritesNothingAndCloses) {
  Install("R14.0", "ACAD-1", "AutoCAD R14");
  const std::string before = test::ReadFileBytes(MachineFile());
  TSetACAD window;
  Show(window);
  QTest::mouseClick(window.OkBtn, Qt::LeftButton);
  EXPECT_EQ(window.result(), QDialog::Accepted);
  EXPECT_EQ(test::ReadFileBytes(MachineFile()), before);
  EXPECT_FALSE(std::filesystem::exists(UserFile()));
}

TEST_F(SetAcadWindow, AFailedRowShowsItsMessageTheNextRowStillRunsAndTheWindowStays) {
  Install("R14.0", "ACAD-1", "AutoCAD R14");
  Install("R15.0", "ACAD-1", "AutoCAD 2002");
  TSetACAD window;
  Show(window);
  window.CheckR14->setChecked(true);
  window.CheckR2002->setChecked(true);
  Uninstall("R14.0");  // gone between showing and OK
  MessageAnswerer messages;
  QTest::mouseClick(window.OkBtn, Qt::LeftButton);
  EXPECT_EQ(messages.texts, std::vector<std::string>{"Register to AutoCAD R14 failed !"});
  EXPECT_TRUE(window.isVisible());
  EXPECT_NE(window.result(), QDialog::Accepted);
  EXPECT_TRUE(window.CheckR14->isChecked());
  Registry registry(RegistryRoot::LocalMachine);
  EXPECT_TRUE(registry.OpenKey("Software\\Autodesk\\AutoCAD\\R15.0\\ACAD-1\\Applications\\Vexoglyph", false));
  EXPECT_TRUE(registry.OpenKey("Software\\Kestrow\\Vexoglyph\\Arx R14.0\\NAME", false))
      << "the failed row's product keys stay";
}

TEST_F(SetAcadWindow, ARegistryErrorIsShownAndTheWindowStaysUsable) {
  Install("R15.0", "ACAD-1", "AutoCAD 2000");
  Install("R16.0", "ACAD-1", "AutoCAD 2004");
  TSetACAD window;
  Show(window);
  window.CheckR2000->setChecked(true);
  window.CheckR2004->setChecked(true);
  Registry product(RegistryRoot::LocalMachine);
  ASSERT_TRUE(product.OpenKey("Software\\Kestrow\\Vexoglyph", true));  // left by an earlier registration
  std::filesystem::remove(Folder() / "machine.reg.lock");
  std::filesystem::create_directory(Folder() / "machine.reg.lock");  // the machine store refuses writes
  {
    MessageAnswerer messages;
    QTest::mouseClick(window.OkBtn, Qt::LeftButton);
    ASSERT_EQ(messages.texts.size(), 1u) << "the error ends the registration: no further row";
    EXPECT_EQ(messages.texts[0].rfind("Failed to set data for 'DllName': ", 0), 0u) << messages.texts[0];
    EXPECT_TRUE(window.isVisible());
  }
  std::filesystem::remove(Folder() / "machine.reg.lock");
  MessageAnswerer messages;
  QTest::mouseClick(window.OkBtn, Qt::LeftButton);
  EXPECT_TRUE(messages.texts.empty());
  EXPECT_EQ(window.result(), QDialog::Accepted);
}

TEST_F(SetAcadWindow, RunsModallyThroughItsReference) {
  Install("R16.1", "ACAD-1", "AutoCAD 2005");
  EXPECT_EQ(SetACAD, nullptr);
  bool sawWindow = false;
  QTimer::singleShot(0, [&] {
    ASSERT_NE(SetACAD, nullptr);
    sawWindow = SetACAD->isVisible() && SetACAD->CheckR2005->isEnabled() && !SetACAD->CheckR2004->isEnabled();
    SetACAD->CheckR2005->setChecked(true);
    QTest::mouseClick(SetACAD->OkBtn, Qt::LeftButton);
  });
  EXPECT_EQ(ExecSetACAD(), QDialog::Accepted);
  EXPECT_TRUE(sawWindow);
  EXPECT_EQ(SetACAD, nullptr);
  Registry registry(RegistryRoot::LocalMachine);
  EXPECT_TRUE(registry.OpenKey("Software\\Autodesk\\AutoCAD\\R16.1\\ACAD-1\\Applications\\Vexoglyph\\Commands", false));
}

TEST_F(SetAcadWindow, AnErrorDuringDiscoveryIsShownAndEndsTheShowing) {
  Install("R15.0", "ACAD-1", "AutoCAD 2000");
  SetEntryNumber("R15.0", "ACAD-1", "ProductName", 2000);
  MessageAnswerer messages;
  EXPECT_EQ(ExecSetACAD(), QDialog::Rejected);
  EXPECT_EQ(messages.texts, std::vector<std::string>{"Invalid data type for 'ProductName'"});
  EXPECT_EQ(SetACAD, nullptr);
}

}  // namespace
}  // namespace vx
