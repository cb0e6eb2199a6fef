#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace korvane {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// The character a UTF-8 text starts with. A well-formed sequence (no overlong form, no surrogate, nothing
// above U+10FFFF) gives its code point and length; anything else gives U+FFFD, valid false, and as length
// the maximal part of a sequence that could have begun a character (at least one byte).
struct Utf8Character {
  char32_t codePoint;
  std::size_t length;
  bool valid;
};
// The text must not be empty.
Utf8Character DecodeUtf8(std::string_view text);

// Appends a code point (at most U+10FFFF) as UTF-8.
void AppendUtf8(std::string& out, char32_t codePoint);

// How a text is measured: in characters, or in the UTF-16 units the other platform stores (a character
// outside the BMP counts two). A byte that does not belong to a well-formed sequence counts one.
enum class Utf8Measure { kCharacters, kUtf16Units };
std::size_t Utf8Length(std::string_view text, Utf8Measure measure);
// The longest prefix of whole characters that measures at most `limit`; never half a character.
std::string_view CutUtf8(std::string_view text, std::size_t limit, Utf8Measure measure);

}  // namespace korvane
