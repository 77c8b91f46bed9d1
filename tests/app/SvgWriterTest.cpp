// The SVG writer on hand-made stores: glyph paths, contour subpaths, flipped y, fitted viewBox.
#include <gtest/gtest.h>

#include <functional>

#include "app/SvgWriter.h"
#include "engine/HostQueries.h"
#include "engine/PointStore.h"
#include "tests/support/FileBytes.h"
#include "tests/support/StoreContents.h"
#include "tests/support/TempFolder.h"

namespace {

class SvgWriter : public vx::test::StoreTest {};

TEST_F(SvgWriter, GlyphIsOnePathWithAClosedSubpathPerContour) {
  // A square with a square hole, then a triangle whose first point lies a
  // hair above the baseline (it must not print as "-0").
  for (auto [x, y] : {std::pair{0.0, 0.0}, {10.0, 0.0}, {10.0, 10.0}, {0.0, 10.0}}) gPointList.Add(x, y, pkPoint);
  gPointList.Add(0, 0, pkContourEnd);
  for (auto [x, y] : {std::pair{2.0, 2.0}, {8.0, 2.0}, {8.0, 8.0}, {2.0, 8.0}}) gPointList.Add(x, y, pkPoint);
  gPointList.Add(2, 2, pkGlyphEnd);
  for (auto [x, y] : {std::pair{20.0, 1e-9}, {30.0, 0.0}, {25.0, 5.0}}) gPointList.Add(x, y, pkPoint);
  gPointList.Add(20, 1e-9, pkGlyphEnd);

  EXPECT_EQ(vx::SvgText(),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"-0.6 -10.6 31.2 11.2\">\n"
            "<g fill=\"black\" fill-rule=\"nonzero\" stroke=\"none\">\n"
            "<path d=\"M0 0L10 0 10 -10 0 -10ZM2 -2L8 -2 8 -8 2 -8Z\"/>\n"
            "<path d=\"M20 0L30 0 25 -5Z\"/>\n"
            "</g>\n"
            "</svg>\n");
}

TEST_F(SvgWriter, AGlyphOfOpenStrokesIsAStrokedPathWithoutFillOrClosing) {
  for (auto [x, y] : {std::pair{0.0, 0.0}, {10.0, 0.0}, {5.0, 10.0}}) gPointList.Add(x, y, pkPoint);
  gPointList.Add(0, 0, pkGlyphEnd);
  for (auto [x, y] : {std::pair{20.0, 0.0}, {20.0, 10.0}}) gPointList.Add(x, y, pkPoint);
  gPointList.Add(20, 10, pkOpenEnd);
  for (auto [x, y] : {std::pair{15.0, 5.0}, {25.0, 5.0}}) gPointList.Add(x, y, pkPoint);
  gPointList.Add(25, 5, pkOpenGlyphEnd);

  const std::string svg = vx::SvgText();
  EXPECT_NE(svg.find("<path d=\"M0 0L10 0 5 -10Z\"/>\n"), std::string::npos) << svg;
  EXPECT_NE(svg.find("<path fill=\"none\" stroke=\"black\" stroke-width=\"1\" vector-effect=\"non-scaling-stroke\" "
                     "stroke-linecap=\"round\" stroke-linejoin=\"round\" d=\"M20 0L20 -10M15 -5L25 -5\"/>\n"),
            std::string::npos)
      << svg;
}

TEST_F(SvgWriter, CoordinatesKeepSixDecimalsAsInTheDxf) {
  for (auto [x, y] : {std::pair{0.1234564, -2.5}, {1.0000004, 3.25}, {-0.5, 0.0}}) gPointList.Add(x, y, pkPoint);
  gPointList.Add(0.1234564, -2.5, pkGlyphEnd);
  const std::string svg = vx::SvgText();
  EXPECT_NE(svg.find("<path d=\"M0.123456 2.5L1 -3.25 -0.5 0Z\"/>"), std::string::npos) << svg;
}

// The command line measures the drawing glyph by glyph, then writes it glyph
// by glyph, clearing the store in between.
TEST_F(SvgWriter, AFileWrittenStoreByStoreHasTheBytesOfTheWholeStore) {
  const auto addGlyph = [](int i) {
    for (auto [x, y] : {std::pair{i * 1.5, -i * 0.25}, {i + 1.0, 0.0}, {i + 1.0, i * 0.5}}) gPointList.Add(x, y, pkPoint);
    gPointList.Add(i * 1.5, -i * 0.25, pkContourEnd);
    for (auto [x, y] : {std::pair{-0.0, 2.0}, {i + 0.125, 2.5}, {0.0, 3.0}}) gPointList.Add(x, y, pkPoint);
    gPointList.Add(-0.0, 2, pkGlyphEnd);
  };
  constexpr int kGlyphs = 30000;  // more than a megabyte of text: several writes
  for (int i = 0; i < kGlyphs; ++i) addGlyph(i);
  const std::string whole = vx::SvgText();
  ASSERT_GT(whole.size(), 2u << 20);

  const auto glyphByGlyph = [&](const std::function<void()>& take) {
    for (int i = 0; i < kGlyphs; ++i) {
      FreePointList();
      addGlyph(i);
      take();
    }
    FreePointList();
  };
  vx::PointExtents extents;
  glyphByGlyph([&] { extents.Include(gPointList.GetHead()); });
  const vx::test::TempFolder folder;
  const std::string path = folder.Path("glyphs.svg");
  std::string error;
  vx::SvgFileWriter writer;
  ASSERT_TRUE(writer.Open(path, extents, error)) << error;
  glyphByGlyph([&] { ASSERT_TRUE(writer.WriteStore(error)) << error; });
  ASSERT_TRUE(writer.Commit(error)) << error;
  EXPECT_TRUE(vx::test::ReadFileBytes(path) == whole);
}

TEST_F(SvgWriter, AStoreWithoutExtentStillHasAUsableViewBox) {
  gPointList.Add(5, 5, pkPoint);
  gPointList.Add(5, 5, pkGlyphEnd);
  EXPECT_NE(vx::SvgText().find("viewBox=\"4 -6 2 2\""), std::string::npos);
}

TEST_F(SvgWriter, AUnitGivesTheViewBoxsSizeInThatUnit) {
  // 100 x 50 drawing units, a margin of 2 on each side: a view box of 104 x 54.
  for (auto [x, y] : {std::pair{0.0, 0.0}, {100.0, 0.0}, {100.0, 50.0}}) gPointList.Add(x, y, pkPoint);
  gPointList.Add(0, 0, pkGlyphEnd);
  const struct {
    vx::DrawingUnit unit;
    const char* size;
  } cases[] = {
      {vx::DrawingUnit::Unitless, "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox="},
      {vx::DrawingUnit::Millimetre, "width=\"104mm\" height=\"54mm\" viewBox="},
      {vx::DrawingUnit::Centimetre, "width=\"104cm\" height=\"54cm\" viewBox="},
      {vx::DrawingUnit::Metre, "width=\"10400cm\" height=\"5400cm\" viewBox="},
      {vx::DrawingUnit::Inch, "width=\"104in\" height=\"54in\" viewBox="},
      {vx::DrawingUnit::Foot, "width=\"1248in\" height=\"648in\" viewBox="},
  };
  const vx::test::TempFolder folder;
  for (const auto& c : cases) {
    std::string error;
    vx::SvgFileWriter writer;
    ASSERT_TRUE(writer.Open(folder.Path("units.svg"), vx::StoreExtents(), error, c.unit)) << error;
    ASSERT_TRUE(writer.WriteStore(error) && writer.Commit(error)) << error;
    const std::string svg = vx::test::ReadFileBytes(folder.Path("units.svg"));
    EXPECT_NE(svg.find(c.size), std::string::npos) << svg.substr(0, 160);
    if (c.unit == vx::DrawingUnit::Unitless) {
      EXPECT_TRUE(svg == vx::SvgText());
    }
  }
}

}  // namespace
