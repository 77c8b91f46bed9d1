// Inputs the fuzzer once broke the loaders with: each must load, and what is read must be
// written and read back the same.
#include <gtest/gtest.h>

#include <filesystem>

#include "TestText.h"
#include "richtext/DocumentFiles.h"
#include "richtext/LayoutInput.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"
#include "tests/support/FileBytes.h"

namespace vx {
namespace {

namespace fs = std::filesystem;

TEST(RtfRegressions, EveryKeptInputLoadsAndRoundTrips) {
  const fs::path dir = fs::path(VX_SOURCE_DIR_DEFAULT) / "tests" / "richtext" / "regressions";
  const CharFormat editor{"Editor Face", 60, false, false, CharSet::Default};
  const SymbolFaceTest catalogue = [](const std::string& face) { return face == "Wingdings"; };
  int checked = 0;
  for (const auto& entry : fs::directory_iterator(dir)) {
    if (!entry.is_regular_file() || entry.path().extension() == ".md") continue;
    SCOPED_TRACE(entry.path().filename().string());
    const LoadResult loaded = LoadDocument(test::ReadFileBytes(entry.path()), editor, catalogue);
    ASSERT_TRUE(loaded.ok) << loaded.error;
    const LayoutInput layout = ToLayoutInput(loaded.text);
    EXPECT_EQ(layout.text.size(), layout.styles.size());
    const LoadResult again = ReadRtf(WriteRtf(loaded.text, catalogue), editor, catalogue);
    ASSERT_TRUE(again.ok);
    EXPECT_EQ(test::FirstDifference(again.text, loaded.text), "");
    ++checked;
  }
  if (checked == 0) GTEST_SKIP() << "no kept inputs";
}

}  // namespace
}  // namespace vx
