// Real documents from word processors, where the corpus is beside the repository: each sample loads, the runs
// that matter are checked, and every sample reads as the reference reader reads it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "ReferenceReader.h"
#include "TestText.h"
#include "richtext/DocumentFiles.h"
#include "richtext/PlainText.h"
#include "richtext/RtfReader.h"
#include "tests/support/FileBytes.h"

namespace vx {
namespace {

using test::FlatRun;
namespace fs = std::filesystem;

std::string SampleDir() { return test::TestDataDir() + "/rtf"; }

// The corpus is an extra beside the repository: its tests skip where it is missing.
void SkipWithoutCorpus() {
  if (!fs::is_directory(SampleDir()))
    GTEST_SKIP() << "no real-world RTF corpus at " << SampleDir() << " (set VEXOGLYPH_TESTDATA_DIR)";
}

class RtfSamples : public testing::Test {
 protected:
  void SetUp() override { SkipWithoutCorpus(); }
};

std::vector<std::string> SampleFiles() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(SampleDir())) {
    if (entry.path().extension() == ".rtf") names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

TEST_F(RtfSamples, EverySampleLoadsWithFacesAndSizes) {
  const auto names = SampleFiles();
  ASSERT_GE(names.size(), 28u);
  for (const auto& name : names) {
    SCOPED_TRACE(name);
    const LoadResult result = LoadDocumentFile(SampleDir() + "/" + name, CharFormat{});
    ASSERT_TRUE(result.ok) << result.error;
    for (const auto& line : result.text.lines) {
      for (const auto& run : line.runs) {
        EXPECT_FALSE(run.text.empty());
        EXPECT_FALSE(run.format.face.empty());
        EXPECT_GT(run.format.halfPoints, 0);
      }
    }
  }
}

FlatRun T(const char* text, const char* face, int hp, bool b = false, bool i = false) {
  return FlatRun{text, face, hp, b, i, false};
}
FlatRun Sym(const char* text, int hp) { return FlatRun{text, "Symbol", hp, false, false, true}; }

struct SampleCase {
  const char* file;
  std::vector<FlatRun> runs;  // each found in order: same format, text contained in the run
};

std::ostream& operator<<(std::ostream& os, const SampleCase& c) { return os << c.file; }

class RtfSample : public testing::TestWithParam<SampleCase> {
 protected:
  void SetUp() override { SkipWithoutCorpus(); }
};

TEST_P(RtfSample, HasTheRunsThatMatter) {
  // Plain-text settings never reach an RTF file: characters outside any font
  // table take the editor's own default face, Times New Roman.
  const CharFormat plain{"Plain Text Face", 60, false, false, CharSet::Default};
  const LoadResult result = LoadDocumentFile(SampleDir() + "/" + GetParam().file, plain);
  ASSERT_TRUE(result.ok) << result.error;
  const auto runs = test::Flatten(result.text);
  std::size_t at = 0;
  for (const FlatRun& want : GetParam().runs) {
    bool found = false;
    for (; at < runs.size() && !found; ++at) {
      FlatRun key = runs[at];
      key.text = want.text;
      found = key == want && runs[at].text.find(want.text) != std::string::npos;
    }
    EXPECT_TRUE(found) << "missing " << test::Describe({want}) << "\nin " << test::Describe(runs);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Corpus, RtfSample,
    testing::Values(
        SampleCase{"wordpad-msftedit-fs-b-i.rtf",
                   {T("This ", "Calibri", 22), T("is ", "Calibri", 44), T("a ", "Calibri", 22),
                    T("simple one ", "Calibri", 22, true), T("paragraph ", "Calibri", 22, true, true),
                    T("document", "Calibri", 22, false, true), T(".", "Calibri", 22)}},
        SampleCase{"wordpad-riched20-surrogates-fcharset1.rtf",
                   {T("Iñtërnâtiônàlizætiøn", "Calibri", 22), T("☃💩", "Segoe UI Symbol", 22)}},
        SampleCase{"wordpad-riched20-symbol-list.rtf",
                   {T("Paragraph\n", "Calibri", 22), Sym("\u00b7\t", 22), T("Bullet\n", "Calibri", 22)}},
        SampleCase{"wordpad-riched20-symbol-bullets.rtf",
                   {Sym("\u00b7\t", 24), T("A\n", "Segoe UI", 23), Sym("\u00b7\t", 23), T("B\n", "Segoe UI", 23)}},
        SampleCase{"word2003-mac-symbol-u-negative.rtf",
                   {T("First field is font in symbol", "Times", 24), Sym("A", 24),
                    T(":A:GREEK CAPITAL LETTER ALPHA:0391\n", "Times", 24), Sym("B", 24),
                    T(":B:GREEK CAPITAL LETTER BETA:0392\n", "Times", 24)}},
        SampleCase{"font-charset-switch-in-group.rtf", {T("Уважаемый клиент!", "Arial", 20)}},
        SampleCase{"wordpad-msftedit-cp932-gothic.rtf",
                   {T("バージョンアップ注文書（銀行振込）", "MS Gothic", 40, true)}},
        SampleCase{"textedit-ansicpg936-gbk.rtf", {T("印刷情况反映：\n", "STSongti-SC-Regular", 24)}},
        SampleCase{"outlook-htmlrtf-dbcs-symbol.rtf",
                   {T("WEBテキスト処理法", "MS PGothic", 20), T("2004年5月18日", "MS PGothic", 20),
                    T("Martin J. Dürst (", "Simsun", 20)}},
        SampleCase{"word-ansicpg932-japanese.rtf", {T("これはテストです。", "ＭＳ 明朝", 21)}},
        SampleCase{"word-ansicpg1250-polish.rtf",
                   {T("Proszę o zapoznanie się z poniższą klauzulą informacyjną.", "Times New Roman", 22, true)}},
        SampleCase{"word-ansicpg1251-cyrillic.rtf",
                   {T("УХВАЛА", "Calibri", 24, true), T("справа № 127\\7798/17", "Calibri", 24)}},
        SampleCase{"pandoc-unicode-uc-fallbacks.rtf",
                   {T("“hi”‘hi’\uf0b7αä𝐻\ufffdunpaired", "Times New Roman", 24)}},
        SampleCase{"malformed-extra-close-brace.rtf",
                   {T("Hello world", "Times New Roman", 32), T(" in ", "Times New Roman", 24),
                    T("{RTF}", "Courier New", 32, true), T("…", "Times New Roman", 24)}},
        SampleCase{"malformed-truncated-unclosed.rtf",
                   {T("Hello world", "Times New Roman", 32), T(" in ", "Times New Roman", 24),
                    T("{RTF}", "Courier New", 32, true), T("…", "Times New Roman", 24)}},
        SampleCase{"ted-rtf0-symbol-ascii.rtf",
                   {T("bold-italics", "Helvetica", 20, true, true), Sym("Symbol", 20)}},
        SampleCase{"textedit-fcharset222-thai-unbraced-fonttbl.rtf", {T("เ", "Thonburi", 192)}},
        SampleCase{"textedit-uc0-backslash-newline.rtf", {T("≤\n≤", "ArialMT", 18)}},
        SampleCase{"textedit-old-mac-ansicpg10000.rtf",
                   {T("bold&italics", "Helvetica-BoldOblique", 24, true, true)}},
        SampleCase{"wordpad-riched20-ansicpg1200.rtf",
                   {T("€ œ ¤ ´ ¼ ½", "Calibri", 22), T("𠜎", "SimSun-ExtB", 22), T("😀", "Segoe UI Symbol", 22)}},
        SampleCase{"libreoffice6-cjk-u-loch-hich.rtf", {T("柔道", "Liberation Serif", 24)}},
        SampleCase{"wordpad-riched20-dbcs-932-936.rtf",
                   {T("要やフぎば要立クモフ刑香カルオ洋", "MS PGothic", 22), T("8", "Calibri", 22),
                    T("。惑", "SimSun", 22)}}));

TEST_F(RtfSamples, PictureOnlyDocumentIsEmpty) {
  const LoadResult result = LoadDocumentFile(SampleDir() + "/bin-control-word-png.rtf", CharFormat{});
  ASSERT_TRUE(result.ok);
  ASSERT_EQ(result.text.lines.size(), 1u);
  EXPECT_TRUE(result.text.lines[0].runs.empty());
}

TEST_F(RtfSamples, FilesThatAreNotRtfLoadAsPlainText) {
  const CharFormat editor{"Editor Face", 60, false, false, CharSet::Default};
  for (const char* name : {"malformed-leading-garbage.rtf", "malformed-not-rtf.rtf"}) {
    const std::string bytes = test::ReadFileBytes(SampleDir() + "/" + name);
    const LoadResult result = LoadDocument(bytes, editor);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.text, LoadPlainText(bytes, editor)) << name;
  }
}

TEST_F(RtfSamples, ReadLikeTheReferenceReader) {
  if (!test::ReferenceRuns(SampleDir() + "/wordpad-msftedit-fs-b-i.rtf"))
    GTEST_SKIP() << "python3 or the reference reader is missing";
  for (const auto& name : SampleFiles()) {
    const std::string path = SampleDir() + "/" + name;
    if (!IsRtf(test::ReadFileBytes(path))) continue;
    const auto reference = test::ReferenceRuns(path);
    ASSERT_TRUE(reference) << name;
    EXPECT_EQ(test::OurRuns(path), *reference) << name;
  }
}

}  // namespace
}  // namespace vx
