// Helpers for rich-text tests: UTF-8 literals to UTF-16, documents from lines, readable dumps.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "richtext/StyledText.h"

namespace vx::test {

std::u16string U16(std::string_view utf8);
std::string U8(std::u16string_view utf16);

// The shared test data folder (VX_TESTDATA, else the build's default).
std::string TestDataDir();

// The document's text with "\n" between lines (runs concatenated).
std::string PlainOf(const StyledText& text);

// Every run as  "text"|face|halfPoints|b|i|sym , lines separated by " ¶ ".
std::string Dump(const StyledText& text);

}  // namespace vx::test

namespace vx {
void PrintTo(const StyledText& text, std::ostream* os);
}  // namespace vx
