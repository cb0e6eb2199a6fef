#pragma once

#include <QKeyEvent>
#include <string>

namespace korvane {

// The key tables' name for a key event's key, from the codes the system gave it (the X11 keysym on Linux;
// the virtual key and scan code on Windows); empty for an event that carries none.
std::string KeyNameOf(const QKeyEvent& key);

}  // namespace korvane
