#include "config/label_file.h"

#include <algorithm>

#include "common/numbers.h"
#include "common/path_text.h"
#include "common/text.h"
#include "config/ini_file.h"
#include "text/strings.h"

namespace korvane {

namespace {

constexpr std::string_view kSkins = "Skins";
constexpr std::string_view kPoint = "Point";
constexpr std::string_view kProfile = "Profile";

}  // namespace

std::string LabelSectionName(std::string_view languageCode) {
  static constexpr PerLanguage<std::string_view> kSections = {"Setting-EN", "Setting-CHS", "Setting-CHT"};
  return std::string(ForLanguage(kSections, LanguageFromCode(languageCode)));
}

std::string ReadLanguageCode(const std::filesystem::path& labelPath) {
  return IniFile(labelPath).Read(kSkins, "Lan");
}

LabelSettings ReadLabels(const std::filesystem::path& labelPath, std::string_view languageCode) {
  return LabelsFromDocument(IniFile(labelPath).Load(), languageCode);
}

LabelSettings LabelsFromDocument(const IniDocument& document, std::string_view languageCode) {
  const std::string section = LabelSectionName(languageCode);
  LabelSettings settings;
  for (std::size_t i = 0; i < kButtonCount; ++i) settings.buttonLabel[i] = document.Get(section, ItemKey(i + 1));
  settings.rColor = document.Get(kSkins, "RColor");
  settings.gColor = document.Get(kSkins, "GColor");
  settings.bColor = document.Get(kSkins, "BColor");
  settings.skinPath = document.Get(kSkins, "Path");
  settings.sensitivityXY = document.Get(kPoint, "SensitivityX_Y");
  settings.sensitivityYY = document.Get(kPoint, "SensitivityY_Y");
  settings.sensitivityY = document.Get(kPoint, "Sensitivity_Y");
  settings.mouseSpeedY = document.Get(kPoint, "MouseSpeed_Y");
  return settings;
}

Status WriteLabels(const std::filesystem::path& labelPath, std::string_view languageCode,
                   const ButtonLabels& labels) {
  const std::string section = LabelSectionName(languageCode);
  return IniFile(labelPath).Update([&](IniDocument& document) {
    for (std::size_t i = 0; i < kButtonCount; ++i) document.Set(section, ItemKey(i + 1), labels[i]);
  });
}

int ReadProfileCount(const std::filesystem::path& profileListPath) {
  return LeadingInt(IniFile(profileListPath).Read(kProfile, "ItemCount"));
}

ButtonLabels DefaultLabels(std::string_view languageCode) {
  const DefaultLabelTexts texts = DefaultButtonLabels(LanguageFromCode(languageCode));
  ButtonLabels labels;
  std::copy(texts.begin(), texts.end(), labels.begin());
  return labels;
}

bool ProfileCountAccepted(int count) { return count != 0 && count <= kMaxProfiles; }

ProfileList ReadProfileList(const std::filesystem::path& profileListPath) {
  ProfileList list;
  const IniFile file(profileListPath);
  if (!file.Exists()) return list;
  const IniDocument document = file.Load();
  const int count = LeadingInt(document.Get(kProfile, "ItemCount"));
  if (!ProfileCountAccepted(count)) return list;
  for (int i = 0; i < count; ++i) list.names.push_back(document.Get(kProfile, ItemKey(i)));
  list.currentName = document.Get(kProfile, "CurProfileName");
  const auto found = std::find_if(list.names.begin(), list.names.end(), [&](const std::string& name) {
    return StartsWithIgnoringCase(name, list.currentName);
  });
  if (found != list.names.end()) list.selected = static_cast<int>(found - list.names.begin());
  return list;
}

Status WriteProfileList(const std::filesystem::path& profileListPath, const std::vector<std::string>& names,
                        int selected, int* currentIndex) {
  const IniFile file(profileListPath);
  if (!file.Exists()) return Status::Failure(PathToUtf8(profileListPath) + " does not exist");
  const int current = selected >= 0 && selected < static_cast<int>(names.size()) ? selected : 0;
  Status status = file.Update([&](IniDocument& document) {
    document.DeleteSection(kProfile);
    document.Set(kProfile, "CurProfileName", names.empty() ? std::string() : names[current]);
    if (names.empty()) return;
    document.Set(kProfile, "ItemCount", std::to_string(names.size()));
    for (std::size_t i = 0; i < names.size(); ++i) document.Set(kProfile, ItemKey(i), names[i]);
  });
  if (status && currentIndex != nullptr) *currentIndex = current;
  return status;
}

}  // namespace korvane
