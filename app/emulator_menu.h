#pragma once

#include <string_view>
#include <vector>

#include "device/emulated_mouse.h"
#include "text/strings.h"

namespace korvane {

// With --emulate the tray menu and the main window's right-click menu can make the emulated mouse do
// what a user does with a real one. Its firmware reports each change, and the program reads it back
// through the link, so every message can be seen without hardware.
enum class EmulatorAction { kPressCpi, kSwitchToMacro3, kUnplug, kPlug };

struct EmulatorMenuItem {
  EmulatorAction action;
  std::string_view text;
};

// The items in menu order; the last one toggles between unplugging and plugging in.
std::vector<EmulatorMenuItem> EmulatorMenuItems(const EmulatedMouse& mouse, Language language);
void RunEmulatorAction(EmulatedMouse& mouse, EmulatorAction action);

}  // namespace korvane
