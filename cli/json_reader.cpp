#include "cli/json_reader.h"

#include <algorithm>
#include <set>

#include "common/numbers.h"
#include "common/utf8.h"

namespace korvane::cli {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  Status Document(JsonValue& value) {
    if (text_.starts_with(kUtf8Bom)) at_ = kUtf8Bom.size();
    SkipBlanks();
    if (!Value(value, 0)) return Failure();
    SkipBlanks();
    if (at_ != text_.size()) {
      Fail("unexpected text after the end of the document");
      return Failure();
    }
    return Status::Ok();
  }

 private:
  bool Fail(std::string message) {
    if (error_.empty()) error_ = std::move(message);
    return false;
  }

  // The position of the failure as a reader counts it: lines from 1, characters of the line from 1.
  Status Failure() const {
    const std::string_view before = text_.substr(0, std::min(at_, text_.size()));
    const std::size_t lineStart = before.rfind('\n') == std::string_view::npos ? 0 : before.rfind('\n') + 1;
    const std::size_t line = static_cast<std::size_t>(std::count(before.begin(), before.end(), '\n')) + 1;
    const std::size_t column = Utf8Length(before.substr(lineStart), Utf8Measure::kCharacters) + 1;
    return Status::Failure("line " + std::to_string(line) + ", column " + std::to_string(column) + ": " + error_);
  }

  bool AtEnd() const { return at_ >= text_.size(); }
  char Peek() const { return AtEnd() ? '\0' : text_[at_]; }

  void SkipBlanks() {
    while (!AtEnd() && (Peek() == ' ' || Peek() == '\t' || Peek() == '\n' || Peek() == '\r')) ++at_;
  }

  bool Literal(std::string_view word) {
    if (text_.substr(at_, word.size()) != word) return Fail("unexpected character");
    at_ += word.size();
    return true;
  }

  bool Value(JsonValue& value, std::size_t depth) {
    switch (Peek()) {
      case '{': return Object(value, depth + 1);
      case '[': return Array(value, depth + 1);
      case '"':
        value.type = JsonValue::Type::String;
        return String(value.text);
      case 't':
        value.type = JsonValue::Type::Boolean;
        value.boolean = true;
        return Literal("true");
      case 'f':
        value.type = JsonValue::Type::Boolean;
        return Literal("false");
      case 'n':
        value.type = JsonValue::Type::Null;
        return Literal("null");
      default:
        if (Peek() == '-' || IsDigit(Peek())) return Number(value);
        return Fail(AtEnd() ? "the document ends where a value should be" : "unexpected character");
    }
  }

  bool Enter(std::size_t depth) {
    if (depth > kMaxJsonDepth) return Fail("nested deeper than " + std::to_string(kMaxJsonDepth) + " levels");
    ++at_;
    SkipBlanks();
    return true;
  }

  // After an element: ',' and more, or the closing bracket. Returns false at the end or on a fault.
  bool Next(char close, bool& more) {
    SkipBlanks();
    if (Peek() == ',') {
      ++at_;
      SkipBlanks();
      more = true;
      return true;
    }
    if (Peek() == close) {
      ++at_;
      more = false;
      return true;
    }
    return Fail(AtEnd() ? "the document ends inside a container" : std::string("expected ',' or '") + close + "'");
  }

  bool Object(JsonValue& value, std::size_t depth) {
    value.type = JsonValue::Type::Object;
    if (!Enter(depth)) return false;
    if (Peek() == '}') {
      ++at_;
      return true;
    }
    std::set<std::string, std::less<>> keys;
    for (bool more = true; more;) {
      if (Peek() != '"') return Fail("expected a key in double quotes");
      std::string key;
      if (!String(key)) return false;
      if (!keys.insert(key).second) return Fail("the key \"" + key + "\" appears twice");
      SkipBlanks();
      if (Peek() != ':') return Fail("expected ':' after a key");
      ++at_;
      SkipBlanks();
      JsonValue member;
      if (!Value(member, depth)) return false;
      value.members.push_back({std::move(key), std::move(member)});
      if (!Next('}', more)) return false;
    }
    return true;
  }

  bool Array(JsonValue& value, std::size_t depth) {
    value.type = JsonValue::Type::Array;
    if (!Enter(depth)) return false;
    if (Peek() == ']') {
      ++at_;
      return true;
    }
    for (bool more = true; more;) {
      JsonValue item;
      if (!Value(item, depth)) return false;
      value.items.push_back(std::move(item));
      if (!Next(']', more)) return false;
    }
    return true;
  }

  bool Number(JsonValue& value) {
    const std::size_t start = at_;
    const auto digits = [&] {
      const std::size_t first = at_;
      while (IsDigit(Peek())) ++at_;
      return at_ > first;
    };
    if (Peek() == '-') ++at_;
    if (Peek() == '0') {
      ++at_;
      if (IsDigit(Peek())) return Fail("a number may not start with 0");
    } else if (!digits()) {
      return Fail("expected a digit");
    }
    if (Peek() == '.') {
      ++at_;
      if (!digits()) return Fail("expected a digit after '.'");
    }
    if (Peek() == 'e' || Peek() == 'E') {
      ++at_;
      if (Peek() == '+' || Peek() == '-') ++at_;
      if (!digits()) return Fail("expected a digit in the exponent");
    }
    value.type = JsonValue::Type::Number;
    value.text = std::string(text_.substr(start, at_ - start));
    return true;
  }

  // Four hex digits after "\u".
  bool Unit(char32_t& unit) {
    unit = 0;
    for (int i = 0; i < 4; ++i) {
      const int digit = HexDigit(Peek());
      if (digit < 0) return Fail("expected four hex digits after \\u");
      unit = unit * 16 + static_cast<char32_t>(digit);
      ++at_;
    }
    return true;
  }

  bool Escape(std::string& out) {
    constexpr std::string_view kFrom = "\"\\/bfnrt", kTo = "\"\\/\b\f\n\r\t";
    if (AtEnd()) return Fail("the document ends inside a string");
    const char c = text_[at_++];
    if (const std::size_t simple = kFrom.find(c); simple != std::string_view::npos) {
      out += kTo[simple];
      return true;
    }
    if (c != 'u') return Fail("unknown escape");
    char32_t unit = 0;
    if (!Unit(unit)) return false;
    if (unit >= 0xDC00 && unit <= 0xDFFF) return Fail("a low surrogate without a high one before it");
    if (unit >= 0xD800 && unit <= 0xDBFF) {
      char32_t low = 0;
      if (text_.substr(at_, 2) != "\\u") return Fail("a high surrogate without a low one after it");
      at_ += 2;
      if (!Unit(low)) return false;
      if (low < 0xDC00 || low > 0xDFFF) return Fail("a high surrogate without a low one after it");
      unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
    }
    AppendUtf8(out, unit);
    return true;
  }

  bool String(std::string& out) {
    ++at_;
    while (true) {
      if (AtEnd()) return Fail("the document ends inside a string");
      const char c = Peek();
      if (c == '"') {
        ++at_;
        return true;
      }
      if (c == '\\') {
        ++at_;
        if (!Escape(out)) return false;
      } else if (static_cast<unsigned char>(c) < 0x20) {
        return Fail("a control character inside a string (write it as an escape)");
      } else {
        const Utf8Character character = DecodeUtf8(text_.substr(at_));
        if (!character.valid) return Fail("bytes that are not UTF-8");
        out += text_.substr(at_, character.length);
        at_ += character.length;
      }
    }
  }

  std::string_view text_;
  std::size_t at_ = 0;
  std::string error_;
};

}  // namespace

const JsonValue* JsonValue::Member(std::string_view key) const {
  const auto it = std::ranges::find_if(members, [&](const JsonMember& member) { return member.key == key; });
  return it == members.end() ? nullptr : &it->value;
}

std::optional<long long> JsonValue::Integer() const {
  if (type != Type::Number) return std::nullopt;
  return WholeNumber(text);
}

std::string_view JsonTypeName(JsonValue::Type type) {
  switch (type) {
    case JsonValue::Type::Null: return "null";
    case JsonValue::Type::Boolean: return "a boolean";
    case JsonValue::Type::Number: return "a number";
    case JsonValue::Type::String: return "a string";
    case JsonValue::Type::Array: return "an array";
    case JsonValue::Type::Object: return "an object";
  }
  return "a value";
}

Status ParseJson(std::string_view text, JsonValue& value) {
  JsonValue parsed;
  if (Status s = Parser(text).Document(parsed); !s) return s;
  value = std::move(parsed);
  return Status::Ok();
}

}  // namespace korvane::cli
