// Code points of UTF-16 text: a surrogate pair is one character.
#pragma once

#include <cstddef>
#include <string_view>

namespace vx {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// The code point at text[i], moving i past it: a high surrogate followed by a
// low one is one code point; a surrogate without its partner is U+FFFD.
// i must be less than text.size().
char32_t NextCodePoint(std::u16string_view text, std::size_t& i);

// Unicode's white-space characters that reach the layouts as characters
// (line breaks end lines instead): TAB, the spaces, the ideographic space.
bool IsBlank(char32_t c);

// Characters of the right-to-left scripts and of the scripts whose letters
// change shape or order with their neighbours (Hebrew, Arabic, Syriac, Thaana,
// N'Ko, the Indic scripts, Thai, Lao, Tibetan, Myanmar, Khmer and their
// presentation forms): the characters word processors give a document's
// complex-script format.
bool IsComplexScript(char32_t c);

// Characters that show nothing of their own: the C0 and C1 controls and
// Unicode's default-ignorable code points (joiners, variation selectors,
// bidirectional and other format controls, tag characters).
bool IsInvisible(char32_t c);

}  // namespace vx
