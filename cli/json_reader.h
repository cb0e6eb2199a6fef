#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/status.h"

namespace korvane::cli {

// Containers nested deeper than this are refused, so that hostile input cannot exhaust the stack.
inline constexpr std::size_t kMaxJsonDepth = 32;

struct JsonMember;

// One value of a JSON document. Numbers keep their text as written; members keep the order of the file.
struct JsonValue {
  enum class Type { Null, Boolean, Number, String, Array, Object };

  Type type = Type::Null;
  bool boolean = false;
  std::string text;  // a string's UTF-8 characters, or a number as written
  std::vector<JsonValue> items;
  std::vector<JsonMember> members;

  // The member of an object, or nothing.
  const JsonValue* Member(std::string_view key) const;
  // A number written as a whole decimal number (no fraction or exponent) that fits a long long.
  std::optional<long long> Integer() const;
};

struct JsonMember {
  std::string key;
  JsonValue value;
};

// "an object", "a string", ... for messages.
std::string_view JsonTypeName(JsonValue::Type type);

// Parses one JSON text (RFC 8259) strictly: no comments, no trailing commas, no duplicate keys, well-formed
// UTF-8 only, surrogate escapes only in pairs, nothing after the value but blanks. A UTF-8 byte-order mark
// at the start is skipped. Failures say where: "line 3, column 7: ...".
Status ParseJson(std::string_view text, JsonValue& value);

}  // namespace korvane::cli
