#include "app/autostart.h"

#include <algorithm>
#include <system_error>

#include "common/executable_path.h"
#include "common/file_io.h"
#include "common/path_text.h"
#include "common/text.h"
#include "common/user_folders.h"

namespace korvane {

namespace {

// An argument holding any of these must be quoted on an Exec line.
constexpr std::string_view kReservedInExec = " \t\n\"'\\><~|&;$*?#()`";
// Inside quotes these keep their meaning only behind a backslash.
constexpr std::string_view kEscapedInQuotes = "\"`$\\";
constexpr std::string_view kEntryGroup = "[Desktop Entry]";

bool HasControlCharacter(std::string_view text) {
  return std::any_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == '\x7f'; });
}

// One argument as the Exec value holds it. Desktops first undo the value's string escapes (a doubled
// backslash), then split the line into arguments, then turn "%%" into "%" (a single "%" starts a field
// code), so a literal backslash inside quotes takes four.
std::string ExecArgument(std::string_view argument) {
  const bool quoted = argument.find_first_of(kReservedInExec) != std::string_view::npos;
  std::string value;
  if (quoted) value += '"';
  for (const char c : argument) {
    if (quoted && kEscapedInQuotes.find(c) != std::string_view::npos) value += "\\\\";
    if (c == '%') value += '%';
    value += c == '\\' ? "\\\\" : std::string(1, c);
  }
  if (quoted) value += '"';
  return value;
}

// Hidden=true in the [Desktop Entry] group.
bool IsHiddenEntry(std::string_view text) {
  bool inEntryGroup = false;
  while (!text.empty()) {
    const auto end = text.find('\n');
    const std::string_view line = TrimmedBlanks(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.empty() || line.front() == '#') continue;
    if (line.front() == '[') {
      inEntryGroup = line == kEntryGroup;
      continue;
    }
    const auto equals = line.find('=');
    if (inEntryGroup && equals != std::string_view::npos && TrimmedBlanks(line.substr(0, equals)) == "Hidden") {
      return TrimmedBlanks(line.substr(equals + 1)) == "true";
    }
  }
  return false;
}

}  // namespace

std::string AutostartEntry(const std::filesystem::path& executable, const std::filesystem::path& home) {
  const std::string program = PathToUtf8(executable);
  const std::string folder = PathToUtf8(home);
  if (HasControlCharacter(program) || HasControlCharacter(folder)) return {};
  std::string exec = ExecArgument(program) + " --hidden";
  if (!home.empty()) exec += " --home " + ExecArgument(folder);
  return std::string(kEntryGroup) +
         "\n"
         "Type=Application\n"
         "Name=Korvane\n"
         "Comment=Settings of the Tellurix Korvane mouse, in the system tray\n"
         "Exec=" + exec + "\n"
         "Icon=korvane\n"
         "X-GNOME-Autostart-enabled=true\n";
}

Autostart::Autostart(std::filesystem::path file, std::filesystem::path executable, std::filesystem::path home)
    : file_(std::move(file)), executable_(std::move(executable)), home_(std::move(home)) {}

Autostart Autostart::ForThisProgram(const std::string& home) {
  std::filesystem::path folder;
  if (!home.empty()) {
    std::error_code error;
    folder = std::filesystem::absolute(PathFromUtf8(home), error).lexically_normal();
    if (error) folder = PathFromUtf8(home);
  }
  const std::filesystem::path config = XdgConfigHome();
  std::filesystem::path file = config.empty() ? config : config / "autostart" / kAutostartFileName;
  return Autostart(std::move(file), RunningExecutable(), std::move(folder));
}

bool Autostart::IsOn() const {
  if (file_.empty()) return false;
  const auto text = ReadWholeFile(file_);
  return text && !IsHiddenEntry(*text);
}

Status Autostart::Enable() const {
  const std::string failed = "Korvane cannot be set to start with the desktop: ";
  if (file_.empty()) {
    return Status::Failure(failed + "the configuration folder is unknown: neither XDG_CONFIG_HOME nor HOME "
                                    "is an absolute path, and the user database names no home folder.");
  }
  if (executable_.empty()) {
    return Status::Failure(failed + "the system does not tell where the running program is.");
  }
  // Once the program's file has been replaced, /proc names the old one "... (deleted)".
  std::error_code error;
  if (!std::filesystem::is_regular_file(executable_, error)) {
    return Status::Failure(failed + "the running program's file " + PathToUtf8(executable_) +
                           " is gone. Start Korvane again and retry.");
  }
  const std::string entry = AutostartEntry(executable_, home_);
  if (entry.empty()) {
    return Status::Failure(failed + "the path of the program or of its folder holds a control character, "
                                    "which an autostart entry cannot carry.");
  }
  std::filesystem::create_directories(file_.parent_path(), error);
  if (error) {
    return Status::Failure(failed + "cannot create the folder " + PathToUtf8(file_.parent_path()) + ": " +
                               error.message() + ".",
                           error.value());
  }
  const Status written = WriteFileReplacing(file_, entry);
  if (!written) return Status::Failure(failed + written.message() + ".", written.errorCode());
  return Status::Ok();
}

Status Autostart::Disable() const {
  if (file_.empty()) return Status::Ok();
  std::error_code error;
  std::filesystem::remove(file_, error);
  if (error) {
    return Status::Failure("Korvane cannot stop starting with the desktop: cannot remove " + PathToUtf8(file_) +
                               ": " + error.message() + ".",
                           error.value());
  }
  return Status::Ok();
}

}  // namespace korvane
