#include "cli/json_writer.h"

#include <cstdio>

#include "common/utf8.h"

namespace korvane::cli {

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

void JsonWriter::Numbers(std::string_view key, std::span<const Byte> values) {
  Key(key);
  out_ << '[';
  for (std::size_t i = 0; i < values.size(); ++i) out_ << (i == 0 ? "" : ", ") << int{values[i]};
  out_ << ']';
}

void JsonWriter::Value(std::string_view text) {
  Key({});
  Quoted(text);
}

void JsonWriter::Boolean(std::string_view key, bool value) {
  Key(key);
  out_ << (value ? "true" : "false");
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
        } else if (const Utf8Character character = DecodeUtf8(text); character.valid) {
          out_ << text.substr(0, character.length);
          text.remove_prefix(character.length - 1);
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
