#include "system/desktop_pointer.h"

namespace korvane {

namespace {

// Plasma keeps its input settings in files of the user's that kwriteconfig edits; the input settings
// module applies them when Plasma reloads them.
class KdePointer : public DesktopPointer {
 public:
  explicit KdePointer(ProgramRunner run) : run_(std::move(run)) {}

  std::string_view name() const override { return "KDE Plasma"; }
  std::optional<Status> SetMouse(const std::array<int, 3>& thresholds) override {
    return Write("kcminputrc", "Mouse", "XLbInptAccelProfileFlat", thresholds[2] != 0 ? "false" : "true");
  }
  std::optional<Status> SetMouseSpeed(int speed) override {
    return Write("kcminputrc", "Mouse", "XLbInptPointerAcceleration", SignedUnitSpeed(speed));
  }
  std::optional<Status> SetWheelScrollLines(std::uint32_t lines) override {
    if (lines == kWheelPageScroll) return std::nullopt;  // Plasma has no "one screen per notch"
    return Write("kcminputrc", "Mouse", "WheelScrollLines", std::to_string(lines));
  }
  std::optional<Status> SetDoubleClickTime(int milliseconds) override {
    return Write("kdeglobals", "KDE", "DoubleClickInterval", std::to_string(milliseconds));
  }

 private:
  Status Write(std::string_view file, std::string_view group, std::string_view key, std::string value) {
    auto argv = [&](std::string_view program) {
      return std::vector<std::string>{std::string(program), "--file",         std::string(file), "--group",
                                      std::string(group),   "--key",          std::string(key),  value};
    };
    Status status = run_(argv("kwriteconfig6"));
    if (!status && status.message().find("not installed") != std::string::npos) status = run_(argv("kwriteconfig5"));
    return status;
  }

  ProgramRunner run_;
};

}  // namespace

std::unique_ptr<DesktopPointer> MakeKdePointer(ProgramRunner run) { return std::make_unique<KdePointer>(std::move(run)); }

}  // namespace korvane
