#include "keys/keysym_names.h"

#include <array>
#include <cstdio>
#include <string_view>

#include "common/utf8.h"
#include "keys/name_text.h"

namespace korvane {
namespace {

struct KeysymName {
  std::uint32_t keysym;
  std::string_view name;
};

// Keysyms whose name is not the character they stand for.
constexpr KeysymName KEYSYM_NAMES[] = {
    {0x0020, "Space"},
    // Shifted symbols of the US layout are named after their key.
    {0x0021, "1"}, {0x0040, "2"}, {0x0023, "3"}, {0x0024, "4"}, {0x0025, "5"}, {0x005E, "6"},
    {0x0026, "7"}, {0x002A, "8"}, {0x0028, "9"}, {0x0029, "0"}, {0x005F, "-"}, {0x002B, "="},
    {0x007B, "["}, {0x007D, "]"}, {0x007C, "\\"}, {0x003A, ";"}, {0x0022, "'"}, {0x007E, "`"},
    {0x003C, ","}, {0x003E, "."}, {0x003F, "/"},
    {0xFF08, "Backspace"}, {0xFF09, "Tab"}, {0xFE20, "Tab"},  // ISO_Left_Tab is Shift+Tab
    {0xFF0D, "Enter"}, {0xFF13, "Pause"}, {0xFF6B, "Break"}, {0xFF14, "Scroll Lock"},
    {0xFF15, "Sys Req"}, {0xFF1B, "Esc"}, {0xFFE5, "Caps Lock"},
    {0xFF50, "Home"}, {0xFF51, "Left"}, {0xFF52, "Up"}, {0xFF53, "Right"}, {0xFF54, "Down"},
    {0xFF55, "Page Up"}, {0xFF56, "Page Down"}, {0xFF57, "End"}, {0xFF61, "Prnt Scrn"},
    {0xFF63, "Insert"}, {0xFFFF, "Delete"}, {0xFF67, "Application"},
    {0xFF7F, "Num Lock"}, {0xFF8D, "Num Enter"}, {0xFFAF, "Num /"}, {0xFFAA, "Num *"},
    {0xFFAD, "Num -"}, {0xFFAB, "Num +"}, {0xFFBD, "Num ="},
    {0xFFB0, "Num 0"}, {0xFFB1, "Num 1"}, {0xFFB2, "Num 2"}, {0xFFB3, "Num 3"}, {0xFFB4, "Num 4"},
    {0xFFB5, "Num 5"}, {0xFFB6, "Num 6"}, {0xFFB7, "Num 7"}, {0xFFB8, "Num 8"}, {0xFFB9, "Num 9"},
    {0xFFAE, "Num Del"}, {0xFFAC, "Num Del"},  // KP_Decimal, KP_Separator
    // The keypad with Num Lock off.
    {0xFF9E, "Num 0"}, {0xFF9C, "Num 1"}, {0xFF99, "Num 2"}, {0xFF9B, "Num 3"}, {0xFF96, "Num 4"},
    {0xFF9D, "Num 5"}, {0xFF98, "Num 6"}, {0xFF95, "Num 7"}, {0xFF97, "Num 8"}, {0xFF9A, "Num 9"},
    {0xFF9F, "Num Del"},
    {0xFFE3, "Ctrl"}, {0xFFE1, "Shift"}, {0xFFE9, "Alt"}, {0xFFEB, "Left Windows"},
    {0xFFE4, "Right Ctrl"}, {0xFFE2, "Right Shift"}, {0xFFEA, "Right Alt"},
    {0xFE03, "Right Alt"},  // ISO_Level3_Shift (AltGr)
    {0xFFEC, "Right Windows"},
    {0x1008FF11, "Volume Down"}, {0x1008FF12, "Mute"}, {0x1008FF13, "Volume Up"},
    {0x1008FF14, "Play/Pause"}, {0x1008FF31, "Play/Pause"}, {0x1008FF15, "Stop"},
    {0x1008FF16, "Pre Track"}, {0x1008FF17, "Next Track"}, {0x1008FF18, "Browser-Home"},
    {0x1008FF19, "Mail"}, {0x1008FF1B, "Search"}, {0x1008FF26, "Browser Back"},
    {0x1008FF27, "Browser Forward"}, {0x1008FF1D, "Calculator"},
};

constexpr std::uint32_t kFirstFunctionKey = 0xFFBE;  // F1
constexpr std::uint32_t kLastFunctionKey = 0xFFD5;   // F24
constexpr std::uint32_t kUnicodeKeysymBase = 0x01000000;

// Letter keys are named by their capital, in Latin-1 as in ASCII.
std::uint32_t Capital(std::uint32_t codePoint) {
  if (codePoint >= 'a' && codePoint <= 'z') return codePoint - 0x20;
  if (codePoint >= 0xE0 && codePoint <= 0xFE && codePoint != 0xF7) return codePoint - 0x20;
  return codePoint;
}

bool IsPrintable(std::uint32_t codePoint) {
  return codePoint > 0x20 && codePoint <= 0x10FFFF && !(codePoint >= 0x7F && codePoint <= 0xA0) &&
         !(codePoint >= 0xD800 && codePoint <= 0xDFFF);
}

}  // namespace

std::string KeyNameFromKeysym(std::uint32_t keysym) {
  for (const KeysymName& row : KEYSYM_NAMES) {
    if (row.keysym == keysym) return std::string(row.name);
  }
  if (keysym >= kFirstFunctionKey && keysym <= kLastFunctionKey) {
    return "F" + std::to_string(keysym - kFirstFunctionKey + 1);
  }
  // Latin-1 keysyms are their code points; others carry the code point above 0x01000000.
  std::uint32_t codePoint = 0;
  if (keysym <= 0xFF) codePoint = keysym;
  else if (keysym >= kUnicodeKeysymBase) codePoint = keysym - kUnicodeKeysymBase;
  if (IsPrintable(codePoint)) {
    std::string name;
    AppendUtf8(name, Capital(codePoint));
    return CutName(name);
  }

  char fallback[24];
  std::snprintf(fallback, sizeof fallback, "Key 0x%X", static_cast<unsigned>(keysym));
  return fallback;
}

}  // namespace korvane
