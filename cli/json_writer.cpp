#include "cli/json_writer.h"

#include <cstdio>

namespace korvane::cli {
namespace {

// Length of the well-formed UTF-8 sequence that starts the text (no overlong forms, no surrogates,
// nothing above U+10FFFF), 0 when it does not start with one.
std::size_t Utf8SequenceLength(std::string_view text) {
  const auto at = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = at(0);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (text.size() < length || at(1) < low || at(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if ((at(i) & 0xC0) != 0x80) return 0;
  }
  return length;
}

}  // namespace

void JsonWriter::Key(std::string_view key) {
  if (!first_.empty()) {
    out_ << (first_.back() ? "\n" : ",\n") << std::string(2 * first_.size(), ' ');
    first_.back() = false;
  }
  if (!key.empty()) {
    Quoted(key);
    out_ << ": ";
  }
}

void JsonWriter::Open(std::string_view key, char bracket) {
  Key(key);
  out_ << bracket;
  first_.push_back(true);
}

void JsonWriter::Close(char bracket) {
  const bool empty = first_.back();
  first_.pop_back();
  if (!empty) out_ << '\n' << std::string(2 * first_.size(), ' ');
  out_ << bracket;
  if (first_.empty()) out_ << '\n';
}

void JsonWriter::BeginObject(std::string_view key) { Open(key, '{'); }
void JsonWriter::EndObject() { Close('}'); }
void JsonWriter::BeginArray(std::string_view key) { Open(key, '['); }
void JsonWriter::EndArray() { Close(']'); }

void JsonWriter::Value(std::string_view key, std::string_view text) {
  Key(key);
  Quoted(text);
}

void JsonWriter::Value(std::string_view key, long number) {
  Key(key);
  out_ << number;
}

void JsonWriter::Value(long number) {
  Key({});
  out_ << number;
}

void JsonWriter::Quoted(std::string_view text) {
  out_ << '"';
  while (!text.empty()) {
    const char c = text.front();
    switch (c) {
      case '"': out_ << "\\\""; break;
      case '\\': out_ << "\\\\"; break;
      case '\n': out_ << "\\n"; break;
      case '\r': out_ << "\\r"; break;
      case '\t': out_ << "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
          out_ << escaped;
        } else if (const std::size_t length = Utf8SequenceLength(text); length != 0) {
          out_ << text.substr(0, length);
          text.remove_prefix(length - 1);
        } else {
          // Label files are edited by hand; JSON must stay UTF-8, so a stray byte becomes U+FFFD.
          out_ << "\\ufffd";
        }
    }
    text.remove_prefix(1);
  }
  out_ << '"';
}

}  // namespace korvane::cli
