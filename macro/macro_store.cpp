#include "macro/macro_store.h"

#include <algorithm>

#include "common/file_io.h"
#include "common/numbers.h"
#include "common/path_text.h"
#include "common/text.h"
#include "keys/button_catalogue.h"
#include "keys/name_text.h"

namespace korvane {
namespace {

constexpr long long kMaxLoopCount = 65535;

// The loop count box holds 1-65535; anything else shows as 1.
std::string LoopCountOf(std::string_view text) {
  const long long value = LeadingNumber(text);
  return std::to_string(value >= 1 && value <= kMaxLoopCount ? value : 1);
}

std::string Flag(bool value) { return value ? "1" : "0"; }

// A record.ini that exists but cannot be read must not be replaced by what little we know.
Status LoadDocument(const IniFile& file, const MessageStrings& text, IniDocument& document) {
  if (!file.Exists()) {
    document = IniDocument();
    return Status::Ok();
  }
  const std::optional<std::string> bytes = ReadWholeFile(file.path());
  if (!bytes) return Status::Failure(FillIn(text.macroFileUnreadable, {PathToUtf8(file.path())}));
  document = IniDocument::Parse(*bytes);
  return Status::Ok();
}

}  // namespace

std::string_view MacroLimitText(std::string_view languageCode) {
  return MacroManagerStringsFor(LanguageFromCode(languageCode)).macroLimit;
}

std::string_view MacroBaseName(std::string_view languageCode) {
  return MacroManagerStringsFor(LanguageFromCode(languageCode)).macroNameBase;
}

MacroStore::MacroStore(std::filesystem::path recordPath, MacroOptions& options, Language language)
    : file_(std::move(recordPath)), options_(options), text_(MessageStringsFor(language)) {}

MacroSection MacroStore::CurrentSection() const {
  return {Flag(options_.recordDelays), Flag(options_.loopEnabled), loopCountText, eventList};
}

void MacroStore::LoadSection(const IniDocument& document, int row, bool firstLoad) {
  const MacroSection section = ReadMacroSection(document, macroList[row]);
  loopCountText = LoopCountOf(section.macroLoopTimes);
  eventList = section.items;
  // The first macro's options are on or off; a later selection keeps an option when its value is neither
  // 0 nor 1.
  auto update = [&](const std::string& value, bool& option) {
    const long long number = LeadingNumber(value);
    if (firstLoad || number == 0 || number == 1) option = number == 1;
  };
  update(section.delayTimeSelStatus, options_.recordDelays);
  update(section.loopTimeSelStatus, options_.loopEnabled);
}

void MacroStore::LoadMacroList() {
  macroList.clear();
  eventList.clear();
  selectedMacro = -1;
  IniDocument document;
  if (!file_.Exists() || !LoadDocument(file_, text_, document)) return;
  macroList = MacroNames(document);
  if (macroList.empty()) return;
  LoadSection(document, 0, true);
  selectedMacro = 0;
}

void MacroStore::SelectMacro(int row) {
  if (row < 0 || row >= int(macroList.size())) {
    selectedMacro = -1;
    return;
  }
  selectedMacro = row;
  IniDocument document;
  if (!LoadDocument(file_, text_, document)) return;
  LoadSection(document, row, false);
}

Status MacroStore::SaveCurrentMacro() {
  if (!file_.Exists() || selectedMacro < 0 || selectedMacro >= int(macroList.size())) return Status::Ok();
  if (eventList.empty() && selectedMacro < int(kMacroCount)) macroPageImage[selectedMacro].fill(0);
  IniDocument document;
  if (Status status = LoadDocument(file_, text_, document); !status) return status;
  WriteMacroSection(document, macroList[selectedMacro], CurrentSection());
  return file_.Save(document);
}

Status MacroStore::SetLoopCount(std::string_view text) {
  loopCountText = LoopCountOf(text);
  if (selectedMacro < 0 || selectedMacro >= int(macroList.size())) return Status::Ok();
  if (selectedMacro < int(kMacroCount)) {
    const long long count = LeadingNumber(loopCountText);
    macroPageImage[selectedMacro][0] = Byte(count >> 8);
    macroPageImage[selectedMacro][1] = Byte(count & 0xFF);
  }
  IniDocument document;
  if (Status status = LoadDocument(file_, text_, document); !status) return status;
  document.Set(macroList[selectedMacro], kMacroLoopTimesKey, loopCountText);
  return file_.Save(document);
}

Status MacroStore::CheckMacroName(int row, std::string_view name) const {
  if (std::ranges::all_of(name, [](char c) { return c == ' ' || c == '\t'; })) {
    return Status::Failure(std::string(text_.macroNameBlank));
  }
  if (name.front() == ' ' || name.front() == '\t' || name.back() == ' ' || name.back() == '\t') {
    return Status::Failure(std::string(text_.macroNameSpaces));
  }
  if (std::ranges::any_of(name, [](char c) { return c == ']' || static_cast<unsigned char>(c) < 0x20; })) {
    return Status::Failure(std::string(text_.macroNameCharacters));
  }
  if (NameLength(name) > kMaxNameLength) {
    return Status::Failure(FillIn(text_.macroNameTooLong, {std::to_string(kMaxNameLength)}));
  }
  const bool renaming = row >= 0 && row < int(macroList.size());
  IniDocument document;
  if (Status status = LoadDocument(file_, text_, document); !status) return status;
  std::vector<std::string> taken = document.SectionNames();
  taken.insert(taken.end(), macroList.begin(), macroList.end());
  for (const std::string& other : taken) {
    if (renaming && EqualsIgnoringCase(other, macroList[row])) continue;
    if (EqualsIgnoringCase(other, name)) {
      return Status::Failure(FillIn(text_.macroNameTaken, {other}));
    }
  }
  std::size_t listLength = NameLength(name) + 1;
  for (int other = 0; other < int(macroList.size()); ++other) {
    if (!(renaming && other == row)) listLength += NameLength(macroList[other]) + 1;
  }
  if (listLength > kMacroNameListLength) {
    return Status::Failure(FillIn(text_.macroNamesTooLong, {std::to_string(kMacroNameListLength)}));
  }
  return Status::Ok();
}

Status MacroStore::NewMacro(std::string_view languageCode) {
  if (macroList.size() >= kMacroCount) return Status::Failure(std::string(MacroLimitText(languageCode)));
  const std::string last = macroList.empty() ? std::string() : macroList.back();
  const std::size_t underscore = last.find('_');
  long long number = underscore != std::string::npos ? LeadingNumber(last.substr(underscore + 1)) + 1
                                                     : static_cast<long long>(macroList.size());
  IniDocument document;
  if (Status status = LoadDocument(file_, text_, document); !status) return status;
  std::vector<std::string> taken = document.SectionNames();
  taken.insert(taken.end(), macroList.begin(), macroList.end());
  // After deletions and renames the rule can hit a name in use; the next free number is taken instead.
  std::string name;
  do {
    name = std::string(MacroBaseName(languageCode)) + "_" + std::to_string(number++);
  } while (std::ranges::any_of(taken, [&](const std::string& other) {
    return EqualsIgnoringCase(other, name);
  }));
  if (Status status = CheckMacroName(-1, name); !status) return status;

  macroList.push_back(name);
  selectedMacro = int(macroList.size()) - 1;
  eventList.clear();
  return SetLoopCount("1");
}

Status MacroStore::DeleteMacro() {
  if (selectedMacro < 0 || selectedMacro >= int(macroList.size())) return Status::Ok();
  const std::string name = macroList[selectedMacro];
  macroList.erase(macroList.begin() + selectedMacro);
  selectedMacro = -1;
  eventList.clear();
  if (!file_.Exists()) return Status::Ok();
  IniDocument document;
  if (Status status = LoadDocument(file_, text_, document); !status) return status;
  document.DeleteSection(name);
  return file_.Save(document);
}

Status MacroStore::RenameMacro(int row, std::string_view newName) {
  if (row < 0 || row >= int(macroList.size())) return Status::Failure(std::string(text_.noMacroSelected));
  if (Status status = CheckMacroName(row, newName); !status) return status;
  if (row != selectedMacro) SelectMacro(row);
  const std::string oldName = macroList[row];
  macroList[row] = std::string(newName);
  if (!file_.Exists()) return Status::Ok();
  IniDocument document;
  if (Status status = LoadDocument(file_, text_, document); !status) return status;
  document.DeleteSection(oldName);
  WriteMacroSection(document, newName, CurrentSection());
  return file_.Save(document);
}

MacroEncoding MacroStore::EncodeMacroPages() {
  IniDocument document;
  if (!file_.Exists() || macroList.empty() || !LoadDocument(file_, text_, document)) {
    return MacroEncoding{macroPageImage, 0, 0};
  }
  MacroEncoding encoding = korvane::EncodeMacroPages(document);
  macroPageImage = encoding.pages;
  return encoding;
}

}  // namespace korvane
