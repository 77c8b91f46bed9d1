// The DXF writer: exact bytes on small stores, real files, failures and locale.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <clocale>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>

#include "dxf/DxfWriter.h"
#include "engine/HostQueries.h"
#include "engine/PointStore.h"
#include "tests/support/DxfReader.h"
#include "tests/support/FileBytes.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/StoreContents.h"
#include "tests/support/TempFolder.h"

namespace vx::test {
namespace {

namespace fs = std::filesystem;

std::string Lines(std::initializer_list<std::string_view> lines) {
  std::string out;
  for (std::string_view line : lines) (out += line) += "\r\n";
  return out;
}

const std::string kHeaderLines = Lines({"0", "SECTION", "2", "ENTITIES"});
const std::string kTrailerLines = Lines({"0", "ENDSEC", "0", "EOF"});
const std::string kPolylineLines =
    Lines({"  0", "POLYLINE", "  8", "0", "  6", "CONTINUOUS", "  66", "  1", "  70", "  1", "  10",
           "  0.0", "  20", "  0.0", "  30", "  0.0"});

std::string Vertex(std::string_view x, std::string_view y) {
  return Lines({"  0", "VERTEX", "  8", "0", "  10", x, "  20", y, "  30", "  0.0"});
}

const std::string kSeqEnd = Lines({"  0", "SEQEND"});

void AddContour(std::initializer_list<std::pair<double, double>> points, int closing) {
  for (const auto& [x, y] : points) gPointList.Add(x, y, pkPoint);
  gPointList.Add(points.begin()->first, points.begin()->second, closing);
}

// Two glyphs, three contours: the first glyph has a hole.
void AddTwoGlyphs(int firstClosing = pkContourEnd) {
  AddContour({{0, 0}, {10, 0}, {10, 10}, {0, 10}}, firstClosing);
  AddContour({{2, 2}, {2, 8}, {8, 8}}, pkGlyphEnd);
  AddContour({{12.5, -1}, {14, -1}, {14, 3.75}}, pkGlyphEnd);
}

// Each test has the store cleared and a folder of its own for files.
class DxfWriter : public StoreTest {
 protected:
  TempFolder scratch_;
  const fs::path folder = scratch_.folder();
};

TEST_F(DxfWriter, OneContourGivesTheFiftySixLines) {
  AddContour({{0, 0}, {10, 0}, {10, 5}}, pkGlyphEnd);
  const std::string expected = kHeaderLines + kPolylineLines + Vertex("0.000000", "0.000000") +
                               Vertex("10.000000", "0.000000") + Vertex("10.000000", "5.000000") +
                               kSeqEnd + kTrailerLines;
  const std::string text = DxfText();
  EXPECT_EQ(text, expected);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 56);
}

TEST_F(DxfWriter, EmptyStoreGivesHeaderAndTrailerOnly) {
  EXPECT_EQ(DxfText(), kHeaderLines + kTrailerLines);
  std::string out;
  EXPECT_FALSE(WritePolyline(out, true));
  EXPECT_TRUE(out.empty());
}

TEST_F(DxfWriter, ThreeContoursOfTwoGlyphsGiveThreeClosedPolylinesWithoutGlyphMarks) {
  AddTwoGlyphs();
  const std::string text = DxfText();
  const std::string expected =
      kHeaderLines + kPolylineLines + Vertex("0.000000", "0.000000") + Vertex("10.000000", "0.000000") +
      Vertex("10.000000", "10.000000") + Vertex("0.000000", "10.000000") + kSeqEnd + kPolylineLines +
      Vertex("2.000000", "2.000000") + Vertex("2.000000", "8.000000") + Vertex("8.000000", "8.000000") +
      kSeqEnd + kPolylineLines + Vertex("12.500000", "-1.000000") + Vertex("14.000000", "-1.000000") +
      Vertex("14.000000", "3.750000") + kSeqEnd + kTrailerLines;
  EXPECT_EQ(text, expected);

  // Where a glyph ends leaves no trace: the same contours as one glyph give the same bytes.
  FreePointList();
  AddTwoGlyphs(pkGlyphEnd);
  EXPECT_EQ(DxfText(), text);
}

TEST_F(DxfWriter, WalksTheStoreWithoutChangingIt) {
  AddTwoGlyphs();
  std::string out;
  ASSERT_TRUE(WritePolyline(out, true));
  EXPECT_EQ(gCursor->kind, pkContourEnd) << "the walk stands on the closing record";
  ASSERT_TRUE(WritePolyline(out, false));
  ASSERT_TRUE(WritePolyline(out, false));
  const std::size_t written = out.size();
  EXPECT_FALSE(WritePolyline(out, false));
  EXPECT_FALSE(WritePolyline(out, false));
  EXPECT_EQ(out.size(), written);
  EXPECT_EQ(GetTTFCount(), 13);
}

TEST_F(DxfWriter, RepeatedPointsStayConsecutiveVertices) {
  AddContour({{1, 1}, {1, 1}, {3, 1}}, pkGlyphEnd);
  EXPECT_EQ(DxfText(), kHeaderLines + kPolylineLines + Vertex("1.000000", "1.000000") +
                           Vertex("1.000000", "1.000000") + Vertex("3.000000", "1.000000") + kSeqEnd +
                           kTrailerLines);
}

TEST_F(DxfWriter, StoreLackingItsLastClosingRecordStillEndsEveryPolyline) {
  // What a failed allocation of the closing record leaves behind.
  gPointList.Add(0, 0, pkPoint);
  gPointList.Add(1, 0, pkPoint);
  EXPECT_EQ(DxfText(), kHeaderLines + kPolylineLines + Vertex("0.000000", "0.000000") +
                           Vertex("1.000000", "0.000000") + kSeqEnd + kTrailerLines);
}

TEST_F(DxfWriter, EveryLineEndsWithCrLf) {
  std::mt19937 random(3);
  std::uniform_real_distribution<double> coordinate(-500, 500);
  for (int contour = 0; contour < 20; ++contour) {
    const double x = coordinate(random), y = coordinate(random);
    gPointList.Add(x, y, pkPoint);
    for (int i = 0; i < 30; ++i) gPointList.Add(coordinate(random), coordinate(random), pkPoint);
    gPointList.Add(x, y, contour % 3 == 2 ? pkGlyphEnd : pkContourEnd);
  }
  const std::string text = DxfText();
  ASSERT_GE(text.size(), 5u);
  EXPECT_EQ(text.substr(text.size() - 5), "EOF\r\n");
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') {
      ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "LF without CR at " << i;
    }
    if (text[i] == '\r') {
      ASSERT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "lone CR at " << i;
    }
  }
}

TEST_F(DxfWriter, WrittenFileReadsBackAsOneClosedPolylinePerContour) {
  std::mt19937 random(11);
  std::uniform_real_distribution<double> coordinate(-1000, 1000);
  std::vector<std::vector<std::pair<double, double>>> contours(25);
  for (std::size_t c = 0; c < contours.size(); ++c) {
    for (std::size_t i = 0; i < 3 + c; ++i) contours[c].emplace_back(coordinate(random), coordinate(random));
    for (const auto& [x, y] : contours[c]) gPointList.Add(x, y, pkPoint);
    gPointList.Add(contours[c][0].first, contours[c][0].second, c % 2 ? pkGlyphEnd : pkContourEnd);
  }
  const fs::path file = folder / "text.dxf";
  std::string error;
  ASSERT_TRUE(WriteDxf(file.string(), error)) << error;
  EXPECT_EQ(ReadFileBytes(file), DxfText());

  const DxfDrawing drawing = ReadDxf(ReadFileBytes(file));
  ASSERT_EQ(drawing.error, "");
  EXPECT_EQ(drawing.sections, std::vector<std::string>{"ENTITIES"});
  EXPECT_TRUE(drawing.otherEntities.empty());
  EXPECT_TRUE(drawing.eof);
  ASSERT_EQ(drawing.polylines.size(), contours.size());
  for (std::size_t c = 0; c < contours.size(); ++c) {
    const DxfPolyline& polyline = drawing.polylines[c];
    EXPECT_EQ(polyline.flags & 1, 1) << "contour " << c << " is not closed";
    EXPECT_TRUE(polyline.ended);
    ASSERT_EQ(polyline.vertices.size(), contours[c].size());
    for (std::size_t i = 0; i < contours[c].size(); ++i) {
      EXPECT_NEAR(polyline.vertices[i].x, contours[c][i].first, 5e-7);
      EXPECT_NEAR(polyline.vertices[i].y, contours[c][i].second, 5e-7);
    }
  }
}

TEST_F(DxfWriter, OpenStrokesArePolylinesWithFlagZeroBesideClosedContours) {
  // A closed triangle, then a glyph of two open strokes (its ending records
  // repeat each stroke's last point), then a closed contour again.
  for (auto [x, y] : {std::pair{0.0, 0.0}, {4.0, 0.0}, {2.0, 3.0}}) gPointList.Add(x, y, pkPoint);
  gPointList.Add(0, 0, pkGlyphEnd);
  for (auto [x, y] : {std::pair{10.0, 0.0}, {10.0, 21.0}}) gPointList.Add(x, y, pkPoint);
  gPointList.Add(10, 21, pkOpenEnd);
  for (auto [x, y] : {std::pair{6.0, 11.0}, {14.0, 11.0}, {15.0, 12.0}}) gPointList.Add(x, y, pkPoint);
  gPointList.Add(15, 12, pkOpenGlyphEnd);
  for (auto [x, y] : {std::pair{20.0, 0.0}, {21.0, 0.0}, {21.0, 1.0}}) gPointList.Add(x, y, pkPoint);
  gPointList.Add(20, 0, pkGlyphEnd);

  const DxfDrawing drawing = ReadDxf(DxfText());
  ASSERT_EQ(drawing.error, "");
  ASSERT_EQ(drawing.polylines.size(), 4u);
  const std::vector<std::pair<int, std::size_t>> expected{{1, 3}, {0, 2}, {0, 3}, {1, 3}};
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(drawing.polylines[i].flags, expected[i].first) << "polyline " << i;
    EXPECT_EQ(drawing.polylines[i].vertices.size(), expected[i].second) << "polyline " << i;
  }
  EXPECT_DOUBLE_EQ(drawing.polylines[2].vertices.back().x, 15);
  EXPECT_DOUBLE_EQ(drawing.polylines[2].vertices.back().y, 12);
}

TEST_F(DxfWriter, LargeStoreIsWrittenWholeInPieces) {
  for (int i = 0; i < 30000; ++i) AddContour({{i * 0.001, -i}, {i + 0.5, 0}, {i + 0.5, 1}, {i, 2}}, pkGlyphEnd);
  const std::string text = DxfText();
  ASSERT_GT(text.size(), 3u << 20);
  const fs::path file = folder / "large.dxf";
  std::string error;
  ASSERT_TRUE(WriteDxf(file.string(), error)) << error;
  EXPECT_TRUE(ReadFileBytes(file) == text);
}

// The command line writes glyph by glyph, clearing the store in between.
TEST_F(DxfWriter, AFileWrittenStoreByStoreHasTheBytesOfTheWholeStore) {
  const auto addGlyph = [](int i) {
    AddContour({{i * 0.001, -i}, {i + 0.5, 0}, {i + 0.5, 1}}, pkContourEnd);
    AddContour({{i, 2}, {i + 0.25, 2.5}, {i, 3}}, pkGlyphEnd);
  };
  constexpr int kGlyphs = 12000;  // more than a megabyte of text: several writes
  for (int i = 0; i < kGlyphs; ++i) addGlyph(i);
  const std::string whole = DxfText();
  ASSERT_GT(whole.size(), 2u << 20);

  FreePointList();
  const fs::path file = folder / "glyphs.dxf";
  std::string error;
  DxfFileWriter writer;
  ASSERT_TRUE(writer.Open(file.string(), error)) << error;
  for (int i = 0; i < kGlyphs; ++i) {
    addGlyph(i);
    ASSERT_TRUE(writer.WriteStore(error)) << error;
    FreePointList();
  }
  ASSERT_TRUE(writer.WriteStore(error)) << error;  // an empty store adds nothing
  ASSERT_TRUE(writer.Commit(error)) << error;
  EXPECT_TRUE(ReadFileBytes(file) == whole);
  EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"glyphs.dxf"});
}

TEST_F(DxfWriter, ReplacesAnExistingFileWhole) {
  const fs::path file = folder / "old.dxf";
  WriteFileBytes(file, std::string(100000, 'x'));
  AddContour({{0, 0}, {10, 0}, {10, 5}}, pkGlyphEnd);
  std::string error;
  ASSERT_TRUE(WriteDxf(file.string(), error)) << error;
  EXPECT_EQ(ReadFileBytes(file), DxfText());
  EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"old.dxf"});
}

TEST_F(DxfWriter, UnusableNamesFailWithAReason) {
  AddContour({{0, 0}, {10, 0}, {10, 5}}, pkGlyphEnd);
  WriteFileBytes(folder / "plain-file", "keep");
  fs::create_directory(folder / "a-folder");
  struct Case {
    const char* name;
    std::string path;
  } cases[] = {
      {"empty name", ""},
      {"folder that does not exist", (folder / "missing" / "out.dxf").string()},
      {"folder that is a file", (folder / "plain-file" / "out.dxf").string()},
      {"target that is a folder", (folder / "a-folder").string()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string error;
    EXPECT_FALSE(WriteDxf(c.path, error));
    EXPECT_FALSE(error.empty());
  }
  EXPECT_EQ(ReadFileBytes(folder / "plain-file"), "keep");
  EXPECT_TRUE(fs::is_directory(folder / "a-folder"));
  EXPECT_EQ(FolderEntries(folder), (std::vector<std::string>{"a-folder", "plain-file"}))
      << "no temporary file may be left behind";

  std::string missing;
  EXPECT_FALSE(WriteDxf((folder / "missing" / "out.dxf").string(), missing));
  EXPECT_EQ(missing, std::strerror(ENOENT));
}

TEST_F(DxfWriter, UnwritableFolderKeepsTheExistingFile) {
  const fs::path file = folder / "kept.dxf";
  WriteFileBytes(file, "previous drawing");
  // (A file that can be written is written into; this one cannot.)
  fs::permissions(file, fs::perms::owner_read);
  fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
  if (::access(folder.string().c_str(), W_OK) == 0) GTEST_SKIP() << "running with rights that ignore permissions";
  AddContour({{0, 0}, {10, 0}, {10, 5}}, pkGlyphEnd);

  std::string error;
  EXPECT_FALSE(WriteDxf(file.string(), error));
  EXPECT_EQ(error, std::strerror(EACCES));
  EXPECT_EQ(ReadFileBytes(file), "previous drawing");
  EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"kept.dxf"});
}

// A write that fails part way (here: the process's file size limit, which
// also binds a privileged user) leaves the old file and no temporary file.
TEST_F(DxfWriter, FailedWriteKeepsTheExistingFileIntact) {
  const fs::path file = folder / "kept.dxf";
  WriteFileBytes(file, "previous drawing");
  // Several MiB of text, so that the limit is met while pieces are written.
  for (int i = 0; i < 20000; ++i) AddContour({{i, 0}, {i + 0.5, 0}, {i + 0.5, 1}}, pkGlyphEnd);

  bool written = true;
  std::string error;
  {
    const FileSizeLimit limit(4096);
    if (!limit.active()) GTEST_SKIP() << limit.why();
    written = WriteDxf(file.string(), error);
  }

  EXPECT_FALSE(written);
  EXPECT_EQ(error, std::strerror(EFBIG));
  EXPECT_EQ(ReadFileBytes(file), "previous drawing");
  EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"kept.dxf"});
}

TEST_F(DxfWriter, CommaDecimalLocaleStillWritesPoints) {
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
    GTEST_SKIP() << "no de_DE.UTF-8 locale on this machine";
  }
  char probe[32];
  std::snprintf(probe, sizeof probe, "%.1f", 1.5);
  AddContour({{12.5, -3.25}, {10, 0}, {10, 5}}, pkGlyphEnd);
  const std::string text = DxfText();
  std::setlocale(LC_ALL, saved.c_str());

  EXPECT_STREQ(probe, "1,5") << "the locale is not in effect";
  EXPECT_NE(text.find("\r\n12.500000\r\n  20\r\n-3.250000\r\n"), std::string::npos);
  EXPECT_EQ(text.find(','), std::string::npos);
}

}  // namespace
}  // namespace vx::test
