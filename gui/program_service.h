#pragma once

#include <functional>

#include "app/main_controller.h"
#include "app/program_bus.h"

namespace korvane {

// The running program's own name on the session bus (kProgramServiceName; on Windows, an event object),
// so that starting it again can bring its window back, and scripts and the desktop can choose profiles
// and tell it which application has the focus.

// Registers the name and the interface org.tellurix.Korvane1 at /org/tellurix/Korvane (Linux; see
// packaging/dbus/org.tellurix.Korvane1.xml), which calls show for every "Show" request and asks the
// controller for the rest. Windows offers Show only. False when there is no session bus or the name is
// taken.
bool OfferProgramService(MainController& controller, std::function<void()> show);
// Asks the running program to show its window; false when nothing answered.
bool AskRunningProgramToShow();

}  // namespace korvane
