#pragma once

// Every text the windows show, in English, simplified and traditional Chinese, and the fonts they are
// drawn with. All texts are UTF-8 and exact, trailing spaces included. Texts marked "every language" are
// the same bytes in all three tables.

#include <array>
#include <cstddef>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace korvane {

// Chosen once at start-up from "Lan" of section "Skins" and never changed while the program runs.
// The values index the tables.
enum class Language : std::size_t { English = 0, SimplifiedChinese = 1, TraditionalChinese = 2 };
inline constexpr std::size_t kLanguageCount = 3;

// One table per language, in the order of Language.
template <typename Table>
using PerLanguage = std::array<Table, kLanguageCount>;

template <typename Table>
constexpr const Table& ForLanguage(const PerLanguage<Table>& tables, Language language) {
  return tables[static_cast<std::size_t>(language)];
}

// "CHS" and "CHT" compared exactly (case-sensitive); any other code, the empty one included, is English.
constexpr Language LanguageFromCode(std::string_view languageCode) {
  if (languageCode == "CHS") return Language::SimplifiedChinese;
  if (languageCode == "CHT") return Language::TraditionalChinese;
  return Language::English;
}

inline constexpr std::size_t kStageSentenceCount = 6;
inline constexpr std::size_t kButtonTitleCount = 8;
inline constexpr std::size_t kMultimediaItemCount = 8;
inline constexpr std::size_t kHotKeyItemCount = 10;
inline constexpr std::size_t kWindowsItemCount = 7;

// The main window, its panels, the assignment lists and the tray.
struct MainStrings {
  std::string_view productTitle;  // every language; also the tray tooltip
  std::string_view reset, cancel, save, config;
  std::string_view top, side;  // mouse view switch
  // Section titles of the left and right columns.
  std::string_view buttonAssignment, macroManager, xySensitivitySetting, cpiSetting, lighting,
      usbReportRate, mouseSpeed, doubleClickSpeed, scrollSpeed, angleSnap;
  std::string_view xAxis, yAxis;
  std::array<std::string_view, kButtonTitleCount> buttonTitle;  // "Button 1" … "Button 8"
  std::string_view cpiDialUp, cpiDialDown;
  std::string_view cpiLoop;  // every language
  std::string_view slow, fast;
  std::string_view numberOfRows, scrollOneScreen;
  std::string_view singleColor, pulsating, multiColor;  // lighting modes; multiColor ends with a space
  // Assignment list texts and default button labels.
  std::string_view mouseMButton, mouseScrollUp, mouseScrollDown, click, menu, scrollSelect, ieForward,
      ieBackward, cpiCycle;
  std::string_view windows;  // every language
  std::string_view multimedia, hotKey, singleKey, comboKey, macroKey, buttonOff, doubleClick;
  // Sub-list items in list order (MULTIMEDIA_USAGES, HOTKEY_LETTERS, the "Windows" commands).
  std::array<std::string_view, kMultimediaItemCount> multimediaItem;
  std::array<std::string_view, kHotKeyItemCount> hotKeyItem;
  std::array<std::string_view, kWindowsItemCount> windowsItem;
  std::string_view leftKeyMustBeSelected;
  std::string_view webAddress;  // every language; link text and link target
  // Balloon texts. A stage sentence ends with a space and is followed directly by the CPI value;
  // switchToMacroKey is followed directly by the macro number.
  std::array<std::string_view, kStageSentenceCount> switchCpiStage;
  std::string_view switchToMacroKey;
  std::string_view exit;  // tray menu
  std::string_view mouseNotDetected, mouseDetected;
  std::string_view infoTitle, warningTitle;  // every language: balloon and message box captions
};

// The default label of each button, in button order: the localised names of the factory functions.
using DefaultLabelTexts = std::array<std::string_view, kButtonTitleCount>;

// CMacroProgramDialog.
struct MacroManagerStrings {
  std::string_view ok, cancel;
  std::string_view title;  // painted title
  std::string_view selectMacro, keyPressSequence, recordOption, recordDelays, loopTimes;
  std::string_view newButton;
  std::string_view deleteButton;  // also the first context menu item
  std::string_view macroNameBase;  // new macros are named base + "_%d"
  std::string_view startRecording, stopRecording;
  std::string_view recordingTitle;  // window title while recording
  std::string_view insertLeftButton, insertMiddleButton, insertRightButton, insertDelay;
  std::string_view warning, macroLimit;
  std::string_view backgroundLoadFailed;  // every language
};

inline constexpr std::size_t kMacroRepeatModeCount = 3;

// CMacroDialog.
struct MacroKeyStrings {
  std::string_view ok, cancel;
  std::array<std::string_view, kMacroRepeatModeCount> repeatMode;  // indexed by the stored repeat mode
  std::string_view selectMacroPrompt;
  std::string_view backgroundLoadFailed;  // every language
};

// CConfigDialog.
struct ProfileManagerStrings {
  std::string_view title, name;
  std::string_view newButton, deleteItem, editItem, copyItem, loadItem, saveItem;
  std::string_view warning, profileLimit;
  // The right-click menu's links: the sub-menu, its item that asks for a typed id, the question it asks,
  // and the item that removes one link (%1 the application id).
  std::string_view linkItem, otherApplication, applicationPrompt, unlinkItem;
  std::string_view newProfilePrefix;  // every language; new names are prefix + "_%d"
  std::string_view backgroundLoadFailed;  // every language
};

// CSingleDialog.
struct SingleKeyStrings {
  std::string_view ok, cancel, prompt;
  std::string_view backgroundLoadFailed;  // every language
};

// CComboDialog.
struct ComboKeyStrings {
  std::string_view ok, cancel;
  std::string_view modifierLabel, firstKeyLabel, secondKeyLabel;  // over the three boxes
  std::string_view backgroundLoadFailed;  // every language
};

// CHelpDialog. Its link is MainStrings::webAddress.
struct HelpStrings {
  std::string_view ok, cancel;
  std::string_view updateText, versionText;  // every language
  std::string_view backgroundLoadFailed;  // every language
};

// The program's own questions and messages: the main window's, the macro manager's and the profile
// manager's refusals, the file choosers and the emulated mouse's menu. "%1" and "%2" stand for what
// FillIn puts in (names, paths, reasons from the file layer); the English texts are the ones korvanectl's
// messages and the tests know.
struct MessageStrings {
  // The main window.
  std::string_view watchFailed, nothingSent, valuesOutOfRange, noCurrentProfile, changedElsewhere, sendFailed,
      notStored;
  std::string_view saveWithoutMouse;  // follows MainStrings::mouseNotDetected after a blank line
  std::string_view factoryUnreadable, importIntoNewProfile, fileOutOfRange, nothingLoaded, nothingExported,
      discardForOtherProfile, listNotSaved, updaterMissing, cannotStart, discardOnExit, skinMissing;
  // The mouse is there but cannot be opened. accessDenied ends where the command to install the rule follows.
  std::string_view accessDenied, accessGroupHint, deviceBusy, copyCommand;
  // The macro manager.
  std::string_view macroNameBlank, macroNameSpaces, macroNameCharacters, macroNameTooLong, macroNameTaken,
      macroNamesTooLong, noMacroSelected, macroFileUnreadable, macroTooLong, macrosLeftOut;
  // The profile manager.
  std::string_view noSuchProfile, profileNameBlank, profileNameBreaks, profileNameTooLong, profileNameTaken,
      deleteProfile, lastProfile;
  // Application ids of the per-application profiles; %1 is the longest id.
  std::string_view applicationIdBlank, applicationIdCharacters, applicationIdTooLong;
  // The profile file choosers: titles and the file type.
  std::string_view importTitle, exportTitle, profileFilter;
  // Key captures: another program holds the keyboard, or the desktop keeps its shortcuts.
  std::string_view keyboardHeld;
  // The message boxes' buttons.
  std::string_view ok, yes, no;
  // The tray menu's item that starts the program with the desktop.
  std::string_view startWithDesktop;
  // The footer: the window's profile (%1), the mouse's when it holds another one (%1), the sign that Save
  // or Reset reached the mouse. Reset's question; the web link when no browser opens it (%1 the address).
  std::string_view profileShown, mouseHoldsProfile, savedSign, resetSign, resetQuestion, noBrowser;
  // The emulated mouse's menu (--emulate).
  std::string_view pressCpi, switchToMacro3, unplugMouse, plugMouse;
  // Profiles chosen from outside the window: the notice of a focus rule (%1 the profile, %2 the
  // application) and its question over unsaved edits; why a choice changed nothing (%1 the profile).
  std::string_view profileForApp, switchOverEdits, profileSwitchBusy, profileOverEdits, profileNotTaken;
};

// Caption of the background-image failure messages, every language.
inline constexpr std::string_view kErrorCaption = "error";

// A face with its pixel height (the character height) and weight on the 100–900 scale (400 normal,
// 700 bold), the scale QFont::Weight uses too.
struct FontSpec {
  std::string_view face;
  int pixelHeight;
  int weight;
};

struct FontTable {
  FontSpec mainText, mainTitle;
  FontSpec mainSmall;  // the main window's third font
  FontSpec macroManager;
  FontSpec singleKey;
  FontSpec dialog;  // macro key, combo-key, profile manager and help dialogs
};

const MainStrings& MainStringsFor(Language language);
// The start-up step that chooses MainStrings from "Lan".
const MainStrings& LoadMainStrings(std::string_view languageCode);
DefaultLabelTexts DefaultButtonLabels(Language language);

const MacroManagerStrings& MacroManagerStringsFor(Language language);
const MacroKeyStrings& MacroKeyStringsFor(Language language);
const ProfileManagerStrings& ProfileManagerStringsFor(Language language);
const SingleKeyStrings& SingleKeyStringsFor(Language language);
const ComboKeyStrings& ComboKeyStringsFor(Language language);
const HelpStrings& HelpStringsFor(Language language);

const MessageStrings& MessageStringsFor(Language language);
// The pattern with "%1" … "%9" replaced by the values in order; a "%" followed by anything else stays.
std::string FillIn(std::string_view pattern, std::initializer_list<std::string_view> values);

const FontTable& FontsFor(Language language);
// Faces to try, in order, after FontSpec::face: ones a Linux desktop has (the named faces usually are
// missing there) and that cover the language's script.
std::span<const std::string_view> FallbackFaces(Language language);
// The faces that stand in for one named face, closest first (tried before the language's fallbacks); none
// for a face without a known substitute.
std::span<const std::string_view> SubstituteFaces(std::string_view face);

}  // namespace korvane
