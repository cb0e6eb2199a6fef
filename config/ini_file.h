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
// names match without regard to ASCII case, the first matching section or key is the one read. Text is
// UTF-8 in memory.
//
// The document keeps the file's lines as they stood - comments, blank lines, lines without "=", keys and
// sections nobody reads, text before the first section, each line's own line end - so an unchanged
// document serializes to the bytes it was parsed from, and a change touches only the lines it sets.
class IniDocument {
 public:
  using Entry = std::pair<std::string, std::string>;

  // How the file's bytes encode its text; Serialize writes the encoding the file came in.
  enum class Encoding {
    kUtf8,       // no byte-order mark (also what a new document writes)
    kUtf8Bom,    // EF BB BF
    kUtf16Le,    // FF FE; an unpaired surrogate reads as U+FFFD
    kUtf16Be,    // FE FF; likewise
  };

  // Any bytes: UTF-8 with or without BOM, UTF-16LE or UTF-16BE with BOM. Lines end at CRLF, LF or a lone
  // CR; the first line end of the file is its style, the one lines added by Set get (CRLF when the file
  // has none).
  static IniDocument Parse(std::string_view bytes);
  // The lines in the document's encoding, with its byte-order mark if it came with one.
  std::string Serialize() const;

  Encoding encoding() const { return encoding_; }
  // "\r\n", "\n" or "\r".
  std::string_view lineEnd() const { return lineEnd_; }

  // The value of the section's first matching key, without blanks around it.
  std::string Get(std::string_view section, std::string_view key) const;
  bool HasSection(std::string_view section) const;
  // An existing key's line keeps everything up to its value (the key as the file spells it, the "="
  // and the blanks around them); a new key goes right after the last key line of the section, before
  // the blank lines and comments that end it; a missing section is appended at the end of the document.
  void Set(std::string_view section, std::string_view key, std::string_view value);
  // Removes the first matching section: its header and every line up to the next section.
  void DeleteSection(std::string_view section);
  std::vector<std::string> SectionNames() const;
  // The section's key = value lines in file order (empty when the section is missing).
  std::vector<Entry> Entries(std::string_view section) const;

 private:
  struct Line {
    std::string text;  // without its line end
    std::string end;   // "\r\n", "\n", "\r", or empty for a last line that has none
  };
  struct Section {
    std::string name;
    Line header;
    std::vector<Line> lines;  // every line after the header up to the next section
  };
  Section* Find(std::string_view section);
  const Section* Find(std::string_view section) const;
  // The line that now ends the document, if any, so a line can be added after it.
  Line* LastLine();

  Encoding encoding_ = Encoding::kUtf8;
  std::string lineEnd_ = "\r\n";
  std::vector<Line> preamble_;  // lines before the first section
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
