// Helpers for rich-text tests: UTF-8 literals to UTF-16, documents from lines, readable dumps.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "richtext/StyledText.h"

namespace vx::test {

std::u16string U16(std::string_view utf8);
std::string U8(std::u16string_view utf16);

// A run as the reference reader gives it: paragraph breaks are "\n" inside
// the text, in the format of the line's end; adjacent equal formats merge.
struct FlatRun {
  std::string text;  // UTF-8
  std::string face;
  int halfPoints = 24;
  bool bold = false;
  bool italic = false;
  bool symbol = false;
  bool operator==(const FlatRun&) const = default;
};
std::vector<FlatRun> Flatten(const StyledText& text);
std::string Describe(const std::vector<FlatRun>& runs);

// Where two documents first differ (line, run, text or format), or "" when equal.
std::string FirstDifference(const StyledText& a, const StyledText& b);

// The folder of real-world samples beside the repository (the build's
// VEXOGLYPH_TESTDATA_DIR); it may be missing.
std::string TestDataDir();

// The document's text with "\n" between lines (runs concatenated).
std::string PlainOf(const StyledText& text);

// Every run as  "text"|face|halfPoints|b|i|sym , lines separated by " ¶ ".
std::string Dump(const StyledText& text);

}  // namespace vx::test

namespace vx {
void PrintTo(const StyledText& text, std::ostream* os);
}  // namespace vx
