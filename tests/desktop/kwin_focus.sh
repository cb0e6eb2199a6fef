#!/usr/bin/env bash
# The KWin focus watcher under a headless KWin: it loads the program's script, which calls FocusChanged on
# the program's bus object (here a stand-in that logs the calls) once at the start and then for every
# window KWin activates, with the window's app id and title; the script goes when the watcher ends.
#   tests/desktop/kwin_focus.sh BIN_DIR ARTEFACT_DIR
source "$(dirname "$0")/wayland_harness.sh" kwin "$1" "$2"

calls="$artefacts/focus-changed.log"
start_bus_service org.tellurix.Korvane "$calls" as_user "$tools/korvane_focus_service"

# called LINE: the last FocusChanged call had this app id and title.
called() {
  local line
  line=$(printf "$1")
  wait_until 5 eval '[ "$(tail -1 "$calls")" = "$line" ]'
}
# window APP_ID TITLE: a Wayland window, once KWin shows it.
window() {
  as_user QT_QPA_PLATFORM=wayland "$tools/korvane_wayland_window" "$@" >>"$artefacts/windows.log" 2>&1 &
  pids+=($!)
  wait_until 10 window_shown "$2"
}
script_loaded() {
  as_user dbus-send --session --print-reply --dest=org.kde.KWin /Scripting org.kde.kwin.Scripting.isScriptLoaded \
    string:korvane-focus | grep -q true
}

# start_probe NAME: the watcher, with a pipe as its input: a line there ends it, as the program's end does.
start_probe() {
  mkfifo "$scratch/$1.input"
  exec {probe_input}<>"$scratch/$1.input"
  as_user "$tools/korvane_focus_probe" "$bin_dir" <"$scratch/$1.input" >"$artefacts/$1.log" 2>&1 &
  probe_pid=$!
  pids+=("$probe_pid")
  wait_until 10 grep -qx "# focus: KWin script, active" "$artefacts/$1.log"
}

check "the watcher says it is active" start_probe probe
check "the script is loaded" script_loaded
check "the script reports at its start that no window is active" called '\t'

check "a window opens" window org.tellurix.FocusRacing "Racing – Lap 1"
check "its activation reports its app id and title" called 'org.tellurix.FocusRacing\tRacing – Lap 1'
check "another window opens" window org.tellurix.FocusMenu "Menu"
check "its activation reports it" called 'org.tellurix.FocusMenu\tMenu'
kwin_script "for (const c of workspace.clientList()) if (c.caption == 'Racing – Lap 1') workspace.activeClient = c;"
check "activating the first again reports it" called 'org.tellurix.FocusRacing\tRacing – Lap 1'

# A watcher that was killed leaves its script in KWin: the next one replaces it.
kill_tree "$probe_pid"
before=$(wc -l <"$calls")
check "a watcher after a killed one is active" start_probe second-probe
check "its script reports the window active at its start" called 'org.tellurix.FocusRacing\tRacing – Lap 1'
kwin_script "for (const c of workspace.clientList()) if (c.caption == 'Menu') workspace.activeClient = c;"
check "and reports each change once" \
  eval 'called "org.tellurix.FocusMenu\tMenu" && [ "$(tail -n +$((before + 1)) "$calls" | grep -c Menu)" = 1 ]'

echo quit >&"$probe_input"
check "the watcher ends when told" wait_until 10 eval '! kill -0 "$probe_pid"'
check "and takes its script out of KWin" eval '! script_loaded'

finish
