#pragma once

#include <string>
#include <utility>

#include "keys/button_catalogue.h"

// Button choices as the tests write them.
namespace korvane::testing::choices {

inline ButtonChoice Kind(ButtonKind kind, int position = 0) {
  ButtonChoice choice;
  choice.kind = kind;
  choice.position = position;
  return choice;
}

inline ButtonChoice Single(std::string key) {
  ButtonChoice choice = Kind(ButtonKind::SingleKey);
  choice.keyName = std::move(key);
  return choice;
}

inline ButtonChoice Combo(std::string modifier, std::string first, std::string second) {
  ButtonChoice choice = Kind(ButtonKind::ComboKey);
  choice.modifierName = std::move(modifier);
  choice.keyName = std::move(first);
  choice.secondKeyName = std::move(second);
  return choice;
}

inline ButtonChoice Macro(int number, Byte mode, std::string name) {
  ButtonChoice choice = Kind(ButtonKind::MacroKey);
  choice.macroNumber = number;
  choice.repeatMode = mode;
  choice.macroName = std::move(name);
  return choice;
}

}  // namespace korvane::testing::choices
