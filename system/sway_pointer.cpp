#include "system/desktop_pointer.h"

namespace korvane {

namespace {

// sway sets libinput's speed and profile of every pointer (touchpads are a type of their own) in the
// running compositor; its configuration file is the user's and stays as it is.
class SwayPointer : public DesktopPointer {
 public:
  explicit SwayPointer(ProgramRunner run) : run_(std::move(run)) {}

  std::string_view name() const override { return "sway"; }
  std::optional<Status> SetMouse(const std::array<int, 3>& thresholds) override {
    return Input("accel_profile", thresholds[2] != 0 ? "adaptive" : "flat");
  }
  std::optional<Status> SetMouseSpeed(int speed) override { return Input("pointer_accel", SignedUnitSpeed(speed)); }
  std::optional<Status> SetWheelScrollLines(std::uint32_t) override { return std::nullopt; }
  std::optional<Status> SetDoubleClickTime(int) override { return std::nullopt; }

 private:
  // "--" ends swaymsg's options, or a slow speed such as -0.50 would be taken for one.
  Status Input(std::string_view setting, std::string value) {
    return run_({"swaymsg", "--", "input", "type:pointer", std::string(setting), std::move(value)});
  }

  ProgramRunner run_;
};

}  // namespace

std::unique_ptr<DesktopPointer> MakeSwayPointer(ProgramRunner run) {
  return std::make_unique<SwayPointer>(std::move(run));
}

}  // namespace korvane
