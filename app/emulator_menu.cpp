#include "app/emulator_menu.h"

namespace korvane {

std::vector<EmulatorMenuItem> EmulatorMenuItems(const EmulatedMouse& mouse) {
  return {
      {EmulatorAction::kPressCpi, "Press the CPI button"},
      {EmulatorAction::kSwitchToMacro3, "Switch to macro 3"},
      mouse.pluggedIn() ? EmulatorMenuItem{EmulatorAction::kUnplug, "Unplug the mouse"}
                        : EmulatorMenuItem{EmulatorAction::kPlug, "Plug the mouse in"},
  };
}

void RunEmulatorAction(EmulatedMouse& mouse, EmulatorAction action) {
  switch (action) {
    case EmulatorAction::kPressCpi: mouse.PressCpiButton(); break;
    case EmulatorAction::kSwitchToMacro3: mouse.SwitchMacro(3); break;
    case EmulatorAction::kUnplug: mouse.Unplug(); break;
    case EmulatorAction::kPlug: mouse.Plug(); break;
  }
}

}  // namespace korvane
