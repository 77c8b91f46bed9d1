// The standard benchmark workload: the Lorem-ipsum text as the editor reports it.
#pragma once

#include <string>
#include <vector>

#include "engine/TextLayout.h"
#include "tests/support/LoremText.h"

namespace vx::bench {

// The generated 20,000-character text with every line break as CR LF, in
// UTF-16 (the text is plain ASCII).
inline std::u16string LoremText() {
  const std::string bytes = vx::test::LoremText();
  std::u16string text;
  text.reserve(bytes.size() + bytes.size() / 50);
  for (char c : bytes) {
    if (c == '\n') text += u'\r';
    text += static_cast<char16_t>(static_cast<unsigned char>(c));
  }
  return text;
}

// DejaVu Sans at text height 2.5, width factor 0.8 (host-sized rules).
inline LayoutSettings LoremSettings() { return {CellSizing::HostSized, 2.5, 0.8, 0.65}; }

inline std::vector<CharStyle> LoremStyles(std::size_t size) {
  return std::vector<CharStyle>(size, CharStyle{"DejaVu Sans", 12, false, false});
}

}  // namespace vx::bench
