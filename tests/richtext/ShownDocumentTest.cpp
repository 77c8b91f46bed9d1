// A document as a word processor shows it, read and converted with real fonts: the text it
// shows, and one glyph for each visible character (none for hidden text or blanks).
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "TestText.h"
#include "engine/TextLayout.h"
#include "platform/fonts/FontServices.h"
#include "richtext/DocumentFiles.h"
#include "richtext/LayoutInput.h"
#include "tests/support/FileBytes.h"
#include "tests/support/StoreContents.h"

namespace vx {
namespace {

std::string ReadFixture(const std::string& name) {
  const auto path = std::filesystem::path(VX_SOURCE_DIR_DEFAULT) / "tests" / "richtext" / "shown" / name;
  return test::ReadFileBytes(path);
}

class ShownDocument : public test::StoreTest {};

// A list with "Symbol"-face bullets in the installed stand-in, a table row,
// a nested table row whose properties carry text, hidden text and an
// ideographic space, in a face without glyphs for TAB and U+3000.
TEST_F(ShownDocument, ListTableAndBlanksConvertToTheVisibleGlyphs) {
  const std::string rtf = ReadFixture("list-table-blanks.rtf");
  ASSERT_FALSE(rtf.empty());
  const LoadResult loaded = LoadDocument(rtf, CharFormat{});
  ASSERT_TRUE(loaded.ok) << loaded.error;
  EXPECT_EQ(test::PlainOf(loaded.text),
            "Report\n\u00b7\tFirst item\n\u00b7\tSecond item\nA\tB\t\nC\tD\t\nTotal 42\nName:\u3000Ann");

  FontServices fonts;
  GlyphSource& source = fonts.Glyphs();
  const LayoutInput input = ToLayoutInput(loaded.text);
  LayoutText(source, input.text, input.styles, LayoutSettings{});
  int glyphs = 0;
  for (const test::Rec& r : test::StoreRecords()) glyphs += r.kind == pkGlyphEnd ? 1 : 0;
  // Report 6, two bullets with their items 10 and 11, A B C D 4, Total 42 7, Name: Ann 8.
  EXPECT_EQ(glyphs, 46);
}

}  // namespace
}  // namespace vx
