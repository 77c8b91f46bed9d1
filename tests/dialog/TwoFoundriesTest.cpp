// A family that two foundries install: the font box lists it once under its own name and accepts that name.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFontDatabase>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <fontconfig/fontconfig.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "dialog/qt/MainDlg.h"
#include "dialog/qt/RichEditBox.h"
#include "engine/HostQueries.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TempRegistryDir.h"
#include "tests/support/qt/ModalWindows.h"
#include "tests/support/qt/TestApplication.h"

namespace {

// The file of the installed regular Liberation Sans, asked of a fontconfig
// configuration of its own, so that the process's default one is first
// loaded after the fixture is in place.
std::string InstalledLiberationSans() {
  FcConfig* config = FcInitLoadConfigAndFonts();
  if (config == nullptr) return {};
  FcPattern* pattern = FcPatternBuild(nullptr, FC_FAMILY, FcTypeString, "Liberation Sans", FC_STYLE, FcTypeString,
                                      "Regular", nullptr);
  FcObjectSet* objects = FcObjectSetBuild(FC_FILE, nullptr);
  FcFontSet* set = FcFontList(config, pattern, objects);
  std::string file;
  FcChar8* value = nullptr;
  if (set != nullptr && set->nfont > 0 && FcPatternGetString(set->fonts[0], FC_FILE, 0, &value) == FcResultMatch)
    file = reinterpret_cast<const char*>(value);
  if (set != nullptr) FcFontSetDestroy(set);
  FcObjectSetDestroy(objects);
  FcPatternDestroy(pattern);
  FcConfigDestroy(config);
  return file;
}

std::uint32_t BigEndian32(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

// The font with its maker's tag (the OS/2 table's vendor id, from which
// fontconfig takes the foundry) replaced; empty when it has no OS/2 table.
std::string WithVendor(std::string font, const char (&vendor)[5]) {
  constexpr std::size_t kVendorOffset = 58;
  const std::size_t tables = (static_cast<unsigned char>(font[4]) << 8) | static_cast<unsigned char>(font[5]);
  for (std::size_t t = 0; t < tables; ++t) {
    const std::size_t record = 12 + 16 * t;
    if (font.compare(record, 4, "OS/2") != 0) continue;
    font.replace(BigEndian32(font, record + 8) + kVendorOffset, 4, vendor, 4);
    return font;
  }
  return {};
}

class TwoFoundries : public ::testing::Test {
 protected:
  // Before anything in the process loads fonts: the tests' own fonts plus a
  // copy of Liberation Sans whose maker is "copy".
  static void SetUpTestSuite() {
    const std::string original = InstalledLiberationSans();
    ASSERT_FALSE(original.empty()) << "Liberation Sans is installed for the tests";
    const std::string copy = WithVendor(vx::test::ReadFileBytes(original), "copy");
    ASSERT_FALSE(copy.empty());
    folder_ = new vx::test::TempFolder;
    vx::test::WriteFileBytes(folder_->Path("LiberationSans-Copy.ttf"), copy);
    const char* tests = std::getenv("FONTCONFIG_FILE");
    vx::test::WriteFileBytes(folder_->Path("fonts.conf"),
                             "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">\n"
                             "<fontconfig>\n  <cachedir>" + folder_->Path("cache") + "</cachedir>\n"
                             "  <include>" + (tests != nullptr ? tests : "/etc/fonts/fonts.conf") + "</include>\n"
                             "  <dir>" + folder_->path() + "</dir>\n</fontconfig>\n");
    ::setenv("FONTCONFIG_FILE", folder_->Path("fonts.conf").c_str(), 1);
    vx::test::TestApplication();
  }
  static void TearDownTestSuite() {
    delete folder_;
    folder_ = nullptr;
  }
  void TearDown() override {
    ShowTTFTextDlg(99, 0, 0);
    FreePointList();
  }

  static inline vx::test::TempFolder* folder_ = nullptr;
  vx::test::TempRegistryDir registry_;
};

TEST_F(TwoFoundries, TheFontBoxListsTheFamilyOnceAndAcceptsItsName) {
  // The fixture holds: the toolkit names the family only with its foundries.
  const QStringList toolkit = QFontDatabase::families();
  ASSERT_TRUE(toolkit.contains("Liberation Sans [copy]")) << toolkit.join(", ").toStdString();
  ASSERT_FALSE(toolkit.contains("Liberation Sans"));

  vx::test::WhenModal(QStringLiteral("Form1"), [](QWidget*) {
    TForm1& f = *Form1;
    int entries = 0;
    for (int i = 0; i < f.cName->count(); ++i) {
      const QString name = f.cName->itemText(i);
      entries += name.compare("Liberation Sans", Qt::CaseInsensitive) == 0;
      EXPECT_FALSE(name.contains('[')) << name.toStdString();
    }
    EXPECT_EQ(entries, 1);
    EXPECT_GE(f.cName->findText("Liberation Sans"), 0);

    const struct {
      const char* typed;
      const char* applied;  // the selection's face afterwards, shown in the box
    } cases[] = {
        {"Liberation Serif", "Liberation Serif"},
        {"liberation sans", "liberation sans"},
        {"Liberation Sans [copy]", "liberation sans"},  // a toolkit name, no family's
    };
    for (const auto& c : cases) {
      f.cName->lineEdit()->setText(QString::fromLatin1(c.typed));
      emit f.cName->lineEdit()->textEdited(f.cName->lineEdit()->text());
      EXPECT_EQ(f.Memo1->SelAttributes().face.toStdString(), c.applied) << c.typed;
      EXPECT_EQ(f.cName->currentText().toStdString(), c.applied) << c.typed;
    }
    // Text typed in the family converts.
    QTest::keyClicks(f.Memo1, "A");
    QTest::mouseClick(f.OkBtn, Qt::LeftButton);
  });
  EXPECT_EQ(ShowTTFTextDlg(-1, 0, 0), 1);
  EXPECT_GT(GetTTFCount(), 2);
}

}  // namespace
