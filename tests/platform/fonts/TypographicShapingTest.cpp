// The typographic line setting on real faces against HarfBuzz shaping each run on its own: hb-shape,
// HarfBuzz's own shaping tool, on Linux; on Windows, where the test cannot run it, HarfBuzz's
// library as hb-shape calls it, on the same font files as Wine's GDI has installed.
#include <gtest/gtest.h>
#include <hb.h>

#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "engine/Typesetter.h"
#include "base/Utf.h"
#ifdef _WIN32
#include "base/CodePoints.h"
#include "platform/fonts/win32/GdiGlyphSource.h"
#include "platform/fonts/win32/GdiShaper.h"
#include "tests/platform/fonts/HarfBuzzFontFile.h"
#else
#include "platform/fonts/FontconfigGlyphSource.h"
#include "platform/fonts/HarfBuzzShaper.h"
#include "tests/support/CommandOutput.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"
#endif

namespace vx {
namespace {

// Every character at text height 10, which in this layout is the em (200
// device units scaled by 10/200), with width factor 0.8: x at 0.8 of each
// face's design, so that x and y scale differently.
constexpr double kHeight = 10;
const LayoutSettings kSettings{CellSizing::HostSized, kHeight, 0.8, 0.65};

struct ReferenceGlyph {
  std::uint32_t glyph;
  std::size_t cluster;
  double x, y;  // drawing units, from the line's start
};

// hb-shape's glyphs for one run: glyph ids, clusters (character indices) and
// positions in design units.
struct HbGlyph {
  std::uint32_t g;
  std::size_t cl;
  long dx, dy, ax;
};

// A face's font file and its index in it.
struct FaceFile {
  std::string file;
  int index = 0;
};

#ifdef _WIN32
// The test session installs these files in Wine (tests/wine/WineTests.cmake):
// the same faces the system selects by name.
std::optional<FaceFile> FaceFileOf(const std::string& face) {
  const std::string folder = "Z:/usr/share/fonts/truetype/";
  if (face == "DejaVu Sans") return FaceFile{folder + "dejavu/DejaVuSans.ttf"};
  if (face == "Liberation Serif") return FaceFile{folder + "liberation2/LiberationSerif-Regular.ttf"};
  if (face == "Lohit Devanagari") return FaceFile{folder + "lohit-devanagari/Lohit-Devanagari.ttf"};
  if (face == "Garuda") return FaceFile{folder + "tlwg/Garuda.ttf"};
  if (face == "WenQuanYi Micro Hei") return FaceFile{folder + "wqy/wqy-microhei.ttc", 0};
  if (face == "WenQuanYi Micro Hei Mono") return FaceFile{folder + "wqy/wqy-microhei.ttc", 1};
  return std::nullopt;
}

class Services {
 public:
  TextShaper& Shaper() { return shaper_; }
  std::optional<FaceFile> Face(const std::string& face) { return FaceFileOf(face); }

 private:
  GdiGlyphSource source_;
  GdiShaper shaper_{source_};
};

// The run shaped alone as hb-shape shapes it: the direction given, the
// script and language guessed, no features, positions in design units.
std::vector<HbGlyph> HbShape(const std::string& fontFile, int faceIndex, const std::string& utf8, bool rtl) {
  const test::HarfBuzzFontFile font(fontFile, faceIndex);
  hb_buffer_t* buffer = hb_buffer_create();
  std::u32string text;
  const std::u16string utf16 = FromUtf8(utf8);
  for (std::size_t i = 0; i < utf16.size();) text.push_back(NextCodePoint(utf16, i));
  hb_buffer_add_utf32(buffer, reinterpret_cast<const std::uint32_t*>(text.data()), static_cast<int>(text.size()), 0,
                      -1);
  hb_buffer_set_direction(buffer, rtl ? HB_DIRECTION_RTL : HB_DIRECTION_LTR);
  hb_buffer_guess_segment_properties(buffer);
  hb_shape(font.font(), buffer, nullptr, 0);
  unsigned count = 0;
  const hb_glyph_info_t* info = hb_buffer_get_glyph_infos(buffer, &count);
  const hb_glyph_position_t* position = hb_buffer_get_glyph_positions(buffer, nullptr);
  std::vector<HbGlyph> glyphs;
  for (unsigned k = 0; k < count; ++k)
    glyphs.push_back({info[k].codepoint, info[k].cluster, position[k].x_offset, position[k].y_offset,
                      position[k].x_advance});
  hb_buffer_destroy(buffer);
  return glyphs;
}
#else
class Services {
 public:
  TextShaper& Shaper() { return shaper_; }
  std::optional<FaceFile> Face(const std::string& face) {
    const std::optional<ResolvedFace> resolved = source_.Resolve(face, false, false);
    if (!resolved) return std::nullopt;
    return FaceFile{resolved->file, resolved->index};
  }

 private:
  FontconfigGlyphSource source_;
  HarfBuzzShaper shaper_{source_};
};

std::vector<HbGlyph> HbShape(const std::string& fontFile, int faceIndex, const std::string& utf8, bool rtl) {
  const test::TempFolder folder;
  const std::string textFile = folder.Path("text.txt");
  test::WriteFileBytes(textFile, utf8);
  const std::string command = "hb-shape --no-glyph-names --output-format=json --face-index=" +
                              std::to_string(faceIndex) + " --direction=" + (rtl ? "rtl" : "ltr") +
                              " --text-file='" + textFile + "' '" + fontFile + "'";
  const std::string json = test::CommandOutput(command).value_or("");
  std::vector<HbGlyph> glyphs;
  const std::regex entry(R"re(\{"g":(\d+),"cl":(\d+),"dx":(-?\d+),"dy":(-?\d+),"ax":(-?\d+),"ay":(-?\d+)\})re");
  for (auto it = std::sregex_iterator(json.begin(), json.end(), entry); it != std::sregex_iterator(); ++it)
    glyphs.push_back({static_cast<std::uint32_t>(std::stoul((*it)[1])), std::stoul((*it)[2]), std::stol((*it)[3]),
                      std::stol((*it)[4]), std::stol((*it)[5])});
  return glyphs;
}

#endif

// A face's units per em, as HarfBuzz reads them.
double UnitsPerEm(const std::string& file, int index) {
  hb_blob_t* blob = hb_blob_create_from_file(file.c_str());
  hb_face_t* face = hb_face_create(blob, static_cast<unsigned>(index));
  const double upem = hb_face_get_upem(face);
  hb_face_destroy(face);
  hb_blob_destroy(blob);
  return upem;
}

// One run of a line as the bidirectional algorithm and the faces cut it.
struct RunSpec {
  std::string text;  // UTF-8
  bool rtl;
  std::string face;  // the face it is drawn from
};

struct ShapingCase {
  const char* name;
  std::string face;           // the line's own face
  std::vector<RunSpec> runs;  // in text order
  std::vector<int> visual;    // the runs left to right, by their place in `runs`
};

// The line as hb-shape sets its runs: each run shaped alone in its own face
// at the em, the runs laid left to right, then the glyphs listed in text order.
std::vector<ReferenceGlyph> Reference(Services& services, const ShapingCase& c) {
  std::vector<std::vector<ReferenceGlyph>> runs(c.runs.size());
  std::size_t offset = 0;
  std::vector<std::size_t> offsets;
  for (const RunSpec& run : c.runs) {
    offsets.push_back(offset);
    offset += FromUtf8(run.text).size();  // code points: the table has no surrogate pairs
  }
  double pen = 0;
  for (const int r : c.visual) {
    const RunSpec& run = c.runs[static_cast<std::size_t>(r)];
    const std::optional<FaceFile> face = services.Face(run.face);
    if (!face) {
      ADD_FAILURE() << "no face for " << run.face;
      return {};
    }
    const double yf = kHeight / UnitsPerEm(face->file, face->index), xf = 0.8 * yf;
    for (const HbGlyph& g : HbShape(face->file, face->index, run.text, run.rtl)) {
      runs[static_cast<std::size_t>(r)].push_back({g.g, offsets[static_cast<std::size_t>(r)] + g.cl,
                                                   pen + g.dx * xf, g.dy * yf});
      pen += g.ax * xf;
    }
  }
  std::vector<ReferenceGlyph> textOrder;
  for (std::size_t r = 0; r < runs.size(); ++r) {
    if (c.runs[r].rtl) std::reverse(runs[r].begin(), runs[r].end());
    textOrder.insert(textOrder.end(), runs[r].begin(), runs[r].end());
  }
  return textOrder;
}

TEST(TypographicShaping, GlyphsAndPositionsMatchHbShape) {
  const std::string dejavu = "DejaVu Sans";
  const std::vector<ShapingCase> cases = {
      {"Latin kerning pairs", dejavu, {{"AVATAR To Wo LT", false, dejavu}}, {0}},
      {"fi and ffi ligatures", dejavu, {{"fine office", false, dejavu}}, {0}},
      {"Arabic, joined, right to left", dejavu, {{"سلام عليكم", true, dejavu}}, {0}},
      {"Hebrew with points", dejavu, {{"שָׁלוֹם", true, dejavu}}, {0}},
      {"Devanagari conjuncts", "Lohit Devanagari", {{"क्षत्रिय नमस्ते", false, "Lohit Devanagari"}}, {0}},
      {"Thai marks", "Garuda", {{"น้ำใจ ภาษาไทย", false, "Garuda"}}, {0}},
      {"left-to-right line with a right-to-left run",
       dejavu,
       {{"abc ", false, dejavu}, {"سلام", true, dejavu}, {" def", false, dejavu}},
       {0, 1, 2}},
      {"right-to-left line with a left-to-right run",
       dejavu,
       {{"שלום ", true, dejavu}, {"abc", false, dejavu}, {" עולם", true, dejavu}},
       {2, 1, 0}},
      {"Chinese from a Latin face",
       "Liberation Serif",
       {{"A", false, "Liberation Serif"}, {"漢字", false, "WenQuanYi Micro Hei"}, {"B", false, "Liberation Serif"}},
       {0, 1, 2}},
      {"the second face of a collection",
       "WenQuanYi Micro Hei Mono",
       {{"Mono 1il", false, "WenQuanYi Micro Hei Mono"}},
       {0}},
  };
  Services services;
  for (const ShapingCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::string text;
    for (const RunSpec& run : c.runs) text += run.text;
    const std::u16string line = FromUtf8(text);
    const std::vector<CharStyle> styles(line.size(), CharStyle{c.face});
    Typesetter typesetter(services.Shaper(), kSettings);
    const TypesetLine set = typesetter.SetLine(line, styles);
    const std::vector<ReferenceGlyph> expected = Reference(services, c);
    ASSERT_FALSE(expected.empty());
    ASSERT_EQ(set.glyphs.size(), expected.size());
    for (std::size_t k = 0; k < expected.size(); ++k) {
      SCOPED_TRACE(k);
      EXPECT_EQ(set.glyphs[k].glyph, expected[k].glyph);
      EXPECT_EQ(set.glyphs[k].cluster, expected[k].cluster);
      EXPECT_NEAR(set.glyphs[k].x, expected[k].x, 1e-6 * kHeight);
      EXPECT_NEAR(set.glyphs[k].y, expected[k].y, 1e-6 * kHeight);
      EXPECT_DOUBLE_EQ(set.glyphs[k].scale, kHeight / 200);
    }
    // Characters from another face are reported under that face.
    std::vector<std::pair<std::string, std::string>> fallbacks;
    for (const RunSpec& run : c.runs)
      if (run.face != c.face) fallbacks.emplace_back(run.face, run.text);
    ASSERT_EQ(typesetter.Fallbacks().size(), fallbacks.size());
    for (std::size_t f = 0; f < fallbacks.size(); ++f) {
      EXPECT_EQ(typesetter.Fallbacks()[f].face, fallbacks[f].first);
      std::string characters;
      for (const char32_t ch : typesetter.Fallbacks()[f].characters) AppendUtf8(characters, ch);
      EXPECT_EQ(characters, fallbacks[f].second);
    }
  }
}

}  // namespace
}  // namespace vx
