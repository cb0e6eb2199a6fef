#include "config/ini_file.h"

#include <algorithm>
#include <cstddef>
#include <optional>

#include "common/file_io.h"
#include "common/path_text.h"
#include "common/text.h"
#include "common/utf8.h"

namespace korvane {

namespace {

bool Blank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && Blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && Blank(text.back())) text.remove_suffix(1);
  return text;
}

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

// UTF-16 (after its BOM) to UTF-8; an unpaired surrogate becomes U+FFFD, an odd last byte is dropped.
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
  std::string out;
  out.reserve(bytes.size());
  auto unit = [&](std::size_t i) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    return static_cast<char16_t>(bigEndian ? (first << 8) | second : first | (second << 8));
  };
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const char16_t u = unit(i);
    if (u >= 0xD800 && u <= 0xDBFF && i + 3 < bytes.size()) {
      const char16_t low = unit(i + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        AppendUtf8(out, 0x10000 + ((char32_t(u) - 0xD800) << 10) + (char32_t(low) - 0xDC00));
        i += 2;
        continue;
      }
    }
    AppendUtf8(out, (u >= 0xD800 && u <= 0xDFFF) ? kReplacementCharacter : char32_t{u});
  }
  return out;
}

// UTF-8 to UTF-16 (without a BOM): code points past U+FFFF become surrogate pairs, bytes that are not
// UTF-8 become U+FFFD.
std::string Utf8ToUtf16(std::string_view text, bool bigEndian) {
  std::string out;
  out.reserve(text.size() * 2);
  auto append = [&](char32_t unit) {
    const auto high = static_cast<char>((unit >> 8) & 0xFF);
    const auto low = static_cast<char>(unit & 0xFF);
    out += bigEndian ? high : low;
    out += bigEndian ? low : high;
  };
  // A byte sequence that is not UTF-8 becomes one U+FFFD for each maximal part of a sequence that could
  // have begun a character.
  for (std::size_t i = 0; i < text.size();) {
    const Utf8Character c = DecodeUtf8(text.substr(i));
    const char32_t cp = c.codePoint;
    i += c.length;
    if (cp >= 0x10000) {
      append(0xD800 + ((cp - 0x10000) >> 10));
      append(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      append(cp);
    }
  }
  return out;
}

struct DecodedText {
  IniDocument::Encoding encoding;
  std::string text;
};

DecodedText DecodeText(std::string_view bytes) {
  using Encoding = IniDocument::Encoding;
  if (bytes.starts_with(kUtf16LeBom)) return {Encoding::kUtf16Le, Utf16ToUtf8(bytes.substr(2), false)};
  if (bytes.starts_with(kUtf16BeBom)) return {Encoding::kUtf16Be, Utf16ToUtf8(bytes.substr(2), true)};
  if (bytes.starts_with(kUtf8Bom)) return {Encoding::kUtf8Bom, std::string(bytes.substr(3))};
  return {Encoding::kUtf8, std::string(bytes)};
}

std::string EncodeText(std::string_view text, IniDocument::Encoding encoding) {
  using Encoding = IniDocument::Encoding;
  switch (encoding) {
    case Encoding::kUtf8: break;
    case Encoding::kUtf8Bom: return std::string(kUtf8Bom).append(text);
    case Encoding::kUtf16Le: return std::string(kUtf16LeBom) + Utf8ToUtf16(text, false);
    case Encoding::kUtf16Be: return std::string(kUtf16BeBom) + Utf8ToUtf16(text, true);
  }
  return std::string(text);
}

// A line starting with "[" (after blanks) is a section header; the name is what stands up to the first
// "]" (or the end of the line), without blanks around it.
std::optional<std::string_view> HeaderName(std::string_view text) {
  const std::string_view line = Trim(text);
  if (line.empty() || line.front() != '[') return std::nullopt;
  const std::size_t close = line.find(']');
  return Trim(line.substr(1, close == std::string_view::npos ? line.npos : close - 1));
}

// A key line of a section: one with "=" that is not a comment. The key and value are without blanks
// around them; valueStart is where the value's text begins in the line (after the blanks past the "=").
struct KeyLine {
  std::string_view key;
  std::string_view value;
  std::size_t valueStart;
};

std::optional<KeyLine> AsKeyLine(std::string_view text) {
  const std::string_view line = Trim(text);
  if (line.empty() || line.front() == ';') return std::nullopt;
  const std::size_t equals = text.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  std::size_t valueStart = equals + 1;
  while (valueStart < text.size() && Blank(text[valueStart])) ++valueStart;
  return KeyLine{Trim(text.substr(0, equals)), Trim(text.substr(valueStart)), valueStart};
}

}  // namespace

IniDocument IniDocument::Parse(std::string_view bytes) {
  IniDocument document;
  DecodedText decoded = DecodeText(bytes);
  document.encoding_ = decoded.encoding;
  bool styleFound = false;
  std::string_view rest = decoded.text;
  while (!rest.empty()) {
    Line line;
    const std::size_t end = rest.find_first_of("\r\n");
    if (end == std::string_view::npos) {
      line.text = rest;
      rest = {};
    } else {
      const std::size_t length = rest.substr(end).starts_with("\r\n") ? 2 : 1;
      line.text = rest.substr(0, end);
      line.end = rest.substr(end, length);
      rest.remove_prefix(end + length);
      if (!styleFound) {
        document.lineEnd_ = line.end;
        styleFound = true;
      }
    }
    if (const std::optional<std::string_view> name = HeaderName(line.text)) {
      document.sections_.push_back(Section{std::string(*name), std::move(line), {}});
    } else if (document.sections_.empty()) {
      document.preamble_.push_back(std::move(line));
    } else {
      document.sections_.back().lines.push_back(std::move(line));
    }
  }
  return document;
}

std::string IniDocument::Serialize() const {
  std::string text;
  auto append = [&](const Line& line) { text.append(line.text).append(line.end); };
  for (const Line& line : preamble_) append(line);
  for (const Section& section : sections_) {
    append(section.header);
    for (const Line& line : section.lines) append(line);
  }
  return EncodeText(text, encoding_);
}

IniDocument::Section* IniDocument::Find(std::string_view section) {
  auto it = std::find_if(sections_.begin(), sections_.end(),
                         [&](const Section& s) { return EqualsIgnoringCase(s.name, section); });
  return it == sections_.end() ? nullptr : &*it;
}

const IniDocument::Section* IniDocument::Find(std::string_view section) const {
  return const_cast<IniDocument*>(this)->Find(section);
}

IniDocument::Line* IniDocument::LastLine() {
  if (!sections_.empty()) {
    Section& last = sections_.back();
    return last.lines.empty() ? &last.header : &last.lines.back();
  }
  return preamble_.empty() ? nullptr : &preamble_.back();
}

std::string IniDocument::Get(std::string_view section, std::string_view key) const {
  if (const Section* s = Find(section)) {
    for (const Line& line : s->lines) {
      const std::optional<KeyLine> keyLine = AsKeyLine(line.text);
      if (keyLine && EqualsIgnoringCase(keyLine->key, key)) return std::string(keyLine->value);
    }
  }
  return {};
}

bool IniDocument::HasSection(std::string_view section) const { return Find(section) != nullptr; }

void IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  Section* s = Find(section);
  if (s == nullptr) {
    // Only the document's last line can lack a line end; the new section starts on a line of its own.
    if (Line* last = LastLine(); last != nullptr && last->end.empty()) last->end = lineEnd_;
    sections_.push_back(Section{std::string(section), Line{"[" + std::string(section) + "]", lineEnd_}, {}});
    s = &sections_.back();
  }
  std::size_t insertAt = 0;  // after the header when the section has no key line
  for (std::size_t i = 0; i < s->lines.size(); ++i) {
    Line& line = s->lines[i];
    const std::optional<KeyLine> keyLine = AsKeyLine(line.text);
    if (!keyLine) continue;
    if (EqualsIgnoringCase(keyLine->key, key)) {
      line.text.replace(keyLine->valueStart, std::string::npos, value);
      return;
    }
    insertAt = i + 1;
  }
  Line& before = insertAt == 0 ? s->header : s->lines[insertAt - 1];
  if (before.end.empty()) before.end = lineEnd_;
  s->lines.insert(s->lines.begin() + static_cast<std::ptrdiff_t>(insertAt),
                  Line{std::string(key) + "=" + std::string(value), lineEnd_});
}

void IniDocument::DeleteSection(std::string_view section) {
  auto it = std::find_if(sections_.begin(), sections_.end(),
                         [&](const Section& s) { return EqualsIgnoringCase(s.name, section); });
  if (it != sections_.end()) sections_.erase(it);
}

std::vector<std::string> IniDocument::SectionNames() const {
  std::vector<std::string> names;
  names.reserve(sections_.size());
  for (const Section& s : sections_) names.push_back(s.name);
  return names;
}

std::vector<IniDocument::Entry> IniDocument::Entries(std::string_view section) const {
  std::vector<Entry> entries;
  if (const Section* s = Find(section)) {
    for (const Line& line : s->lines) {
      if (const std::optional<KeyLine> keyLine = AsKeyLine(line.text)) {
        entries.emplace_back(std::string(keyLine->key), std::string(keyLine->value));
      }
    }
  }
  return entries;
}

std::string ItemKey(std::size_t index) { return "Item" + std::to_string(index); }

bool IniFile::Exists() const {
  std::error_code error;
  return std::filesystem::is_regular_file(path_, error);
}

IniDocument IniFile::Load() const {
  const std::optional<std::string> bytes = ReadWholeFile(path_);
  return bytes ? IniDocument::Parse(*bytes) : IniDocument();
}

Status IniFile::Save(const IniDocument& document) const {
  return WriteFileReplacing(path_, document.Serialize());
}

std::string IniFile::Read(std::string_view section, std::string_view key) const {
  return Load().Get(section, key);
}

Status IniFile::Update(const std::function<void(IniDocument&)>& change) const {
  IniDocument document;
  if (Exists()) {
    // A file that exists but cannot be read is never rewritten from nothing.
    const std::optional<std::string> bytes = ReadWholeFile(path_);
    if (!bytes) return Status::Failure("cannot read " + PathToUtf8(path_));
    document = IniDocument::Parse(*bytes);
  }
  change(document);
  return Save(document);
}

Status IniFile::Write(std::string_view section, std::string_view key, std::string_view value) const {
  return Update([&](IniDocument& document) { document.Set(section, key, value); });
}

Status IniFile::DeleteSection(std::string_view section) const {
  return Update([&](IniDocument& document) { document.DeleteSection(section); });
}

std::vector<std::string> IniFile::SectionNames() const { return Load().SectionNames(); }

}  // namespace korvane
