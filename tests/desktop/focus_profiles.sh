#!/usr/bin/env bash
# A profile per application on an X desktop (Xvfb, openbox): two X windows of different WM_CLASS, a rule
# for one; activating it gives the emulated mouse the linked profile, and activating the other gives it
# the default one back, each with one notification.
#   tests/desktop/focus_profiles.sh BIN_DIR ARTEFACT_DIR
source "$(dirname "$0")/harness.sh"
tools=${KORVANE_TEST_TOOLS:-$bin_dir/../tests}

# PROFILE_0 (the default) and Racing, whose stage 1 is 3200 CPI; Racing is linked to steam_app_1234.
korvanectl profiles new Racing
korvanectl set --profile 1 cpi 1 3200
korvanectl profiles link Racing steam_app_1234

# The settings page as korvanectl would send it for profile N, and as the emulated mouse holds it (its
# memory file: a 28-byte header, then the settings page).
profile_page() { korvanectl pages --profile "$1" | sed -n 's/^settings: //p' | tr -d ' \n'; }
mouse_page() {
  local bytes=$(($(profile_page 0 | wc -c) / 2))
  od -An -v -tx1 -j28 -N"$bytes" "$home/emulated-mouse.bin" 2>/dev/null | tr -d ' \n'
}
mouse_holds() { [ "$(mouse_page)" = "$(profile_page "$1")" ]; }
# window INSTANCE CLASS TITLE: an X window, once the window manager shows it.
window() {
  "$tools/korvane_x11_window" "$@" &
  pids+=($!)
  wait_until 10 xdotool search --onlyvisible --classname "$1" >/dev/null
}
activate() { xdotool windowactivate --sync "$(xdotool search --onlyvisible --classname "$1" | head -1)"; }
notices() { grep -cF "string \"$1\"" "$notifications"; }

check "the window opens" start_korvane --emulate
check "the log names the focus watcher" grep -q "focus: X11 (_NET_ACTIVE_WINDOW), active" "$artefacts/korvane.log"
check "a game window opens" window game steam_app_1234 "Racing 3"
check "an editor window opens" window editor Mousepad "notes.txt"

activate game
check "within 3 s the mouse holds the linked profile" wait_until 3 mouse_holds 1
check "Racing is current" eval 'korvanectl profiles list | grep -q "^\* 1 "'
check "one notification says so" wait_until 3 eval '[ "$(notices "Profile Racing for steam_app_1234")" = 1 ]'
shot 01-game

activate editor
check "within 3 s the mouse holds the default profile again" wait_until 3 mouse_holds 0
check "one notification says so" wait_until 3 eval '[ "$(notices "Profile PROFILE_0 for Mousepad")" = 1 ]'

# A quick pass through the game window, shorter than a second, sends nothing.
uploads() { grep -c "member=PropertiesChanged" "$artefacts/signals.log"; }
dbus-monitor --session "type='signal',path='/org/tellurix/Korvane'" >"$artefacts/signals.log" 2>&1 &
pids+=($!)
sleep 0.5
activate game
sleep 0.3
activate editor
sleep 2
check "a focus kept for less than a second switches nothing" eval '[ "$(uploads)" = 0 ] && mouse_holds 0'

finish
