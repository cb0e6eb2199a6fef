#include "macro/macro_section.h"

#include <algorithm>
#include <unordered_map>

#include "common/numbers.h"
#include "common/text.h"
#include "keys/name_text.h"

namespace korvane {
namespace {

// Index of an "Item%d" key (any case, no leading zeros), or -1.
long long ItemIndex(std::string_view key) {
  constexpr std::string_view kPrefix = "item";
  if (key.size() <= kPrefix.size() || !EqualsIgnoringCase(key.substr(0, kPrefix.size()), kPrefix)) {
    return -1;
  }
  const std::string_view digits = key.substr(kPrefix.size());
  if (digits.size() > 18 || (digits.size() > 1 && digits[0] == '0')) return -1;
  if (!std::ranges::all_of(digits, [](char c) { return c >= '0' && c <= '9'; })) return -1;
  return LeadingNumber(digits);
}

}  // namespace


MacroSection ReadMacroSection(const IniDocument& document, std::string_view name) {
  const std::vector<IniDocument::Entry> entries = document.Entries(name);
  MacroSection section;
  long long count = 0;
  std::unordered_map<long long, const std::string*> lines;
  // As with the profile functions, the first of several equal keys counts.
  bool seenDelay = false, seenLoop = false, seenTimes = false, seenCount = false;
  for (const IniDocument::Entry& entry : entries) {
    // Named references, not structured bindings: clang before 16 cannot capture those in a lambda.
    const std::string& key = entry.first;
    const std::string& value = entry.second;
    auto take = [&](std::string_view wanted, bool& seen, std::string& into) {
      if (seen || !EqualsIgnoringCase(key, wanted)) return false;
      seen = true;
      into = value;
      return true;
    };
    std::string countText;
    if (take(kDelayTimeSelStatusKey, seenDelay, section.delayTimeSelStatus) ||
        take(kLoopTimeSelStatusKey, seenLoop, section.loopTimeSelStatus) ||
        take(kMacroLoopTimesKey, seenTimes, section.macroLoopTimes)) {
      continue;
    }
    if (take(kItemCountKey, seenCount, countText)) {
      count = LeadingNumber(countText);
      continue;
    }
    if (const long long index = ItemIndex(key); index >= 0) lines.emplace(index, &value);
  }
  count = std::clamp<long long>(count, 0, static_cast<long long>(entries.size()));
  section.items.reserve(static_cast<std::size_t>(count));
  for (long long index = 0; index < count; ++index) {
    const auto line = lines.find(index);
    section.items.push_back(line == lines.end() ? std::string() : *line->second);
  }
  return section;
}

void WriteMacroSection(IniDocument& document, std::string_view name, const MacroSection& section) {
  document.DeleteSection(name);
  document.Set(name, kDelayTimeSelStatusKey, section.delayTimeSelStatus);
  document.Set(name, kLoopTimeSelStatusKey, section.loopTimeSelStatus);
  document.Set(name, kMacroLoopTimesKey, section.macroLoopTimes);
  document.Set(name, kItemCountKey, std::to_string(section.items.size()));
  for (std::size_t i = 0; i < section.items.size(); ++i) document.Set(name, ItemKey(i), section.items[i]);
}

std::vector<std::string> MacroNames(const IniDocument& document) {
  std::vector<std::string> names;
  std::size_t used = 0;
  for (std::string& name : document.SectionNames()) {
    if (name.empty()) break;
    used += NameLength(name) + 1;
    if (used > kMacroNameListLength) break;
    names.push_back(std::move(name));
  }
  return names;
}

}  // namespace korvane
