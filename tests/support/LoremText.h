// The standard text of the benchmarks and tests: about 20,000 characters of Lorem ipsum, made by a fixed generator.
#pragma once

#include <string>

namespace vx::test {

// The classic Lorem ipsum paragraph, then paragraphs of pseudo-random
// sentences from its words, in lines of at most 60 characters, each ending
// with LF: 7-bit ASCII, at most 20,000 bytes, the same bytes on every machine.
std::string LoremText();

}  // namespace vx::test
