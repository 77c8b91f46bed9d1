// A text shaper for tests: two made-up faces, one glyph per character, a ligature and a mark.
#pragma once

#include <map>
#include <numeric>
#include <string>
#include <vector>

#include "engine/TextShaper.h"

namespace vx::test {

// Faces: "Latin" has every character below U+2E80 and U+10400..U+1044F;
// "CJK" has U+2E80 and up, except the private-use area U+E000..U+F8FF, which
// no face has, plus the space; "Broken" cannot be made. Every character
// advances 10 device units, "f" then "i" make one ligature glyph U+FB01
// advancing 15, and U+0301 (a combining mark) sits at offset (-4, 6) without
// advancing.
class FakeTextShaper : public TextShaper {
 public:
  struct ShapeCall {
    FontRequest font;
    std::size_t begin, end;
    bool rightToLeft;
  };
  // The answer to Reorder; empty: the line left to right at level 0.
  BidiLine bidi;
  std::map<std::string, FaceExtents> extents{{"Latin", {80, 20, 10}}, {"CJK", {90, 30, 0}}};
  std::vector<ShapeCall> shapeCalls;
  std::vector<char32_t> covered;  // the characters Covers was asked about
  std::vector<ParagraphDirection> directions;  // the direction of each Reorder

  BidiLine Reorder(std::u32string_view line, ParagraphDirection direction) override {
    directions.push_back(direction);
    if (!bidi.levels.empty()) return bidi;
    BidiLine plain;
    plain.levels.assign(line.size(), 0);
    plain.visualOrder.resize(line.size());
    std::iota(plain.visualOrder.begin(), plain.visualOrder.end(), std::size_t{0});
    return plain;
  }

  bool Shape(const FontRequest& font, std::u32string_view line, std::size_t begin, std::size_t end,
             bool rightToLeft, std::vector<ShapedGlyph>& glyphs) override {
    shapeCalls.push_back({font, begin, end, rightToLeft});
    if (font.face == "Broken") return false;
    std::vector<ShapedGlyph> run;
    for (std::size_t i = begin; i < end; ++i) {
      if (line[i] == U'f' && i + 1 < end && line[i + 1] == U'i') {
        run.push_back({0xFB01, i, 15, 0, 0});
        ++i;
      } else if (line[i] == 0x0301) {
        run.push_back({0x0301, i, 0, -4, 6});
      } else {
        run.push_back({static_cast<std::uint32_t>(line[i]), i, 10, 0, 0});
      }
    }
    if (rightToLeft) std::reverse(run.begin(), run.end());
    glyphs.insert(glyphs.end(), run.begin(), run.end());
    return true;
  }

  bool Covers(const FontRequest& font, char32_t c) override {
    covered.push_back(c);
    const bool privateUse = c >= 0xE000 && c <= 0xF8FF;
    if (font.face == "Latin") return c < 0x2E80 || (c >= 0x10400 && c <= 0x1044F);
    if (font.face == "CJK") return (c >= 0x2E80 && !privateUse) || c == U' ';
    return false;
  }

  bool JoinsPrevious(char32_t c) override { return c >= 0x0300 && c <= 0x036F; }

  std::string FallbackFace(const FontRequest&, char32_t c) override {
    return c >= 0x2E80 && !(c >= 0xE000 && c <= 0xF8FF) ? "CJK" : "";
  }

  FaceExtents Extents(const FontRequest& font) override {
    const auto found = extents.find(font.face);
    return found == extents.end() ? FaceExtents{} : found->second;
  }
};

}  // namespace vx::test
