// Italic pressed on a partly bold selection: the cases both views' tests run, so that both are held to one rule.
#pragma once

#include <string>

namespace vx::test {

// "abcd" typed, two characters from boldFrom made bold, all four selected
// and italic pressed: each character's style afterwards.
struct MixedStyleCase {
  const char* what;
  int boldFrom;
  const char* styles;  // each character's, space-separated: as StyleLetters writes them
};

inline constexpr MixedStyleCase kItalicOnPartlyBold[] = {
    {"first character bold", 0, "bi bi bi bi"},
    {"first character not bold", 2, "i i i i"},
};

// "b" for bold, "i" for italic, "bi" for both, "-" for neither.
inline std::string StyleLetters(bool bold, bool italic) {
  return bold ? (italic ? "bi" : "b") : (italic ? "i" : "-");
}

}  // namespace vx::test
