#!/usr/bin/env bash
# The tray on a Plasma Wayland desktop: under KWin, with a status notifier watcher as Plasma's panel runs
# one, the program's icon is a status notifier item on the session bus; Cancel hides the window into it and
# activating the icon (what a click on it does) shows the window again.
#   tests/desktop/wayland_tray.sh BIN_DIR ARTEFACT_DIR
source "$(dirname "$0")/wayland_harness.sh" kwin "$1" "$2"

watcher_log="$artefacts/status-notifier-watcher.log"
start_bus_service org.kde.StatusNotifierWatcher "$watcher_log" as_user "$tools/korvane_status_notifier_watcher"

check "the window opens" start_korvane --emulate
check "the program's icon registers with the watcher" wait_until 10 grep -q "^item " "$watcher_log"
item=$(sed -n 's/^item //p' "$watcher_log" | head -1)
press 888 619  # Cancel
check "Cancel hides the window into the tray" wait_until 5 eval '! window_shown "Tellurix Korvane"'
shot 01-hidden
as_user dbus-send --session --print-reply --dest="$item" /StatusNotifierItem org.kde.StatusNotifierItem.Activate \
  int32:0 int32:0 >/dev/null
check "activating the icon shows the window again" wait_until 5 window_shown "Tellurix Korvane"
shot 02-shown

finish
