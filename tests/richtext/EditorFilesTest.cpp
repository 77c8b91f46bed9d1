// Small RTF files written the way other editors write them, one writer's constructs each: every run they hold.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ReferenceReader.h"
#include "TestText.h"
#include "richtext/DocumentFiles.h"
#include "richtext/PlainText.h"
#include "richtext/RtfReader.h"
#include "tests/support/FileBytes.h"

namespace vx {
namespace {

using test::FlatRun;

std::string EditorFile(const std::string& name) {
  return std::string(VX_SOURCE_DIR_DEFAULT) + "/tests/richtext/editor-files/" + name;
}

FlatRun T(const char* text, const char* face, int hp, bool b = false, bool i = false) {
  return FlatRun{text, face, hp, b, i, false};
}
FlatRun Sym(const char* text, const char* face, int hp) { return FlatRun{text, face, hp, false, false, true}; }

struct EditorFileCase {
  const char* file;
  std::vector<FlatRun> runs;  // the whole document
};

std::ostream& operator<<(std::ostream& os, const EditorFileCase& c) { return os << c.file; }

class EditorFiles : public testing::TestWithParam<EditorFileCase> {};

TEST_P(EditorFiles, ReadRunForRun) {
  // Characters outside any font table take the editor's default face; the
  // catalogue knows Wingdings as a symbol face, as on a machine with Wine's fonts.
  const CharFormat editor{"Editor Face", 60, false, false, CharSet::Default};
  const SymbolFaceTest catalogue = [](const std::string& face) { return face == "Wingdings"; };
  const LoadResult result = LoadDocumentFile(EditorFile(GetParam().file), editor, catalogue);
  ASSERT_TRUE(result.ok) << result.error;
  EXPECT_EQ(test::Describe(test::Flatten(result.text)), test::Describe(GetParam().runs));
}

INSTANTIATE_TEST_SUITE_P(
    Writers, EditorFiles,
    testing::Values(
        // \fs sizes, \b \i toggles with \b0 \i0 \ulnone, and "}\r\n\0" after the document.
        EditorFileCase{"wordpad-msftedit-sizes.rtf",
                       {T("Hi ", "Calibri", 22), T("Hi ", "Calibri", 44), T("bold ", "Calibri", 44, true),
                        T("both", "Calibri", 44, true, true), T(" italic", "Calibri", 44, false, true),
                        T(" under plain.", "Calibri", 44)}},
        // cp1252 bytes, Symbol bullets as bare \'B7 in {\pntext}, an entry without \fcharset,
        // \fcharset1 with \u and a surrogate pair.
        EditorFileCase{"wordpad-riched20-bullets-emoji.rtf",
                       {T("Café crème\n", "Calibri", 22), Sym("·\t", "Symbol", 22), T("First\n", "Segoe UI", 23),
                        Sym("·\t", "Symbol", 23), T("Second\n", "Segoe UI", 23),
                        T("☃💩", "Segoe UI Symbol", 22)}},
        // Every run a group, cp1250 through \fcharset238, \u with byte fallbacks, a
        // {\listtext} bullet, \u-3913\'b7 in a text face, and Word's large destinations.
        EditorFileCase{"word-ansicpg1250-run-groups.rtf",
                       {T("Zażółć gęślą jaźń", "Times New Roman", 22, true), T(" – „tak”", "Times New Roman", 22),
                        T("\n", "Calibri", 22), Sym("·\t", "Symbol", 22), T("Punkt \uf0b7 jeden", "Calibri", 22)}},
        // {\upr{fonttbl}{\*\ud{fonttbl}}}: the \ud copy names the face; \fcharset256
        // falls back to \ansicpg10000; Symbol codes as \u-4031\'41.
        EditorFileCase{"word2003-mac-upr-symbol.rtf",
                       {T("Greek ", "Times", 24), Sym("A", "Symbol", 24), T("lpha and ", "Times", 24),
                        Sym("B", "Symbol", 24), T("eta, café.\n", "Times", 24), T("日本", "ＭＳ 明朝", 24)}},
        // A face name in cp932 bytes, DBCS pairs, \loch\hich\dbch, \uc2 with two-byte fallbacks.
        EditorFileCase{"word-ansicpg932-face-names.rtf",
                       {T("日本語", "ＭＳ 明朝", 21), T("Text\n", "Times New Roman", 21), T("あい", "ＭＳ 明朝", 21)}},
        // Encapsulated HTML: a DBCS trail byte written as a literal ("\'94N"), a face without \fcharset.
        EditorFileCase{"outlook-htmlrtf-dbcs.rtf",
                       {T("2024年3月", "MS PGothic", 20), T("\n", "MS PGothic", 24), T("日本", "MS Gothic", 20)}},
        // A font table without braces around its entries, cp874, backslash-newline paragraphs, \uc0.
        EditorFileCase{"textedit-unbraced-fonttbl.rtf",
                       {T("Plain Helvetica\n", "Helvetica", 24), T("สวัสดี\n", "Thonburi", 48),
                        T("≤ and ≥", "ArialMT", 18)}},
        // The Mac-era code page through \fcharset77, bold italic as a PostScript face.
        EditorFileCase{"textedit-ansicpg10000-postscript-faces.rtf",
                       {T("Café naïve ", "Helvetica", 24), T("both", "Helvetica-BoldOblique", 24, true, true)}},
        EditorFileCase{"textedit-ansicpg936-gbk.rtf", {T("中文测试", "PingFangSC-Regular", 24)}},
        // CJK as \u26580\'3f in the \loch face, a symbol face written as \fcharset0 with U+F0xx.
        EditorFileCase{"libreoffice-symbol-cjk.rtf",
                       {T("Judo: 柔道 and ", "Liberation Serif", 24), Sym("· Ü", "Wingdings", 24)}},
        // \uc2, \uc0, smart quotes with cp1252 fallbacks, surrogate pairs (one with a
        // space before its fallback), a lone surrogate.
        EditorFileCase{"pandoc-uc-fallbacks.rtf",
                       {T("äb “quoted” \uf0b7\n≤x𝐻 emoji 💩 lone \ufffdend", "Times New Roman", 24)}},
        // \rtf0, and ASCII text in a \fcharset2 face is its own code.
        EditorFileCase{"ted-rtf0-symbol-ascii.rtf",
                       {T("bold-italic", "Helvetica", 20, true, true), T(" ", "Helvetica", 20), Sym("abg", "Symbol", 20)}},
        // \bin data holding braces, a backslash and a NUL.
        EditorFileCase{"picture-bin-data.rtf", {T("BeforeAfter", "Arial", 24)}},
        // Malformed endings: the text read before them stays.
        EditorFileCase{"malformed-extra-close-brace.rtf", {T("Kept ", "Arial", 28), T("bold", "Arial", 28, true)}},
        EditorFileCase{"malformed-unclosed-cut-escape.rtf", {T("Kept ", "Arial", 28), T("bold", "Arial", 28, true)}}));

TEST(EditorFile, TextBeforeTheRtfHeaderLoadsAsPlainText) {
  const CharFormat editor{"Editor Face", 60, false, false, CharSet::Default};
  const std::string bytes = test::ReadFileBytes(EditorFile("not-rtf-slash-prefix.rtf"));
  const LoadResult result = LoadDocument(bytes, editor);
  ASSERT_TRUE(result.ok);
  EXPECT_EQ(result.text, LoadPlainText(bytes, editor));
  EXPECT_EQ(test::PlainOf(result.text), "/{\\rtf1\\ansi Not read as RTF}");
}

TEST(EditorFile, EveryFileReadsAsTheReferenceReaderReadsIt) {
  if (!test::ReferenceRuns(EditorFile("wordpad-msftedit-sizes.rtf")))
    GTEST_SKIP() << "python3 or the reference reader beside the repository is missing";
  for (const auto& entry : std::filesystem::directory_iterator(EditorFile(""))) {
    const std::string path = entry.path().string();
    if (!IsRtf(test::ReadFileBytes(path))) continue;
    const auto reference = test::ReferenceRuns(path);
    ASSERT_TRUE(reference) << path;
    EXPECT_EQ(test::OurRuns(path), *reference) << path;
  }
}

}  // namespace
}  // namespace vx
