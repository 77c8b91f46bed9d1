// The fontconfig glyph source and the outline walk on a face with PostScript (cubic) outlines, glyph by glyph against a flattening by fontTools.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "engine/OutlineFlattening.h"
#include "platform/fonts/FontconfigGlyphSource.h"
#include "base/Utf.h"
#include "tests/platform/fonts/GlyphSourceChecks.h"
#include "tests/support/CommandOutput.h"
#include "tests/support/StoreContents.h"

namespace vx {
namespace {

// fonts-cantarell: OpenType faces with CFF outlines, a regular and a bold one.
constexpr char kCubicFace[] = "Cantarell";
// Bowls, an S, crossing and nested curves, straight stems.
constexpr char16_t kCharacters[] = u"aegOS&@8I";
// Debian's interpreter, for which python3-fonttools is installed.
constexpr char kPython[] = "/usr/bin/python3";
// 16.16 coordinates round each control point by at most 2^-17; the samples
// of a piece move by no more than its points do.
constexpr double kTolerance = 1e-4;

// The reference's records of each glyph, in font units, and the face's em.
struct Reference {
  int em = 0;
  std::map<char16_t, std::vector<test::Rec>> glyphs;
};

std::optional<Reference> ReadReference(const std::string& output) {
  Reference reference;
  std::istringstream lines(output);
  std::string word;
  std::vector<test::Rec>* glyph = nullptr;
  while (lines >> word) {
    if (word == "em") {
      lines >> reference.em;
    } else if (word == "glyph") {
      lines >> word;  // U+XXXX
      glyph = &reference.glyphs[static_cast<char16_t>(std::stoul(word.substr(2), nullptr, 16))];
    } else if (glyph != nullptr) {
      test::Rec r{std::stoi(word), 0, 0};
      lines >> r.x >> r.y;
      glyph->push_back(r);
    } else {
      return std::nullopt;
    }
  }
  return reference.em > 0 ? std::optional<Reference>(reference) : std::nullopt;
}

// A point as the glyph source hands it over at one device unit per font unit:
// through the conversion's near-identity matrix.
test::Rec ThroughMatrix(const test::Rec& r) {
  const double shear = (r.x + r.y) / 65536.0;
  return {r.kind, r.x + shear, r.y + shear};
}

class CubicOutlines : public test::StoreTest {
 protected:
  void SetUp() override {
    test::StoreTest::SetUp();
    const std::optional<ResolvedFace> resolved = source.Resolve(kCubicFace, false, false);
    if (!resolved || resolved->substituted || !resolved->file.ends_with(".otf"))
      GTEST_SKIP() << kCubicFace << " (fonts-cantarell) is not installed";
    file = resolved->file;
    if (!test::CommandOutput(std::string(kPython) + " -c 'import fontTools' 2>/dev/null"))
      GTEST_SKIP() << kPython << " with fontTools (python3-fonttools) is missing";
  }
  void TearDown() override {
    SetPrecision(kDefaultPrecision);
    test::StoreTest::TearDown();
  }

  FontconfigGlyphSource source;
  std::string file;
};

TEST_F(CubicOutlines, GlyphsMatchTheReferenceFlatteningPointByPoint) {
  for (const int precision : {1, 3, 8}) {
    SCOPED_TRACE("precision " + std::to_string(precision));
    const std::optional<std::string> output = test::CommandOutput(
        std::string(kPython) + " '" VX_CUBIC_REFERENCE "' '" + file + "' " + std::to_string(precision) + " '" +
        ToUtf8(kCharacters) + "'");
    ASSERT_TRUE(output) << "the reference failed on " << file;
    const std::optional<Reference> reference = ReadReference(*output);
    ASSERT_TRUE(reference) << *output;
    SetPrecision(precision);
    for (const char16_t c : std::u16string_view(kCharacters)) {
      SCOPED_TRACE(ToUtf8(std::u16string(1, c)));
      // At an em of `em` device units a device unit is a font unit.
      GlyphMetrics metrics;
      std::vector<std::uint8_t> outline;
      ASSERT_TRUE(source.QueryGlyph(FontRequest{kCubicFace, -reference->em, 0, false, false}, c, metrics, outline));
      FreePointList();
      WalkOutline(outline.data(), outline.size(), Placement{});
      const std::vector<test::Rec> ours = test::StoreRecords();
      const std::vector<test::Rec>& theirs = reference->glyphs.at(c);
      ASSERT_EQ(ours.size(), theirs.size());
      for (std::size_t i = 0; i < ours.size(); ++i) {
        const test::Rec expected = ThroughMatrix(theirs[i]);
        ASSERT_EQ(ours[i].kind, expected.kind) << "record " << i;
        ASSERT_NEAR(ours[i].x, expected.x, kTolerance) << "record " << i;
        ASSERT_NEAR(ours[i].y, expected.y, kTolerance) << "record " << i;
      }
    }
  }
}

TEST_F(CubicOutlines, EveryContourIsClosedInEveryStyle) {
  // Cantarell has a bold face of its own; italic is sheared, bold italic both.
  ExpectEveryContourClosed(source, {{kCubicFace, false, false}, {kCubicFace, true, false},
                                    {kCubicFace, false, true}, {kCubicFace, true, true}});
}

}  // namespace
}  // namespace vx
