#pragma once

namespace korvane {

// The running program on the session bus: its name (on Windows, the name of an event object in the
// user's session), and the object and interface that packaging/dbus/org.tellurix.Korvane1.xml describes.
inline constexpr char kProgramServiceName[] = "org.tellurix.Korvane";
inline constexpr char kProgramObjectPath[] = "/org/tellurix/Korvane";
inline constexpr char kProgramInterface[] = "org.tellurix.Korvane1";

}  // namespace korvane
