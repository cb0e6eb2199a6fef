#include "cli/window_handoff.h"

#include <string>
#include <vector>

#include "app/program_bus.h"
#include "common/path_text.h"
#include "common/text.h"

namespace korvane::cli {

namespace {

std::vector<std::string> Call(std::string_view member, std::vector<std::string> arguments) {
  std::vector<std::string> argv = {"dbus-send", "--session", "--print-reply=literal", "--reply-timeout=4000",
                                   std::string("--dest=") + kProgramServiceName, kProgramObjectPath,
                                   std::string(member)};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  return argv;
}

bool SameFolder(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code error;
  return std::filesystem::equivalent(a, b, error);
}

}  // namespace

WindowAnswer AskWindowToUseProfile(const std::filesystem::path& folder, int position, const ProgramOutputRunner& run) {
  if (!run) return {};
  std::string output;
  // No bus, no window, or an older window without the property: nothing to hand over.
  const std::string interface = kProgramInterface;
  if (!run(Call("org.freedesktop.DBus.Properties.Get", {"string:" + interface, "string:Folder"}), output)) {
    return {};
  }
  // "   variant       /home/…/korvane"
  std::string_view answer = TrimmedBlanks(output);
  if (answer.starts_with("variant")) answer = TrimmedBlanks(answer.substr(7));
  if (!SameFolder(PathFromUtf8(answer), folder)) return {};
  const Status used = run(Call(interface + ".UseProfile", {"int32:" + std::to_string(position)}), output);
  if (used) return {true, Status::Ok()};
  // The window's refusal, in its words, without dbus-send's wrapping.
  const std::string& message = used.message();
  const std::size_t mark = message.find("Error " + interface + ".Error.");
  const std::size_t colon = mark == std::string::npos ? mark : message.find(": ", mark);
  return {true, Status::Failure("the running window did not switch: " +
                                (colon == std::string::npos ? message : message.substr(colon + 2)))};
}

}  // namespace korvane::cli
