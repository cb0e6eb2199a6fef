#include "common/utf8.h"

namespace korvane {

namespace {

// One step of Utf8Length and CutUtf8: a well-formed character, or a single byte that belongs to none.
struct Step {
  std::size_t bytes;
  std::size_t measure;
};

Step StepAt(std::string_view text, Utf8Measure measure) {
  const Utf8Character c = DecodeUtf8(text);
  if (!c.valid) return {1, 1};
  return {c.length, measure == Utf8Measure::kUtf16Units && c.codePoint >= 0x10000 ? 2u : 1u};
}

}  // namespace

Utf8Character DecodeUtf8(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  if (lead < 0x80) return {lead, 1, true};
  std::size_t more = 0;
  char32_t cp = 0;
  unsigned char low = 0x80;   // range of the next byte
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    more = 1;
    cp = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    more = 2;
    cp = lead & 0x0F;
    if (lead == 0xE0) low = 0xA0;   // no overlong forms
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    more = 3;
    cp = lead & 0x07;
    if (lead == 0xF0) low = 0x90;   // no overlong forms
    if (lead == 0xF4) high = 0x8F;  // nothing beyond U+10FFFF
  } else {
    return {kReplacementCharacter, 1, false};
  }
  std::size_t length = 1;
  for (; more > 0; --more, ++length) {
    if (length >= text.size()) return {kReplacementCharacter, length, false};
    const auto next = static_cast<unsigned char>(text[length]);
    if (next < low || next > high) return {kReplacementCharacter, length, false};
    cp = (cp << 6) | (next & 0x3F);
    low = 0x80;
    high = 0xBF;
  }
  return {cp, length, true};
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::size_t Utf8Length(std::string_view text, Utf8Measure measure) {
  std::size_t total = 0;
  for (std::size_t i = 0; i < text.size();) {
    const Step step = StepAt(text.substr(i), measure);
    total += step.measure;
    i += step.bytes;
  }
  return total;
}

std::string_view CutUtf8(std::string_view text, std::size_t limit, Utf8Measure measure) {
  std::size_t total = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    const Step step = StepAt(text.substr(i), measure);
    if (total + step.measure > limit) break;
    total += step.measure;
    i += step.bytes;
  }
  return text.substr(0, i);
}

}  // namespace korvane
