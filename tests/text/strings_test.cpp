#include "text/strings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace korvane {
namespace {

constexpr Language kAllLanguages[] = {Language::English, Language::SimplifiedChinese,
                                      Language::TraditionalChinese};

using NamedTexts = std::vector<std::pair<std::string, std::string_view>>;

#define KV_TEXT(table, field) {#field, table.field}

void AddArray(NamedTexts& out, const char* name, std::span<const std::string_view> texts) {
  for (std::size_t i = 0; i < texts.size(); ++i) out.emplace_back(name + std::to_string(i), texts[i]);
}

// Every text of a table with its field name. The static_asserts fail when a field is added to a table
// but not here, so the completeness test cannot silently skip it.
NamedTexts AllTexts(const MainStrings& t) {
  static_assert(sizeof(MainStrings) == 93 * sizeof(std::string_view));
  NamedTexts out = {
      KV_TEXT(t, productTitle), KV_TEXT(t, reset), KV_TEXT(t, cancel), KV_TEXT(t, save), KV_TEXT(t, config),
      KV_TEXT(t, top), KV_TEXT(t, side), KV_TEXT(t, buttonAssignment), KV_TEXT(t, macroManager),
      KV_TEXT(t, xySensitivitySetting), KV_TEXT(t, cpiSetting), KV_TEXT(t, lighting), KV_TEXT(t, usbReportRate),
      KV_TEXT(t, mouseSpeed), KV_TEXT(t, doubleClickSpeed), KV_TEXT(t, scrollSpeed), KV_TEXT(t, angleSnap),
      KV_TEXT(t, xAxis), KV_TEXT(t, yAxis), KV_TEXT(t, cpiDialUp), KV_TEXT(t, cpiDialDown), KV_TEXT(t, cpiLoop),
      KV_TEXT(t, slow), KV_TEXT(t, fast), KV_TEXT(t, numberOfRows), KV_TEXT(t, scrollOneScreen),
      KV_TEXT(t, singleColor), KV_TEXT(t, pulsating), KV_TEXT(t, multiColor), KV_TEXT(t, mouseMButton),
      KV_TEXT(t, mouseScrollUp), KV_TEXT(t, mouseScrollDown), KV_TEXT(t, click), KV_TEXT(t, menu),
      KV_TEXT(t, scrollSelect), KV_TEXT(t, ieForward), KV_TEXT(t, ieBackward), KV_TEXT(t, cpiCycle),
      KV_TEXT(t, windows), KV_TEXT(t, multimedia), KV_TEXT(t, hotKey), KV_TEXT(t, singleKey),
      KV_TEXT(t, comboKey), KV_TEXT(t, macroKey), KV_TEXT(t, buttonOff), KV_TEXT(t, doubleClick),
      KV_TEXT(t, leftKeyMustBeSelected), KV_TEXT(t, webAddress), KV_TEXT(t, switchToMacroKey), KV_TEXT(t, exit),
      KV_TEXT(t, mouseNotDetected), KV_TEXT(t, mouseDetected), KV_TEXT(t, infoTitle), KV_TEXT(t, warningTitle),
  };
  AddArray(out, "buttonTitle", t.buttonTitle);
  AddArray(out, "multimediaItem", t.multimediaItem);
  AddArray(out, "hotKeyItem", t.hotKeyItem);
  AddArray(out, "windowsItem", t.windowsItem);
  AddArray(out, "switchCpiStage", t.switchCpiStage);
  return out;
}

NamedTexts AllTexts(const MacroManagerStrings& t) {
  static_assert(sizeof(MacroManagerStrings) == 21 * sizeof(std::string_view));
  return {KV_TEXT(t, ok), KV_TEXT(t, cancel), KV_TEXT(t, title), KV_TEXT(t, selectMacro),
          KV_TEXT(t, keyPressSequence), KV_TEXT(t, recordOption), KV_TEXT(t, recordDelays),
          KV_TEXT(t, loopTimes), KV_TEXT(t, newButton), KV_TEXT(t, deleteButton), KV_TEXT(t, macroNameBase),
          KV_TEXT(t, startRecording), KV_TEXT(t, stopRecording), KV_TEXT(t, recordingTitle),
          KV_TEXT(t, insertLeftButton), KV_TEXT(t, insertMiddleButton), KV_TEXT(t, insertRightButton),
          KV_TEXT(t, insertDelay), KV_TEXT(t, warning), KV_TEXT(t, macroLimit), KV_TEXT(t, backgroundLoadFailed)};
}

NamedTexts AllTexts(const MacroKeyStrings& t) {
  static_assert(sizeof(MacroKeyStrings) == 7 * sizeof(std::string_view));
  NamedTexts out = {KV_TEXT(t, ok), KV_TEXT(t, cancel), KV_TEXT(t, selectMacroPrompt),
                    KV_TEXT(t, backgroundLoadFailed)};
  AddArray(out, "repeatMode", t.repeatMode);
  return out;
}

NamedTexts AllTexts(const ProfileManagerStrings& t) {
  static_assert(sizeof(ProfileManagerStrings) == 16 * sizeof(std::string_view));
  return {KV_TEXT(t, title),    KV_TEXT(t, name),     KV_TEXT(t, newButton),    KV_TEXT(t, deleteItem),
          KV_TEXT(t, editItem), KV_TEXT(t, copyItem), KV_TEXT(t, loadItem),     KV_TEXT(t, saveItem),
          KV_TEXT(t, warning),  KV_TEXT(t, profileLimit), KV_TEXT(t, linkItem), KV_TEXT(t, otherApplication),
          KV_TEXT(t, applicationPrompt), KV_TEXT(t, unlinkItem), KV_TEXT(t, newProfilePrefix),
          KV_TEXT(t, backgroundLoadFailed)};
}

NamedTexts AllTexts(const SingleKeyStrings& t) {
  static_assert(sizeof(SingleKeyStrings) == 4 * sizeof(std::string_view));
  return {KV_TEXT(t, ok), KV_TEXT(t, cancel), KV_TEXT(t, prompt), KV_TEXT(t, backgroundLoadFailed)};
}

NamedTexts AllTexts(const ComboKeyStrings& t) {
  static_assert(sizeof(ComboKeyStrings) == 6 * sizeof(std::string_view));
  return {KV_TEXT(t, ok), KV_TEXT(t, cancel), KV_TEXT(t, modifierLabel), KV_TEXT(t, firstKeyLabel),
          KV_TEXT(t, secondKeyLabel), KV_TEXT(t, backgroundLoadFailed)};
}

NamedTexts AllTexts(const HelpStrings& t) {
  static_assert(sizeof(HelpStrings) == 5 * sizeof(std::string_view));
  return {KV_TEXT(t, ok), KV_TEXT(t, cancel), KV_TEXT(t, updateText), KV_TEXT(t, versionText),
          KV_TEXT(t, backgroundLoadFailed)};
}

NamedTexts AllTexts(const MessageStrings& t) {
  static_assert(sizeof(MessageStrings) == 66 * sizeof(std::string_view));
  return {KV_TEXT(t, watchFailed), KV_TEXT(t, nothingSent), KV_TEXT(t, valuesOutOfRange), KV_TEXT(t,
          noCurrentProfile), KV_TEXT(t, changedElsewhere), KV_TEXT(t, sendFailed), KV_TEXT(t, notStored),
          KV_TEXT(t, saveWithoutMouse), KV_TEXT(t, factoryUnreadable), KV_TEXT(t, importIntoNewProfile),
          KV_TEXT(t, fileOutOfRange), KV_TEXT(t, nothingLoaded), KV_TEXT(t, nothingExported), KV_TEXT(t,
          discardForOtherProfile), KV_TEXT(t, listNotSaved), KV_TEXT(t, updaterMissing), KV_TEXT(t,
          cannotStart), KV_TEXT(t, discardOnExit), KV_TEXT(t, skinMissing), KV_TEXT(t, accessDenied),
          KV_TEXT(t, accessGroupHint), KV_TEXT(t, deviceBusy), KV_TEXT(t, copyCommand), KV_TEXT(t,
          macroNameBlank), KV_TEXT(t, macroNameSpaces), KV_TEXT(t, macroNameCharacters), KV_TEXT(t,
          macroNameTooLong), KV_TEXT(t, macroNameTaken), KV_TEXT(t, macroNamesTooLong), KV_TEXT(t,
          noMacroSelected), KV_TEXT(t, macroFileUnreadable), KV_TEXT(t, macroTooLong), KV_TEXT(t,
          macrosLeftOut), KV_TEXT(t, noSuchProfile), KV_TEXT(t, profileNameBlank), KV_TEXT(t,
          profileNameBreaks), KV_TEXT(t, profileNameTooLong), KV_TEXT(t, profileNameTaken), KV_TEXT(t, deleteProfile), KV_TEXT(t,
          lastProfile), KV_TEXT(t, applicationIdBlank), KV_TEXT(t, applicationIdCharacters),
          KV_TEXT(t, applicationIdTooLong), KV_TEXT(t, importTitle), KV_TEXT(t, exportTitle), KV_TEXT(t, profileFilter),
          KV_TEXT(t, keyboardHeld), KV_TEXT(t, ok), KV_TEXT(t, yes), KV_TEXT(t, no),
          KV_TEXT(t, startWithDesktop), KV_TEXT(t, profileShown),
          KV_TEXT(t, mouseHoldsProfile), KV_TEXT(t, savedSign), KV_TEXT(t, resetSign), KV_TEXT(t, resetQuestion),
          KV_TEXT(t, noBrowser), KV_TEXT(t, pressCpi), KV_TEXT(t, switchToMacro3),
          KV_TEXT(t, unplugMouse), KV_TEXT(t, plugMouse), KV_TEXT(t, profileForApp), KV_TEXT(t, switchOverEdits),
          KV_TEXT(t, profileSwitchBusy), KV_TEXT(t, profileOverEdits), KV_TEXT(t, profileNotTaken)};
}

#undef KV_TEXT

template <typename Table>
void ExpectCompleteInEveryLanguage(const Table& (*tableFor)(Language)) {
  const NamedTexts english = AllTexts(tableFor(Language::English));
  for (Language language : kAllLanguages) {
    const NamedTexts texts = AllTexts(tableFor(language));
    for (std::size_t i = 0; i < english.size(); ++i) {
      EXPECT_FALSE(english[i].second.empty()) << english[i].first;
      EXPECT_FALSE(texts[i].second.empty())
          << texts[i].first << " is empty in language " << static_cast<int>(language);
    }
  }
}

TEST(StringsTest, LanguageCodeIsComparedExactly) {
  const std::pair<std::string_view, Language> cases[] = {
      {"CHS", Language::SimplifiedChinese}, {"CHT", Language::TraditionalChinese},
      {"chs", Language::English},           {"Cht", Language::English},
      {"", Language::English},              {"EN", Language::English},
      {"CHS ", Language::English},          {"CH", Language::English},
  };
  for (const auto& [code, language] : cases) EXPECT_EQ(LanguageFromCode(code), language) << '"' << code << '"';
}

TEST(StringsTest, LoadMainStringsFollowsTheLanguageCode) {
  EXPECT_EQ(LoadMainStrings("CHS").reset, "\xE6\x81\xA2\xE5\xA4\x8D");
  EXPECT_EQ(LoadMainStrings("CHT").reset, "\xE6\x81\xA2\xE5\xBE\xA9");
  EXPECT_EQ(LoadMainStrings("chs").reset, "Reset");
  EXPECT_EQ(LoadMainStrings("").reset, "Reset");
}

TEST(StringsTest, EveryTableIsCompleteInEveryLanguage) {
  ExpectCompleteInEveryLanguage(&MainStringsFor);
  ExpectCompleteInEveryLanguage(&MacroManagerStringsFor);
  ExpectCompleteInEveryLanguage(&MacroKeyStringsFor);
  ExpectCompleteInEveryLanguage(&ProfileManagerStringsFor);
  ExpectCompleteInEveryLanguage(&SingleKeyStringsFor);
  ExpectCompleteInEveryLanguage(&ComboKeyStringsFor);
  ExpectCompleteInEveryLanguage(&HelpStringsFor);
  ExpectCompleteInEveryLanguage(&MessageStringsFor);
}

// The "%n" a text leaves for FillIn, in order of their numbers.
std::string Placeholders(std::string_view text) {
  std::string found;
  for (std::size_t at = text.find('%'); at != std::string_view::npos && at + 1 < text.size();
       at = text.find('%', at + 1)) {
    if (text[at + 1] >= '1' && text[at + 1] <= '9') found += text[at + 1];
  }
  std::ranges::sort(found);
  return found;
}

TEST(StringsTest, MessagesAreTranslatedAndKeepTheirPlaceholders) {
  const NamedTexts english = AllTexts(MessageStringsFor(Language::English));
  for (Language language : {Language::SimplifiedChinese, Language::TraditionalChinese}) {
    const NamedTexts texts = AllTexts(MessageStringsFor(language));
    for (std::size_t i = 0; i < english.size(); ++i) {
      EXPECT_NE(texts[i].second, english[i].second) << texts[i].first << " is English in language "
                                                     << static_cast<int>(language);
      EXPECT_EQ(Placeholders(texts[i].second), Placeholders(english[i].second)) << texts[i].first;
    }
  }
}

TEST(StringsTest, FillInPutsTheValuesInTheirPlaces) {
  EXPECT_EQ(FillIn("%2 after %1", {"one", "two"}), "two after one");
  EXPECT_EQ(FillIn("100% of %1, %3 and %", {"it"}), "100% of it, %3 and %");
  EXPECT_EQ(FillIn("%1", {"%2", "x"}), "%2");  // a value is not read again
}

TEST(StringsTest, SharedTextsAreTheSameInEveryLanguage) {
  const MainStrings& en = MainStringsFor(Language::English);
  for (Language language : kAllLanguages) {
    const MainStrings& main = MainStringsFor(language);
    EXPECT_EQ(main.productTitle, "Tellurix Korvane");
    EXPECT_EQ(main.cpiLoop, "CPI loop");
    EXPECT_EQ(main.windows, "Windows");
    EXPECT_EQ(main.webAddress, en.webAddress);
    EXPECT_EQ(main.infoTitle, "Info");
    EXPECT_EQ(main.warningTitle, "Warning");
    EXPECT_EQ(ProfileManagerStringsFor(language).newProfilePrefix, "PROFILE");
    EXPECT_EQ(HelpStringsFor(language).updateText, "Update \xE9\xA9\xB1\xE5\x8A\xA8\xE6\x9B\xB4\xE6\x96\xB0");
    EXPECT_EQ(HelpStringsFor(language).versionText, "Version\xEF\xBC\x9A" KORVANE_VERSION);  // full-width colon
  }
}

TEST(StringsTest, EnglishTextsKeepTheirExactSpacing) {
  const MainStrings& main = MainStringsFor(Language::English);
  EXPECT_EQ(main.multiColor, "Multi-color ");
  EXPECT_EQ(main.switchCpiStage[0], "Switch CPI into the first stage ");
  EXPECT_EQ(main.switchCpiStage[5], "Switch CPI into the sixth stage ");
  EXPECT_EQ(main.mouseDetected, "The system detect the gaming mouse.");
  EXPECT_EQ(MacroKeyStringsFor(Language::English).repeatMode[1], "Repeat until press any  mouse button to end");
  EXPECT_EQ(SingleKeyStringsFor(Language::English).ok, "Ok");
  EXPECT_EQ(ComboKeyStringsFor(Language::English).ok, "OK");
  EXPECT_EQ(MacroManagerStringsFor(Language::English).insertRightButton, "Insert the right button");
}

TEST(StringsTest, ChineseTextsAreExactUtf8) {
  const MainStrings& chs = MainStringsFor(Language::SimplifiedChinese);
  const MainStrings& cht = MainStringsFor(Language::TraditionalChinese);
  EXPECT_EQ(chs.switchCpiStage[1], "CPI\xE5\x88\x87\xE6\x8D\xA2\xE5\x88\xB0\xE7\xAC\xAC\xE4\xBA\x8C\xE6\xAE\xB5 ");
  // Traditional Chinese shows the simplified characters for Double Click.
  EXPECT_EQ(chs.doubleClick, "\xE5\x8F\x8C\xE5\x87\xBB");
  EXPECT_EQ(cht.doubleClick, "\xE5\x8F\x8C\xE5\x87\xBB");
  EXPECT_EQ(cht.mouseSpeed, "\xE6\xBB\x91\xE9\xBC\xA0\xE7\xA7\xBB\xE5\x8B\x95\xE9\x80\x9F\xE5\xBA\xA6");
  // The simplified macro manager writes this heading with the traditional key character.
  EXPECT_EQ(MacroManagerStringsFor(Language::SimplifiedChinese).keyPressSequence,
            "\xE6\x8C\x89\xE9\x8D\xB5\xE5\xBA\x8F\xE5\x88\x97");
  EXPECT_EQ(MacroManagerStringsFor(Language::TraditionalChinese).title,
            "\xE5\xB7\xA8\xE9\x9B\x86\xE7\xAE\xA1\xE7\x90\x86\xE5\x99\xA8");
  EXPECT_EQ(ProfileManagerStringsFor(Language::TraditionalChinese).profileLimit,
            "\xE6\x9C\x80\xE5\xA4\x9A\xE5\x8F\xAF\xE4\xBB\xA5\xE5\xAD\x98\xE5\x84\xB2" "6"
            "\xE5\x80\x8B\xE9\x85\x8D\xE7\xBD\xAE\xE3\x80\x82");
  EXPECT_EQ(SingleKeyStringsFor(Language::SimplifiedChinese).ok, "\xE7\xA1\xAE\xE5\xAE\x9A");
  EXPECT_EQ(HelpStringsFor(Language::TraditionalChinese).ok, "\xE7\xA2\xBA\xE5\xAE\x9A");
}

TEST(StringsTest, DefaultLabelsAreTheFactoryFunctionsInEachLanguage) {
  EXPECT_EQ(DefaultButtonLabels(Language::English),
            (DefaultLabelTexts{"Click", "Menu", "Mouse M Button", "Mouse Scroll Up", "Mouse Scroll Down",
                               "CPI loop", "IE Forward", "IE Backward"}));
  const DefaultLabelTexts chs = DefaultButtonLabels(Language::SimplifiedChinese);
  EXPECT_EQ(chs[0], "\xE5\xB7\xA6\xE9\x94\xAE");  // left key
  EXPECT_EQ(chs[2], "\xE6\xBB\x9A\xE8\xBD\xAE");  // wheel
  EXPECT_EQ(chs[5], "CPI loop");
  const DefaultLabelTexts cht = DefaultButtonLabels(Language::TraditionalChinese);
  EXPECT_EQ(cht[6], "\xE5\x89\x8D\xE9\x80\xB2\xE6\x96\xB9\xE5\x90\x91\xE9\x8D\xB5");  // forward key
  EXPECT_EQ(cht[5], "CPI loop");
}

TEST(StringsTest, FontsFollowTheLanguage) {
  const FontTable& en = FontsFor(Language::English);
  EXPECT_EQ(en.mainText.face, "Segoe UI");
  EXPECT_EQ(en.mainText.pixelHeight, 15);
  EXPECT_EQ(en.mainText.weight, 300);
  EXPECT_EQ(en.mainTitle.face, "Tahoma");
  EXPECT_EQ(en.macroManager.weight, 700);
  EXPECT_EQ(en.dialog.face, "Arial");
  EXPECT_EQ(en.dialog.pixelHeight, 14);

  const FontTable& chs = FontsFor(Language::SimplifiedChinese);
  EXPECT_EQ(chs.mainText.face, "\xE5\xAE\x8B\xE4\xBD\x93");
  EXPECT_EQ(chs.dialog.pixelHeight, 13);
  const FontTable& cht = FontsFor(Language::TraditionalChinese);
  EXPECT_EQ(cht.mainText.face, "\xE9\xBB\x91\xE4\xBD\x93");
  EXPECT_EQ(cht.dialog.pixelHeight, 14);
  EXPECT_EQ(cht.mainTitle.pixelHeight, 18);
  EXPECT_EQ(cht.mainTitle.weight, 700);

  for (Language language : kAllLanguages) {
    const FontSpec small = FontsFor(language).mainSmall;
    EXPECT_EQ(small.face, "Arial");
    EXPECT_EQ(small.pixelHeight, 13);
    EXPECT_FALSE(FallbackFaces(language).empty());
  }
  // Chinese must fall back to a face that has the glyphs of its own script first.
  EXPECT_EQ(FallbackFaces(Language::SimplifiedChinese).front(), "Noto Sans CJK SC");
  EXPECT_EQ(FallbackFaces(Language::TraditionalChinese).front(), "Noto Sans CJK TC");
}

}  // namespace
}  // namespace korvane
