// Checks every system's glyph source passes alike: closed contours, symbol faces by single-byte codes, absurd sizes.
#pragma once

#include <gtest/gtest.h>

#include <climits>
#include <initializer_list>
#include <string>
#include <vector>

#include "engine/GlyphConversion.h"
#include "tests/platform/fonts/GlyphQueries.h"
#include "tests/support/StoreContents.h"

namespace vx {

struct StyledFace {
  const char* face;
  bool bold;
  bool italic;
};

// Common letters, digits and signs of each face, converted into the store one by one.
inline void ExpectEveryContourClosed(GlyphSource& source, std::initializer_list<StyledFace> faces) {
  for (const StyledFace& font : faces) {
    for (const char16_t c : std::u16string(u"AgQ@&%8iöß€")) {
      SCOPED_TRACE(std::string(font.face) + " code " + std::to_string(int(c)));
      FreePointList();
      GlyphMetrics metrics;
      ASSERT_TRUE(ConvertGlyph(source, c, font.face, 200, 200, font.bold, font.italic, 1.0, 0.0, 0.0, metrics));
      const std::vector<test::Rec> records = test::StoreRecords();
      ASSERT_GE(records.size(), 4u);
      test::ExpectOneWellFormedGlyph(records);
    }
  }
}

inline void ExpectSymbolFaceReachesItsGlyphsThroughSingleByteCodes(GlyphSource& source) {
  // Wine's Wingdings draws 53 of its codes; 0x47 and 0x6C are two of them,
  // 0x41 is not (it gives the missing-character glyph).
  const Glyph code = Query(source, "Wingdings", 0x47);
  const Glyph privateUse = Query(source, "Wingdings", 0xF047);
  const Glyph other = Query(source, "Wingdings", 0x6C);
  const Glyph missing = Query(source, "Wingdings", 0x41);
  ASSERT_TRUE(code.ok && privateUse.ok && other.ok && missing.ok);
  EXPECT_FALSE(code.outline.empty());
  EXPECT_EQ(code.outline, privateUse.outline);
  EXPECT_NE(code.outline, other.outline);
  EXPECT_NE(code.outline, missing.outline);
  EXPECT_EQ(missing.outline, Query(source, "Wingdings", 0xF041).outline);
}

// Sizes out of the accepted range, and one within it whose glyph would leave
// the 16.16 coordinate range.
inline void ExpectAbsurdSizesRefused(GlyphSource& source) {
  struct Case {
    int height;
    int width;
  };
  for (const Case& c : {Case{0, 200}, Case{16385, 200}, Case{INT_MAX, 200}, Case{INT_MIN, 200},
                        Case{-16385, 200}, Case{200, 16385}, Case{200, INT_MAX}}) {
    SCOPED_TRACE(std::to_string(c.height) + " x " + std::to_string(c.width));
    EXPECT_FALSE(Query(source, "DejaVu Sans", u'H', c.height, c.width).ok);
  }
  EXPECT_FALSE(Query(source, "DejaVu Sans", u'\u2031', 16384, 16384).ok);
}

}  // namespace vx
