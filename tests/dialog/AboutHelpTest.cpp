// The about box and the help file: built per press, closed by Enter and Esc, links and help through the launcher.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "dialog/HelpFile.h"
#include "dialog/ShellOpen.h"
#include "dialog/qt/MyAbout.h"
#include "platform/ExePath.h"
#include "tests/support/FileBytes.h"
#include "tests/support/qt/ModalWindows.h"
#include "tests/support/qt/TestApplication.h"

namespace vx {
namespace {

using test::WhenModal;

// Replaces the launcher by a recorder for the lifetime of the object.
class RecordingLauncher {
 public:
  RecordingLauncher() {
    previous_ = SetShellLauncher([this](const std::string& target, NativeWindow) {
      opened.push_back(QUrl::fromEncoded(QByteArray::fromStdString(target)));
    });
  }
  ~RecordingLauncher() { SetShellLauncher(previous_); }
  std::vector<QUrl> opened;

 private:
  ShellLauncher previous_;
};

// The manual placed beside the running test program for the lifetime of the object.
class ManualBesideExecutable {
 public:
  ManualBesideExecutable() : path_(ExecutableDir() + kHelpFileName) {
    test::WriteFileBytes(path_, "<html><body>manual</body></html>");
  }
  ~ManualBesideExecutable() { std::filesystem::remove(path_); }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

class AboutHelp : public ::testing::Test {
 protected:
  void SetUp() override {
    test::TestApplication();
    std::filesystem::remove(ExecutableDir() + kHelpFileName);
  }
};

// Runs the about box and hands the open box to inspect, which must close it.
void WithAboutBox(const std::function<void(TAboutDLG*)>& inspect) {
  bool seen = false;
  WhenModal({}, [&](QWidget* modal) {
    seen = true;
    auto* box = qobject_cast<TAboutDLG*>(modal);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box, AboutDLG);
    inspect(box);
    if (box->isVisible()) box->reject();  // never leave a failed test hanging
  });
  RunAboutBox();
  EXPECT_TRUE(seen);
}

TEST_F(AboutHelp, TheBoxShowsItsCaptionsAndNamedControls) {
  WithAboutBox([](TAboutDLG* box) {
    EXPECT_EQ(box->objectName(), "AboutDLG");
    EXPECT_EQ(box->windowTitle(), "About Vexoglyph");
    const std::vector<std::pair<const char*, const char*>> captions = {
        {"Label1", "Vexoglyph"},
        {"Label5", "Verson 1.9.1"},
        {"Label12", "Download new verson !"},
    };
    for (const auto& [name, caption] : captions) {
      auto* label = box->findChild<QLabel*>(name);
      ASSERT_NE(label, nullptr) << name;
      EXPECT_EQ(label->text(), caption) << name;
    }
    EXPECT_EQ(box->findChild<QPushButton*>("Button1")->text(), "&Ok");
    EXPECT_NE(box->findChild<QPushButton*>("BitBtn1"), nullptr);
    EXPECT_TRUE(box->findChild<QLabel*>("Label2")->text().contains("Kestrow"));
    // The link captions are the addresses they open.
    EXPECT_EQ(box->Label6->text(), TAboutDLG::SiteUrl().toString());
    EXPECT_EQ(box->Label10->text(), TAboutDLG::SupportUrl().toString());
    EXPECT_EQ(box->size(), QSize(417, 282));
    box->accept();
  });
  EXPECT_EQ(AboutDLG, nullptr);
}

TEST_F(AboutHelp, EnterAndEscCloseTheBoxAndEachPressBuildsANewOne) {
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
    QPointer<TAboutDLG> former;
    WithAboutBox([&](TAboutDLG* box) {
      former = box;
      box->Label5->setText("changed");  // must not survive into the next box
      QTest::keyClick(box, key);
      EXPECT_FALSE(box->isVisible()) << key;
      EXPECT_EQ(box->result(), QDialog::Accepted) << key << ": both keys press Button1";
    });
    EXPECT_TRUE(former.isNull()) << "the box is destroyed after its run";
    EXPECT_EQ(AboutDLG, nullptr);
    WithAboutBox([](TAboutDLG* box) {
      EXPECT_EQ(box->Label5->text(), "Verson 1.9.1");
      box->accept();
    });
  }
}

TEST_F(AboutHelp, LinksGoToTheLauncherWithoutAnyMessage) {
  RecordingLauncher launcher;
  WithAboutBox([](TAboutDLG* box) {
    for (QLabel* link : {box->Label6, box->Label10, box->Label12}) {
      QTest::mouseClick(link, Qt::LeftButton);
      QApplication::processEvents();
      EXPECT_EQ(QApplication::activeModalWidget(), box) << "no message over the box";
    }
    box->accept();
  });
  const std::vector<QUrl> expected = {TAboutDLG::SiteUrl(), TAboutDLG::SupportUrl(),
                                      TAboutDLG::DownloadUrl()};
  EXPECT_EQ(launcher.opened, expected);
  // The links lead into the manual beside the program, not to invented addresses.
  for (const QUrl& url : launcher.opened) {
    EXPECT_TRUE(url.isLocalFile()) << url.toString().toStdString();
    EXPECT_EQ(url.toLocalFile(), QString::fromStdString(HelpFilePath()));
  }
}

// Presses a help button's action and answers the message box it shows, if
// any; hands back the box's text (empty when none was shown).
QString OpenHelpAnsweringItsMessage() {
  const std::shared_ptr<QString> shown = test::AnswerNextMessage();
  OpenHelpFile(nullptr);
  return *shown;
}

TEST_F(AboutHelp, AMissingManualIsReportedByName) {
  RecordingLauncher launcher;
  const QString shown = OpenHelpAnsweringItsMessage();
  EXPECT_EQ(shown, "Not found Vexoglyph.html !");
  EXPECT_TRUE(launcher.opened.empty());
}

TEST_F(AboutHelp, TheManualBesideTheExecutableIsOpened) {
  ManualBesideExecutable manual;
  RecordingLauncher launcher;
  OpenHelpFile(nullptr);
  ASSERT_EQ(launcher.opened.size(), 1u);
  EXPECT_EQ(launcher.opened[0], QUrl::fromLocalFile(QString::fromStdString(manual.path())));
}

TEST_F(AboutHelp, AFolderNamedLikeTheManualDoesNotCount) {
  const std::string folder = ExecutableDir() + kHelpFileName;
  std::filesystem::create_directory(folder);
  RecordingLauncher launcher;
  const QString shown = OpenHelpAnsweringItsMessage();
  std::filesystem::remove(folder);
  EXPECT_EQ(shown, "Not found Vexoglyph.html !");
  EXPECT_TRUE(launcher.opened.empty());
}

TEST_F(AboutHelp, TheBoxHelpButtonOpensTheManualLikeTheDialogs) {
  ManualBesideExecutable manual;
  RecordingLauncher launcher;
  WithAboutBox([](TAboutDLG* box) {
    box->BitBtn1->click();
    box->accept();
  });
  ASSERT_EQ(launcher.opened.size(), 1u);
  EXPECT_EQ(launcher.opened[0], QUrl::fromLocalFile(QString::fromStdString(manual.path())));
}

}  // namespace
}  // namespace vx
