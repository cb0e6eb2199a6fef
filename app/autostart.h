#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "common/status.h"

namespace korvane {

// "Start with the desktop": an entry in the user's autostart folder that the desktop runs at login, which
// starts Korvane hidden in the tray.
inline constexpr std::string_view kAutostartFileName = "org.tellurix.Korvane.desktop";

// The entry's text: executable started with --hidden, and with --home home when home is not empty. Both
// paths are quoted for the Exec line as desktops parse it. Empty when a path holds a control character,
// which an entry cannot carry.
std::string AutostartEntry(const std::filesystem::path& executable, const std::filesystem::path& home);

class Autostart {
 public:
  // executable: empty when the system cannot tell it; home: empty when the program uses its own folder.
  Autostart(std::filesystem::path file, std::filesystem::path executable, std::filesystem::path home);
  // The program as it runs now: the file in the autostart folder of the user's configuration folder
  // (XdgConfigHome), the running executable, and the --home folder (empty for none) made absolute, since
  // the desktop starts the entry from another folder.
  static Autostart ForThisProgram(const std::string& home);

  const std::filesystem::path& file() const { return file_; }
  // The entry exists and the user has not hidden it (Hidden=true turns an entry off).
  bool IsOn() const;
  // Writes the entry, creating the autostart folder; an entry already there is replaced.
  Status Enable() const;
  // Removes the entry; none there is fine.
  Status Disable() const;

 private:
  std::filesystem::path file_;
  std::filesystem::path executable_;
  std::filesystem::path home_;
};

}  // namespace korvane
