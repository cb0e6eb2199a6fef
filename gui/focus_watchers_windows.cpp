#include "gui/focus_watchers.h"

namespace korvane {

namespace {

class NoFocusWatcher : public FocusWatcher {
 public:
  std::string Describe() const override { return FocusWatcherLineOfThisSession(); }
};

}  // namespace

std::unique_ptr<FocusWatcher> StartFocusWatcher(const SessionEnvironment&, FocusCallback,
                                                const std::filesystem::path&) {
  return std::make_unique<NoFocusWatcher>();
}

}  // namespace korvane
