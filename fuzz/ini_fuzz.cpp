// Any bytes as an INI file: parsing never fails, and what Serialize writes parses back to the same
// document, so a load followed by a save never changes a file a second time.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "config/ini_file.h"
#include "fuzz_input.h"

using korvane::IniDocument;
using korvane::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const IniDocument first = IniDocument::Parse(bytes);
  const std::string written = first.Serialize();
  const IniDocument second = IniDocument::Parse(written);
  Require(second.Serialize() == written);

  const std::vector<std::string> names = first.SectionNames();
  Require(second.SectionNames() == names);
  for (const std::string& name : names) {
    Require(second.HasSection(name));
    const std::vector<IniDocument::Entry> entries = first.Entries(name);
    Require(second.Entries(name) == entries);
    for (const auto& [key, value] : entries) Require(second.Get(name, key) == first.Get(name, key));
  }

  // A rewritten key keeps its section's place; a deleted section is gone for good.
  if (!names.empty()) {
    IniDocument edited = second;
    edited.Set(names.back(), "FuzzKey", "value");
    Require(edited.Get(names.back(), "FuzzKey") == "value");
    Require(IniDocument::Parse(edited.Serialize()).Get(names.back(), "FuzzKey") == "value");
    edited.DeleteSection(names.front());
    Require(!edited.HasSection(names.front()) || names.size() > 1);
  }
  return 0;
}
