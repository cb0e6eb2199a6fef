#include "app/emulator_menu.h"

namespace korvane {

std::vector<EmulatorMenuItem> EmulatorMenuItems(const EmulatedMouse& mouse, Language language) {
  const MessageStrings& text = MessageStringsFor(language);
  return {
      {EmulatorAction::kPressCpi, text.pressCpi},
      {EmulatorAction::kSwitchToMacro3, text.switchToMacro3},
      mouse.pluggedIn() ? EmulatorMenuItem{EmulatorAction::kUnplug, text.unplugMouse}
                        : EmulatorMenuItem{EmulatorAction::kPlug, text.plugMouse},
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
