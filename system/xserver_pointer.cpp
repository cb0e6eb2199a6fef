#include "system/desktop_pointer.h"

namespace korvane {

namespace {

// Without precision, movement below this many pixels per report is not accelerated.
constexpr int kPrecisionThreshold = 4;

// The X server's core pointer control: an acceleration (a fraction) that applies above a threshold, as
// `xset m` sets it. Precision and speed meet in one setting, so the precision step only chooses the
// threshold and the speed step writes both.
class XServerPointer : public DesktopPointer {
 public:
  explicit XServerPointer(ProgramRunner run) : run_(std::move(run)) {}

  std::string_view name() const override { return "X server"; }
  std::optional<Status> SetMouse(const std::array<int, 3>& thresholds) override {
    threshold_ = thresholds[2] != 0 ? kPrecisionThreshold : 0;
    return Status::Ok();
  }
  // Speed 10 is the server's plain 1/1.
  std::optional<Status> SetMouseSpeed(int speed) override {
    return run_({"xset", "m", std::to_string(speed) + "/10", std::to_string(threshold_)});
  }
  std::optional<Status> SetWheelScrollLines(std::uint32_t) override { return std::nullopt; }
  std::optional<Status> SetDoubleClickTime(int) override { return std::nullopt; }

 private:
  ProgramRunner run_;
  int threshold_ = 0;
};

}  // namespace

std::unique_ptr<DesktopPointer> MakeXServerPointer(ProgramRunner run) {
  return std::make_unique<XServerPointer>(std::move(run));
}

}  // namespace korvane
