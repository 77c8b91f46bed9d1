// Writes a picture of the text dialog in each mode into the build folder (screenshots/).
#include <gtest/gtest.h>

#include <QDir>
#include <QPixmap>

#include "dialog/qt/MainDlg.h"
#include "dialog/qt/RichEditBox.h"
#include "tests/support/qt/ModalWindows.h"
#include "tests/support/qt/TestApplication.h"

namespace {

QString ShotFolder() {
  const QString folder = QStringLiteral(VX_SCREENSHOT_DIR);
  QDir().mkpath(folder);
  return folder;
}

TEST(DialogScreenshots, EachModeIsWrittenAsPng) {
  vx::test::TestApplication();
  const struct {
    int mode;
    const char* file;
  } modes[] = {{-1, "dialog-host-default.png"}, {0, "dialog-host-sized.png"}, {1, "dialog-standalone.png"}};
  for (const auto& m : modes) {
    // A fresh dialog per mode, so the stand-alone picture shows its own controls.
    ShowTTFTextDlg(99, 0, 0);
    bool written = false;
    vx::test::WhenModal(QStringLiteral("Form1"), [&](QWidget* dialog) {
      Form1->Memo1->insertPlainText(QStringLiteral("Ab"));
      const QPixmap shot = dialog->grab();
      written = shot.save(ShotFolder() + QLatin1Char('/') + QString::fromLatin1(m.file));
      Form1->reject();
    });
    ShowTTFTextDlg(m.mode, 2.5, 0.8);
    EXPECT_TRUE(written) << m.file;
  }
  ShowTTFTextDlg(99, 0, 0);
}

}  // namespace
