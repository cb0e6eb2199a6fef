#include "system/desktop_pointer.h"

namespace korvane {

namespace {

constexpr std::string_view kMouseSchema = "org.gnome.desktop.peripherals.mouse";

class GSettingsPointer : public DesktopPointer {
 public:
  explicit GSettingsPointer(ProgramRunner run) : run_(std::move(run)) {}

  std::string_view name() const override { return "GSettings"; }
  std::optional<Status> SetMouse(const std::array<int, 3>& thresholds) override {
    return Set("accel-profile", thresholds[2] != 0 ? "adaptive" : "flat");
  }
  std::optional<Status> SetMouseSpeed(int speed) override { return Set("speed", SignedUnitSpeed(speed)); }
  std::optional<Status> SetWheelScrollLines(std::uint32_t) override { return std::nullopt; }
  std::optional<Status> SetDoubleClickTime(int milliseconds) override {
    return Set("double-click", std::to_string(milliseconds));
  }

 private:
  Status Set(std::string_view key, std::string value) {
    return run_({"gsettings", "set", std::string(kMouseSchema), std::string(key), std::move(value)});
  }

  ProgramRunner run_;
};

}  // namespace

std::unique_ptr<DesktopPointer> MakeGSettingsPointer(ProgramRunner run) {
  return std::make_unique<GSettingsPointer>(std::move(run));
}

}  // namespace korvane
