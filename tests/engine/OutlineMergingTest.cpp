// Merged outlines: each glyph of the store becomes the boundary of what the non-zero rule fills.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/OutlineMerging.h"
#include "engine/PointStore.h"
#include "tests/support/StoreContents.h"

namespace vx::test {
namespace {

using Points = std::vector<std::pair<double, double>>;
using Glyph = std::vector<Points>;

// Contours as the store holds them: the vertices, then the first again as the closing record.
void AddGlyph(const Glyph& glyph) {
  for (std::size_t i = 0; i < glyph.size(); ++i) {
    for (const auto& [x, y] : glyph[i]) gPointList.Add(x, y, pkPoint);
    gPointList.Add(glyph[i].front().first, glyph[i].front().second, i + 1 == glyph.size() ? pkGlyphEnd : pkContourEnd);
  }
}

// The store's glyphs as contours of vertices, closing records left out.
std::vector<Glyph> StoreGlyphs() {
  std::vector<Glyph> glyphs(1);
  Points contour;
  for (const Rec& r : StoreRecords()) {
    if (r.kind == pkPoint) {
      contour.emplace_back(r.x, r.y);
      continue;
    }
    glyphs.back().push_back(contour);
    contour.clear();
    if (r.kind == pkGlyphEnd) glyphs.emplace_back();
  }
  glyphs.pop_back();
  return glyphs;
}

// Squares as TrueType draws them: outer contours clockwise (y up), holes counter-clockwise.
Points Clockwise(double left, double bottom, double size) {
  return {{left, bottom}, {left, bottom + size}, {left + size, bottom + size}, {left + size, bottom}};
}
Points CounterClockwise(double left, double bottom, double size) {
  return {{left, bottom}, {left + size, bottom}, {left + size, bottom + size}, {left, bottom + size}};
}

// How near a crossing lands to the true one: the glyph's size (here at most 15) / 2^30.
constexpr double kPlaced = 15.0 / (1 << 30);

class OutlineMerging : public StoreTest {};

TEST_F(OutlineMerging, EachGlyphBecomesTheBoundaryOfItsNonZeroFill) {
  struct Case {
    const char* name;
    Glyph in;
    Glyph out;
  };
  const Case cases[] = {
      {"a square with a hole keeps its own vertices, repeats dropped, turned to outer "
       "counter-clockwise and hole clockwise",
       {{{0, 0}, {0, 0}, {0, 10}, {10, 10}, {10, 10}, {10, 0}, {0, 0}}, CounterClockwise(2, 2, 6)},
       {{{10, 10}, {0, 10}, {0, 0}, {10, 0}}, {{8, 8}, {8, 2}, {2, 2}, {2, 8}}}},
      {"overlapping outer contours unite",
       {Clockwise(0, 0, 10), Clockwise(5, 5, 10)},
       {{{15, 15}, {5, 15}, {5, 10}, {0, 10}, {0, 0}, {10, 0}, {10, 5}, {15, 5}}}},
      {"a contour inside one of the same direction is no boundary",
       {Clockwise(0, 0, 10), Clockwise(2, 2, 6)},
       {{{10, 10}, {0, 10}, {0, 0}, {10, 0}}}},
      {"both lobes of a contour that crosses itself are filled",
       {{{0, 0}, {10, 10}, {10, 0}, {0, 10}}},
       {{{5, 5}, {0, 10}, {0, 0}}, {{10, 10}, {5, 5}, {10, 0}}}},
      {"contours without area are left out, and a glyph of nothing vanishes",
       {{{0, 0}, {5, 5}, {10, 10}}, {{3, 3}, {3, 3}}},
       {}},
      {"crossings of contours away from the grid land where the edges cross",
       {Clockwise(0.1, 0.1, 1), Clockwise(0.6, 0.35, 1)},
       {{{1.6, 1.35}, {0.6, 1.35}, {0.6, 1.1}, {0.1, 1.1}, {0.1, 0.1}, {1.1, 0.1}, {1.1, 0.35}, {1.6, 0.35}}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FreePointList();
    AddGlyph(c.in);
    AddGlyph({Clockwise(20, 0, 1)});  // a second glyph, merged on its own
    MergeGlyphOutlines();
    std::vector<Glyph> glyphs = StoreGlyphs();
    const Glyph second{{{21, 1}, {20, 1}, {20, 0}, {21, 0}}};
    if (c.out.empty()) {
      EXPECT_EQ(glyphs, std::vector<Glyph>{second});
      continue;
    }
    ASSERT_EQ(glyphs.size(), 2u);
    EXPECT_EQ(glyphs[1], second);
    ASSERT_EQ(glyphs[0].size(), c.out.size());
    for (std::size_t i = 0; i < c.out.size(); ++i) {
      ASSERT_EQ(glyphs[0][i].size(), c.out[i].size()) << "contour " << i;
      for (std::size_t j = 0; j < c.out[i].size(); ++j) {
        EXPECT_NEAR(glyphs[0][i][j].first, c.out[i][j].first, kPlaced) << "contour " << i << " vertex " << j;
        EXPECT_NEAR(glyphs[0][i][j].second, c.out[i][j].second, kPlaced) << "contour " << i << " vertex " << j;
      }
    }
    const std::vector<Rec> records = StoreRecords();
    ExpectOneWellFormedGlyph({records.begin(), records.end() - 5});
  }
}

TEST_F(OutlineMerging, AGlyphsOwnVerticesKeepTheirExactCoordinates) {
  // Coordinates that no grid holds exactly.
  const Points triangle = {{0.1, 0.7}, {1.0 / 3, 2.9}, {2.0 / 3, 0.2}};
  AddGlyph({triangle});
  MergeGlyphOutlines();
  const std::vector<Glyph> glyphs = StoreGlyphs();
  ASSERT_EQ(glyphs.size(), 1u);
  ASSERT_EQ(glyphs[0].size(), 1u);
  const Points& merged = glyphs[0][0];
  ASSERT_EQ(merged.size(), 3u);
  for (const auto& vertex : triangle) EXPECT_NE(std::find(merged.begin(), merged.end(), vertex), merged.end());
}

}  // namespace
}  // namespace vx::test
