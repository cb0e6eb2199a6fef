#!/usr/bin/env bash
# The X11 focus watcher on an X desktop (Xvfb, openbox): it reports the window active at its start, then
# each window the window manager activates, by its WM_CLASS class and its title (UTF-8 or Latin-1), and no
# window when the active one closes. Without a window manager that announces the active window it says so.
#   tests/desktop/x11_focus.sh BIN_DIR ARTEFACT_DIR
source "$(dirname "$0")/harness.sh"
tools=${KORVANE_TEST_TOOLS:-$bin_dir/../tests}

# window INSTANCE CLASS TITLE [latin1]: an X window, once the window manager shows it; close INSTANCE
# ends it.
declare -A window_pid
window() {
  "$tools/korvane_x11_window" "$@" &
  window_pid[$1]=$!
  pids+=($!)
  wait_until 10 xdotool search --onlyvisible --classname "$1" >/dev/null
}
close() { kill "${window_pid[$1]}"; }
# activate INSTANCE: the window manager makes that window the active one.
activate() { xdotool windowactivate --sync "$(xdotool search --onlyvisible --classname "$1" | head -1)"; }

# probe NAME: the watcher of this session; what it prints goes to NAME.log among the artefacts. Its input
# is a pipe that stays open until the test ends.
probe() {
  mkfifo "$scratch/$1.input"
  exec {probe_input}<>"$scratch/$1.input"
  "$tools/korvane_focus_probe" "$bin_dir" <"$scratch/$1.input" >"$artefacts/$1.log" 2>&1 &
  pids+=($!)
  wait_until 10 grep -q '^#' "$artefacts/$1.log"
}
# reported NAME LINE: the probe NAME printed this change as its last line.
reported() {
  local log="$artefacts/$1.log" line
  line=$(printf "$2")
  wait_until 5 eval '[ "$(tail -1 "$log")" = "$line" ]'
}

check "window A opens" window alpha Racing "Racing – Lap 1"
check "a probe starts" probe first
check "it says it is active" grep -qx "# focus: X11 (_NET_ACTIVE_WINDOW), active" "$artefacts/first.log"
check "it reports the window active at its start" reported first 'Racing\tRacing – Lap 1'

check "window B opens, its title in Latin-1" window beta "" "Café menu" latin1
activate beta
check "activating B reports its instance (no class) and title" reported first 'beta\tCafé menu'
activate alpha
check "activating A reports its class" reported first 'Racing\tRacing – Lap 1'

# The active window closes: the window manager gives the focus to the other one, or to none.
close alpha
check "closing the active window reports another" \
  eval 'reported first "beta\tCafé menu" || reported first "\t"'
close beta
check "closing the last window reports no window" reported first '\t'
check "nothing was reported twice in a row" eval '[ -z "$(uniq -d "$artefacts/first.log")" ]'

# A bare X server: no window manager sets the active window.
Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp 3>"$scratch/bare-display" >/dev/null 2>&1 &
pids+=($!)
wait_until 30 test -s "$scratch/bare-display"
DISPLAY=":$(head -1 "$scratch/bare-display")" probe bare
check "without a window manager it says why it is not active" \
  grep -qx "# focus: X11, not active: the window manager does not announce _NET_ACTIVE_WINDOW" \
  "$artefacts/bare.log"

finish
