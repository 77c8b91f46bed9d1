// UTF-8 and UTF-16 conversion and ASCII case folding shared by the settings store, face names and documents.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vx {

// Length of the valid, shortest-form UTF-8 sequence at bytes[i] and its code
// point; 0 when the bytes there do not form one (overlong forms, surrogates
// and values past U+10FFFF are invalid).
std::size_t DecodeUtf8Sequence(std::string_view bytes, std::size_t i, char32_t& cp);

void AppendUtf8(std::string& out, char32_t cp);
void AppendUtf16(std::u16string& out, char32_t cp);

// UTF-16 to UTF-8; a surrogate without its partner becomes U+FFFD.
std::string ToUtf8(std::u16string_view text);

// UTF-16 to UTF-8, or nothing when a surrogate is without its partner.
std::optional<std::string> ToUtf8Strict(std::u16string_view text);

// The UTF-16 code units of bytes in the given byte order (as in a file or a
// stored value); an odd last byte is dropped. Surrogates are not checked.
std::u16string Utf16FromBytes(std::string_view bytes, bool bigEndian);

// UTF-8 to UTF-16; an invalid byte becomes U+FFFD.
std::u16string FromUtf8(std::string_view text);

// The number of UTF-16 code units FromUtf8 makes of text, without making them.
std::size_t Utf16Length(std::string_view text);

// UTF-8 to UTF-16, or nothing when any sequence is invalid.
std::optional<std::u16string> FromUtf8Strict(std::string_view text);

// Replaces every surrogate that is not part of a pair by U+FFFD, in place.
void RepairSurrogates(std::u16string& text);

// Equal, or ordered, without regard to the case of the ASCII letters (other
// bytes compare as they are): how face names, option words and file name
// extensions are matched. (Names the system compares, in the registry, the file system and font families, follow NameCase.h.)
bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b);
bool LessIgnoringAsciiCase(std::string_view a, std::string_view b);

// The text with its ASCII capitals lowered.
std::string LowerAscii(std::string_view text);

}  // namespace vx
