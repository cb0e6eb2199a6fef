#include "system/desktop_pointer.h"

#include <algorithm>
#include <charconv>

namespace korvane {

namespace {

// Where there is no desktop, nothing is set and nothing is said.
class NoDesktopPointer : public DesktopPointer {
 public:
  std::string_view name() const override { return "none"; }
  std::optional<Status> SetMouse(const std::array<int, 3>&) override { return std::nullopt; }
  std::optional<Status> SetMouseSpeed(int) override { return std::nullopt; }
  std::optional<Status> SetWheelScrollLines(std::uint32_t) override { return std::nullopt; }
  std::optional<Status> SetDoubleClickTime(int) override { return std::nullopt; }
};

struct Step {
  std::string_view failedMessage;
  std::function<std::optional<Status>(DesktopPointer&, const PointerSettings&)> set;
};

}  // namespace

std::string SignedUnitSpeed(int speed) {
  const double value = std::clamp((speed - 10) / 10.0, -1.0, 1.0);
  char text[16];
  const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 2).ptr;
  return std::string(text, end);
}

void ApplyPointerSettings(const MouseConfig& config, DesktopPointer& desktop, MessageSink& messages) {
  const PointerSettings settings = PointerSettingsOf(config);
  const Step steps[] = {
      {"SETMOUSE failed.", [](DesktopPointer& d, const PointerSettings& s) { return d.SetMouse(s.mouseThresholds); }},
      {"SETMOUSESPEED failed.",
       [](DesktopPointer& d, const PointerSettings& s) { return d.SetMouseSpeed(s.pointerSpeed); }},
      {"SETWHEELSCROLLLINES failed.",
       [](DesktopPointer& d, const PointerSettings& s) { return d.SetWheelScrollLines(s.wheelScrollLines); }},
      {"SPI_SETDOUBLECLICKTIME failed.",
       [](DesktopPointer& d, const PointerSettings& s) { return d.SetDoubleClickTime(s.doubleClickTimeMs); }},
  };
  for (const Step& step : steps) {
    const std::optional<Status> result = step.set(desktop, settings);
    if (result && !result->ok()) {
      messages.ShowMessage(std::string(step.failedMessage) + "\n" + result->message(), "Warning");
    }
  }
}

bool IsWaylandSession(const SessionEnvironment& session) {
  // A session started without a login manager may lack its type; its Wayland socket tells then.
  return session.sessionType == "wayland" || (session.sessionType != "x11" && !session.waylandDisplay.empty());
}

DesktopKind DesktopKindFrom(const SessionEnvironment& session) {
  // sway exports its socket to everything it starts, whatever else the session says.
  if (!session.swaySocket.empty()) return DesktopKind::kSway;
  const bool wayland = IsWaylandSession(session);
  // Desktops that keep their pointer settings in GNOME's schema, on X and on Wayland alike.
  constexpr std::string_view kGnomeFamily[] = {"GNOME", "Unity", "Budgie", "Pantheon", "X-Cinnamon-GNOME"};
  const std::string_view desktops = session.currentDesktop;
  std::size_t start = 0;
  while (start <= desktops.size()) {
    const std::size_t end = std::min(desktops.find(':', start), desktops.size());
    const std::string_view entry = desktops.substr(start, end - start);
    if (entry == "KDE") return wayland ? DesktopKind::kKWinWayland : DesktopKind::kKde;
    if (entry == "sway") return DesktopKind::kSway;
    for (const std::string_view gnome : kGnomeFamily) {
      if (entry == gnome) return DesktopKind::kGnome;
    }
    start = end + 1;
  }
  if (wayland) return DesktopKind::kNone;
  return session.display.empty() ? DesktopKind::kNone : DesktopKind::kXServer;
}

std::unique_ptr<DesktopPointer> MakeNoDesktopPointer() { return std::make_unique<NoDesktopPointer>(); }

}  // namespace korvane
