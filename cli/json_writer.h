#pragma once

#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/small_types.h"

namespace korvane::cli {

// A small streaming JSON writer: objects, arrays, strings, integers and booleans, indented two spaces.
class JsonWriter {
 public:
  explicit JsonWriter(std::ostream& out) : out_(out) {}

  void BeginObject(std::string_view key = {});
  void EndObject();
  void BeginArray(std::string_view key = {});
  void EndArray();
  void Value(std::string_view key, std::string_view text);
  void Value(std::string_view key, long number);
  void Value(long number);  // an array element
  // An array of numbers on one line: "key": [1, 2, 3].
  void Numbers(std::string_view key, std::span<const Byte> values);
  void Value(std::string_view text);  // an array element
  // Not an overload of Value: a string literal or a byte would take it.
  void Boolean(std::string_view key, bool value);

 private:
  void Open(std::string_view key, char bracket);
  void Close(char bracket);
  void Key(std::string_view key);
  void Quoted(std::string_view text);

  std::ostream& out_;
  std::vector<bool> first_;  // per open container: nothing written into it yet
};

}  // namespace korvane::cli
