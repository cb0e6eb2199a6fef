#include "config/ini_file.h"

#include <algorithm>

#include "common/file_io.h"
#include "common/text.h"

namespace korvane {

namespace {

std::string_view Trim(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// UTF-16LE (after its BOM) to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf16LeToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  auto unit = [&](std::size_t i) {
    return static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                 (static_cast<unsigned char>(bytes[i + 1]) << 8));
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
    AppendUtf8(out, (u >= 0xD800 && u <= 0xDFFF) ? char32_t{0xFFFD} : char32_t{u});
  }
  return out;
}

std::string DecodeText(std::string_view bytes) {
  if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') return Utf16LeToUtf8(bytes.substr(2));
  if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") return std::string(bytes.substr(3));
  return std::string(bytes);
}

}  // namespace

IniDocument IniDocument::Parse(std::string_view bytes) {
  const std::string text = DecodeText(bytes);
  IniDocument document;
  Section* current = nullptr;
  std::string_view rest = text;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    const std::string_view line = Trim(rest.substr(0, end));
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      const std::size_t close = line.find(']');
      const std::string_view name = Trim(line.substr(1, close == std::string_view::npos ? line.npos : close - 1));
      document.sections_.push_back(Section{std::string(name), {}});
      current = &document.sections_.back();
      continue;
    }
    const std::size_t equals = line.find('=');
    if (current == nullptr || equals == std::string_view::npos) continue;
    current->entries.emplace_back(std::string(Trim(line.substr(0, equals))),
                                  std::string(Trim(line.substr(equals + 1))));
  }
  return document;
}

std::string IniDocument::Serialize() const {
  std::string out;
  for (const Section& section : sections_) {
    out += '[' + section.name + "]\r\n";
    for (const auto& [key, value] : section.entries) out += key + '=' + value + "\r\n";
  }
  return out;
}

IniDocument::Section* IniDocument::Find(std::string_view section) {
  auto it = std::find_if(sections_.begin(), sections_.end(),
                         [&](const Section& s) { return EqualsIgnoringCase(s.name, section); });
  return it == sections_.end() ? nullptr : &*it;
}

const IniDocument::Section* IniDocument::Find(std::string_view section) const {
  return const_cast<IniDocument*>(this)->Find(section);
}

std::string IniDocument::Get(std::string_view section, std::string_view key) const {
  if (const Section* s = Find(section)) {
    for (const auto& [k, value] : s->entries) {
      if (EqualsIgnoringCase(k, key)) return value;
    }
  }
  return {};
}

bool IniDocument::HasSection(std::string_view section) const { return Find(section) != nullptr; }

void IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  Section* s = Find(section);
  if (s == nullptr) {
    sections_.push_back(Section{std::string(section), {}});
    s = &sections_.back();
  }
  for (auto& [k, v] : s->entries) {
    if (EqualsIgnoringCase(k, key)) {
      v = value;
      return;
    }
  }
  s->entries.emplace_back(std::string(key), std::string(value));
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
  const Section* s = Find(section);
  return s == nullptr ? std::vector<Entry>{} : s->entries;
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
    if (!bytes) return Status::Failure("cannot read " + path_.string());
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
