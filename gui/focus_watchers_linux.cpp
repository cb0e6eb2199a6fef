#include "gui/focus_watchers.h"

#include "gui/focus_watch_backends_linux.h"

namespace korvane {

namespace {

class NoFocusWatcher : public FocusWatcher {
 public:
  std::string Describe() const override {
    return "focus: no watcher for this desktop; " + FocusChangedHint();
  }
};

}  // namespace

std::unique_ptr<FocusWatcher> StartFocusWatcher(const SessionEnvironment& session, FocusCallback changed,
                                                const std::filesystem::path& dataDir) {
  switch (FocusWatcherKindFor(session)) {
    case FocusWatcherKind::kX11: return MakeX11FocusWatcher(std::move(changed), IsWaylandSession(session));
    case FocusWatcherKind::kKWin: return MakeKWinFocusWatcher(dataDir / kKWinFocusScript);
    case FocusWatcherKind::kGnomeShell: return MakeGnomeShellFocusWatcher();
    case FocusWatcherKind::kNone: break;
  }
  return std::make_unique<NoFocusWatcher>();
}

}  // namespace korvane
