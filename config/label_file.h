#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/small_types.h"
#include "common/status.h"
#include "config/ini_file.h"

namespace korvane {

using ButtonLabels = std::array<std::string, kButtonCount>;

// "Setting-CHS", "Setting-CHT", or "Setting-EN" for any other code (exact, case-sensitive).
std::string LabelSectionName(std::string_view languageCode);
// "Lan" of section "Skins"; empty when the file or key is missing.
std::string ReadLanguageCode(const std::filesystem::path& labelPath);

// Everything a label file holds besides the profile list.
struct LabelSettings {
  ButtonLabels buttonLabel;
  std::string rColor, gColor, bColor;  // text colour, decimal 0-255 each
  std::string skinPath;                // "Path": skin folder name below Skins/
  // Section "Point": read and kept, nothing depends on them.
  std::string sensitivityXY, sensitivityYY, sensitivityY, mouseSpeedY;
};

LabelSettings ReadLabels(const std::filesystem::path& labelPath, std::string_view languageCode);
LabelSettings LabelsFromDocument(const IniDocument& document, std::string_view languageCode);
// Writes "Item1".."Item8" into the label section of the language, creating file and section when missing.
Status WriteLabels(const std::filesystem::path& labelPath, std::string_view languageCode,
                   const ButtonLabels& labels);

// The labels of the factory button functions in the given language.
ButtonLabels DefaultLabels(std::string_view languageCode);

// Section "Profile" of str.ini.
inline constexpr int kMaxProfiles = 6;

struct ProfileList {
  std::vector<std::string> names;  // empty when the list is rejected (count 0, negative or above 6)
  std::string currentName;         // "CurProfileName"
  int selected = -1;  // first name that begins with currentName, ignoring case; -1 when none
};

// The raw "ItemCount" of str.ini.
int ReadProfileCount(const std::filesystem::path& profileListPath);
bool ProfileCountAccepted(int count);
// The profile manager's reading of the list; nothing when str.ini does not exist.
ProfileList ReadProfileList(const std::filesystem::path& profileListPath);
// Rewrites section "Profile" with the names and the selected entry (0 when none is selected) as the
// current profile; returns the index of the current profile. Writes nothing when str.ini does not exist.
Status WriteProfileList(const std::filesystem::path& profileListPath, const std::vector<std::string>& names,
                        int selected, int* currentIndex = nullptr);

}  // namespace korvane
