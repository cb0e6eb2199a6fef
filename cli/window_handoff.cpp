#include "cli/window_handoff.h"

#include <string>
#include <vector>

#include "common/path_text.h"

namespace korvane::cli {

namespace {

constexpr std::string_view kErrorMark = "Error org.tellurix.Korvane1.Error.";

std::vector<std::string> Call(std::string_view member, std::vector<std::string> arguments) {
  std::vector<std::string> argv = {"dbus-send", "--session", "--print-reply=literal", "--reply-timeout=4000",
                                   "--dest=org.tellurix.Korvane", "/org/tellurix/Korvane", std::string(member)};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  return argv;
}

std::string Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t\n");
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(" \t\n");
  return std::string(text.substr(first, last - first + 1));
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
  if (!run(Call("org.freedesktop.DBus.Properties.Get", {"string:org.tellurix.Korvane1", "string:Folder"}), output)) {
    return {};
  }
  // "   variant       /home/…/korvane"
  std::string answer = Trimmed(output);
  if (answer.starts_with("variant")) answer = Trimmed(std::string_view(answer).substr(7));
  if (!SameFolder(PathFromUtf8(answer), folder)) return {};
  const Status used = run(Call("org.tellurix.Korvane1.UseProfile", {"int32:" + std::to_string(position)}), output);
  if (used) return {true, Status::Ok()};
  // The window's refusal, in its words, without dbus-send's wrapping.
  const std::string& message = used.message();
  const std::size_t mark = message.find(kErrorMark);
  const std::size_t colon = mark == std::string::npos ? mark : message.find(": ", mark);
  return {true, Status::Failure("the running window did not switch: " +
                                (colon == std::string::npos ? message : message.substr(colon + 2)))};
}

}  // namespace korvane::cli
