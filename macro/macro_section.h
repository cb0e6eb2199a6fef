#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "config/ini_file.h"

namespace korvane {

// Keys of one macro's section in record.ini, in the order they are written.
inline constexpr std::string_view kDelayTimeSelStatusKey = "DelayTimeSelStatus";
inline constexpr std::string_view kLoopTimeSelStatusKey = "LoopTimeSelStatus";
inline constexpr std::string_view kMacroLoopTimesKey = "MacroLoopTimes";
inline constexpr std::string_view kItemCountKey = "ItemCount";

// Event lines: a key name followed by one of the marks, or a delay "%d ms".
inline constexpr std::string_view kPressMark = "   Dn";
inline constexpr std::string_view kReleaseMark = "   Up";

// The other program reading record.ini sees only the section names that lie in the first 255 characters
// of its zero-separated name list (each name is followed by one terminator).
inline constexpr std::size_t kMacroNameListLength = 255;

// One macro's section as stored: the option values as text, and its event lines.
struct MacroSection {
  std::string delayTimeSelStatus;
  std::string loopTimeSelStatus;
  std::string macroLoopTimes;
  std::vector<std::string> items;
};

// Reads a section. "ItemCount" lines are read from "Item0" on; a missing line reads as empty, and a count
// larger than the section's number of lines is cut to it, so a damaged count cannot make the list huge.
MacroSection ReadMacroSection(const IniDocument& document, std::string_view name);

// Deletes the section and writes it anew at the end of the document, keys in the stored order.
void WriteMacroSection(IniDocument& document, std::string_view name, const MacroSection& section);

// The macros' names in file order as the macro list shows them: it ends at a blank name, and a name that
// does not lie wholly within the first kMacroNameListLength characters is not listed.
std::vector<std::string> MacroNames(const IniDocument& document);

}  // namespace korvane
