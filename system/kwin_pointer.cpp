#include "system/desktop_pointer.h"

#include <algorithm>
#include <cctype>

namespace korvane {

namespace {

using Argv = std::vector<std::string>;

constexpr std::string_view kManagerPath = "/org/kde/KWin/InputDevice";
constexpr std::string_view kManagerInterface = "org.kde.KWin.InputDeviceManager";
constexpr std::string_view kDeviceInterface = "org.kde.KWin.InputDevice";

// What the bus answers when KWin has no such object, or no such property on it: a KWin without libinput
// (a virtual or nested one) has no input devices at all.
constexpr std::string_view kNotThere[] = {
    "org.freedesktop.DBus.Error.UnknownObject", "org.freedesktop.DBus.Error.UnknownInterface",
    "org.freedesktop.DBus.Error.UnknownMethod", "org.freedesktop.DBus.Error.UnknownProperty"};
// A device unplugged since KWin listed it.
constexpr std::string_view kDeviceGone = "org.freedesktop.DBus.Error.UnknownObject";

bool IsNotThere(const Status& status) {
  return std::any_of(std::begin(kNotThere), std::end(kNotThere),
                     [&](std::string_view error) { return status.message().find(error) != std::string::npos; });
}

// The words of a dbus-send --print-reply answer after its "method return …" line, a quoted string
// (quotes kept) being one word; nullopt for anything else.
std::optional<std::vector<std::string_view>> ReplyWords(std::string_view reply) {
  constexpr std::string_view kHeader = "method return ";
  const std::size_t newline = reply.find('\n');
  if (!reply.starts_with(kHeader) || newline == std::string_view::npos) return std::nullopt;
  std::vector<std::string_view> words;
  std::size_t at = newline + 1;
  for (;;) {
    while (at < reply.size() && std::isspace(static_cast<unsigned char>(reply[at]))) ++at;
    if (at == reply.size()) return words;
    std::size_t end = at;
    if (reply[at] == '"') {
      end = reply.find('"', at + 1);
      if (end == std::string_view::npos) return std::nullopt;
      ++end;
    } else {
      while (end < reply.size() && !std::isspace(static_cast<unsigned char>(reply[end]))) ++end;
    }
    words.push_back(reply.substr(at, end - at));
    at = end;
  }
}

// `variant boolean true`
std::optional<bool> BooleanOf(std::string_view reply) {
  const auto words = ReplyWords(reply);
  if (!words || words->size() != 3 || (*words)[0] != "variant" || (*words)[1] != "boolean") return std::nullopt;
  if ((*words)[2] == "true") return true;
  if ((*words)[2] == "false") return false;
  return std::nullopt;
}

// `variant array [ string "event3" string "event7" ]`, keeping only names that can be an element of an
// object path.
std::optional<std::vector<std::string>> StringsOf(std::string_view reply) {
  const auto words = ReplyWords(reply);
  if (!words || words->size() < 4 || words->size() % 2 != 0 || (*words)[0] != "variant" ||
      (*words)[1] != "array" || (*words)[2] != "[" || words->back() != "]") {
    return std::nullopt;
  }
  std::vector<std::string> strings;
  for (std::size_t i = 3; i + 1 < words->size(); i += 2) {
    const std::string_view quoted = (*words)[i + 1];
    if ((*words)[i] != "string" || quoted.size() < 2 || quoted.front() != '"' || quoted.back() != '"') {
      return std::nullopt;
    }
    const std::string_view name = quoted.substr(1, quoted.size() - 2);
    const bool element = !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
      return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
    });
    if (element) strings.emplace_back(name);
  }
  return strings;
}

// KWin on Wayland ignores the pointer settings of kcminputrc's [Mouse] group: it keeps speed and profile
// per device, takes them over the session bus, and saves them itself. The settings of the applications
// (double-click, wheel lines) stay where Plasma keeps them on X.
class KWinPointer : public DesktopPointer {
 public:
  explicit KWinPointer(ProgramOutputRunner run)
      : run_(std::move(run)), plasma_(MakeKdePointer([this](const Argv& argv) {
          std::string ignored;
          return run_(argv, ignored);
        })) {}

  std::string_view name() const override { return "KDE Plasma (Wayland)"; }
  std::optional<Status> SetMouse(const std::array<int, 3>& thresholds) override {
    return SetOnMice("pointerAccelerationProfileFlat", thresholds[2] != 0 ? "boolean:false" : "boolean:true");
  }
  std::optional<Status> SetMouseSpeed(int speed) override {
    return SetOnMice("pointerAcceleration", "double:" + SignedUnitSpeed(speed));
  }
  std::optional<Status> SetWheelScrollLines(std::uint32_t lines) override { return plasma_->SetWheelScrollLines(lines); }
  std::optional<Status> SetDoubleClickTime(int milliseconds) override {
    return plasma_->SetDoubleClickTime(milliseconds);
  }

 private:
  Status Call(const std::string& path, Argv call, std::string& reply) {
    Argv argv{"dbus-send", "--session", "--print-reply", "--dest=org.kde.KWin", path};
    argv.insert(argv.end(), std::make_move_iterator(call.begin()), std::make_move_iterator(call.end()));
    return run_(argv, reply);
  }

  Status Get(const std::string& path, std::string_view interface, std::string_view property, std::string& reply) {
    return Call(path,
                {"org.freedesktop.DBus.Properties.Get", "string:" + std::string(interface),
                 "string:" + std::string(property)},
                reply);
  }

  static Status Unexpected(std::string_view what) {
    return Status::Failure("KWin gave an unexpected answer for " + std::string(what));
  }

  // Whether a device of KWin's has `property` set; nullopt (and `status` ok) for a device that is gone.
  std::optional<bool> Has(const std::string& path, std::string_view property, Status& status) {
    std::string reply;
    status = Get(path, kDeviceInterface, property, reply);
    if (!status) {
      if (status.message().find(kDeviceGone) != std::string::npos) status = Status::Ok();
      return std::nullopt;
    }
    const std::optional<bool> value = BooleanOf(reply);
    if (!value) status = Unexpected(std::string(property) + " of " + path);
    return value;
  }

  // The object paths of KWin's mice (pointers that are not touchpads); none where KWin has no input devices.
  Status FindMice(std::vector<std::string>& mice) {
    std::string reply;
    const Status listed = Get(std::string(kManagerPath), kManagerInterface, "devicesSysNames", reply);
    if (!listed) return IsNotThere(listed) ? Status::Ok() : listed;
    const std::optional<std::vector<std::string>> names = StringsOf(reply);
    if (!names) return Unexpected("devicesSysNames");
    for (const std::string& name : *names) {
      const std::string path = std::string(kManagerPath) + "/" + name;
      Status status;
      const std::optional<bool> pointer = Has(path, "pointer", status);
      if (!status) return status;
      if (!pointer.value_or(false)) continue;
      const std::optional<bool> touchpad = Has(path, "touchpad", status);
      if (!status) return status;
      if (touchpad == false) mice.push_back(path);
    }
    return Status::Ok();
  }

  // Every mouse is tried; the first refusal is the answer.
  std::optional<Status> SetOnMice(std::string_view property, const std::string& value) {
    std::vector<std::string> mice;
    const Status found = FindMice(mice);
    if (!found) return found;
    if (mice.empty()) return std::nullopt;
    Status result = Status::Ok();
    for (const std::string& path : mice) {
      std::string reply;
      const Status set = Call(path,
                              {"org.freedesktop.DBus.Properties.Set", "string:" + std::string(kDeviceInterface),
                               "string:" + std::string(property), "variant:" + value},
                              reply);
      if (!set && result && set.message().find(kDeviceGone) == std::string::npos) {
        result = Status::Failure("KWin did not take " + std::string(property) + " for " +
                                 path.substr(kManagerPath.size() + 1) + ": " + set.message());
      }
    }
    return result;
  }

  ProgramOutputRunner run_;
  std::unique_ptr<DesktopPointer> plasma_;
};

}  // namespace

std::unique_ptr<DesktopPointer> MakeKWinPointer(ProgramOutputRunner run) {
  return std::make_unique<KWinPointer>(std::move(run));
}

}  // namespace korvane
