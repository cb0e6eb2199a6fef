#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/status.h"
#include "config/ini_file.h"
#include "macro/macro_encoding.h"
#include "text/strings.h"

namespace korvane {

// The two options of the macro shown in the manager. They outlive one manager (the recorder reads
// recordDelays at every event), so the owner keeps them and lends them to each store.
struct MacroOptions {
  bool recordDelays = false;
  bool loopEnabled = false;
};

inline constexpr std::string_view kMacroLimitCaption = "Warning";
// "Macro numbers up to 12." in the display language ("CHS", "CHT", else English).
std::string_view MacroLimitText(std::string_view languageCode);
// "Macro", the base of new macro names, in the display language.
std::string_view MacroBaseName(std::string_view languageCode);

// The macro manager's model over record.ini: the macro list, the selected macro's event list and loop
// count, and the page image built at OK. The dialog is a view over these fields; it may edit eventList
// (insert or delete rows) and then calls SaveCurrentMacro. Every change is written to record.ini at once,
// always as a whole new file.
class MacroStore {
 public:
  // The refusals and file faults are said in language.
  MacroStore(std::filesystem::path recordPath, MacroOptions& options, Language language = Language::English);

  const std::filesystem::path& path() const { return file_.path(); }
  MacroOptions& options() { return options_; }

  std::vector<std::string> macroList;  // section names, in file order when loaded
  int selectedMacro = -1;              // row of macroList, -1 for none
  std::vector<std::string> eventList;  // the selected macro's event lines
  std::string loopCountText = "1";
  MacroPages macroPageImage{};

  // Fills the lists from record.ini (empty when it does not exist) and selects the first macro.
  void LoadMacroList();
  // Selects a row and loads its lines, loop count and options.
  void SelectMacro(int row);
  // Rewrites the selected macro's section from the fields; the section moves to the end of the file, so
  // its macro number becomes the last. Does nothing when record.ini or a selected row is missing.
  Status SaveCurrentMacro();
  // The loop count box changed: values outside 1-65535 become 1. Writes "MacroLoopTimes" of the selected
  // macro (creating record.ini and the section when missing) and the loop bytes of its page.
  Status SetLoopCount(std::string_view text);

  // Appends "Macro_<n>" (in the display language) after the rule of the last row's number, selects it and
  // gives it loop count 1. Refused with MacroLimitText when there are twelve macros already.
  Status NewMacro(std::string_view languageCode);
  // Removes the selected macro's row and section; nothing is selected afterwards.
  Status DeleteMacro();
  // Why a row may not take this name, in words the dialog can show; Ok when it may. The name is checked
  // as given: surrounding blanks would not survive the file, so they count as a fault here.
  Status CheckMacroName(int row, std::string_view name) const;
  // Gives the row a new name; the macro is written under it at the end of the file (as a save does) and
  // becomes the selected one. Nothing is changed when CheckMacroName refuses.
  Status RenameMacro(int row, std::string_view newName);

  // Encodes pages 1-12 from record.ini into macroPageImage. Leaves the image as it is when record.ini
  // does not exist or the list is empty.
  MacroEncoding EncodeMacroPages();

 private:
  void LoadSection(const IniDocument& document, int row, bool firstLoad);
  MacroSection CurrentSection() const;

  IniFile file_;
  MacroOptions& options_;
  const MessageStrings& text_;
};

}  // namespace korvane
