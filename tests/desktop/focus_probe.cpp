// The focus watcher of the session, for the desktop tests:
//   korvane_focus_probe DATA_DIR
// prints what the watcher says of itself as "# LINE", then a line for every focus change it reports,
//   APP_ID<tab>TITLE
// and ends, stopping the watcher, when a line comes on its standard input or it closes.
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <cstdio>

#include "gui/focus_watchers.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s DATA_DIR\n", argv[0]);
    return 2;
  }
  QCoreApplication app(argc, argv);
  const std::unique_ptr<korvane::FocusWatcher> watcher = korvane::StartFocusWatcher(
      korvane::SessionEnvironmentOfThisProcess(),
      [](const std::string& appId, const std::string& title) {
        std::printf("%s\t%s\n", appId.c_str(), title.c_str());
        std::fflush(stdout);
      },
      argv[1]);
  std::printf("# %s\n", watcher->Describe().c_str());
  std::fflush(stdout);
  QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
  QObject::connect(&input, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
  return app.exec();
}
