// Any bytes as a JSON profile for `korvanectl import`: the reader never crashes, every string it gives is
// UTF-8, and a text it takes as a profile is one that export writes back and reads to the same record and
// labels.
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/json_reader.h"
#include "cli/profile_json.h"
#include "common/utf8.h"
#include "fuzz_input.h"

using namespace korvane;
using korvane::fuzz::Require;

namespace {

bool WellFormedUtf8(std::string_view text) {
  while (!text.empty()) {
    const Utf8Character character = DecodeUtf8(text);
    if (!character.valid) return false;
    text.remove_prefix(character.length);
  }
  return true;
}

// Iterative, so that the check itself stays within the reader's depth.
bool AllStringsUtf8(const cli::JsonValue& root) {
  std::vector<const cli::JsonValue*> pending = {&root};
  while (!pending.empty()) {
    const cli::JsonValue& value = *pending.back();
    pending.pop_back();
    if (value.type == cli::JsonValue::Type::String && !WellFormedUtf8(value.text)) return false;
    for (const cli::JsonValue& item : value.items) pending.push_back(&item);
    for (const cli::JsonMember& member : value.members) {
      if (!WellFormedUtf8(member.key)) return false;
      pending.push_back(&member.value);
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  cli::JsonValue value;
  if (cli::ParseJson(text, value)) Require(AllStringsUtf8(value));

  MouseConfig config;
  config.profileSlot = 3;
  ButtonLabels labels;
  if (!cli::ReadProfileJson(text, config, labels)) return 0;
  Require(config.profileSlot == 3);
  std::ostringstream written;
  cli::WriteProfileJson(written, config, labels);
  MouseConfig again;
  again.profileSlot = 3;
  ButtonLabels againLabels;
  Require(static_cast<bool>(cli::ReadProfileJson(written.str(), again, againLabels)));
  Require(again == config);
  Require(againLabels == labels);
  return 0;
}
