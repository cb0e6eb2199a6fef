#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/status.h"

namespace korvane {

// An INI document with the semantics of the Windows profile functions: sections keep file order, a
// missing section or key reads as empty, writing a key creates its section at the end, section and key
// names match without regard to ASCII case. Text is UTF-8 in memory.
class IniDocument {
 public:
  using Entry = std::pair<std::string, std::string>;

  // Accepts UTF-8 (with or without BOM) and UTF-16LE with BOM.
  static IniDocument Parse(std::string_view bytes);
  // UTF-8 without BOM, CRLF line ends.
  std::string Serialize() const;

  std::string Get(std::string_view section, std::string_view key) const;
  bool HasSection(std::string_view section) const;
  void Set(std::string_view section, std::string_view key, std::string_view value);
  void DeleteSection(std::string_view section);
  std::vector<std::string> SectionNames() const;
  // The section's key = value lines in file order (empty when the section is missing).
  std::vector<Entry> Entries(std::string_view section) const;

 private:
  struct Section {
    std::string name;
    std::vector<Entry> entries;
  };
  Section* Find(std::string_view section);
  const Section* Find(std::string_view section) const;

  std::vector<Section> sections_;
};

// "Item%d": the numbered keys of the label, profile-list and macro sections.
std::string ItemKey(std::size_t index);

// One INI file on disk. Every call reads the file afresh and every write rewrites it whole (through a
// temporary file), as the profile functions do; a missing file reads as empty and is created by a write.
class IniFile {
 public:
  explicit IniFile(std::filesystem::path path) : path_(std::move(path)) {}

  const std::filesystem::path& path() const { return path_; }
  bool Exists() const;

  IniDocument Load() const;
  Status Save(const IniDocument& document) const;

  std::string Read(std::string_view section, std::string_view key) const;
  Status Write(std::string_view section, std::string_view key, std::string_view value) const;
  Status DeleteSection(std::string_view section) const;
  std::vector<std::string> SectionNames() const;
  // Reads the file, applies the change and writes it back; fails without writing when the file exists
  // but cannot be read.
  Status Update(const std::function<void(IniDocument&)>& change) const;

 private:
  std::filesystem::path path_;
};

}  // namespace korvane
