#!/usr/bin/env bash
# korvane.exe under Wine on the same desktop as the Linux desktop tests (Xvfb, openbox), checked from
# outside: its window on the screen, and a second start that shows it and ends.
#   tests/desktop/windows_window.sh WINDOWS_BIN_DIR LINUX_BIN_DIR ARTEFACT_DIR
# WINEPREFIX names the Wine prefix.
windows_bin=$(realpath "$1")
shift
source "$(dirname "$0")/harness.sh"

# Wine's own processes start with the first program of the session, on this display.
wineserver --kill 2>/dev/null
korvane_program=(wine "$windows_bin/korvane.exe")
korvane_home=$(winepath -w "$home")

check "korvane.exe opens its window" start_korvane --emulate
shot 01-started
check "the window is 1000×640" eval 'xdotool getwindowgeometry "$window" | grep -q "Geometry: 1000x640"'

# A second start shows the running window and ends.
wine "$windows_bin/korvane.exe" --home "$korvane_home" --emulate >>"$artefacts/korvane.log" 2>&1
check "a second start exits 0" test $? -eq 0
check "... and leaves one window" test "$(xdotool search --onlyvisible --name "^Tellurix Korvane$" | wc -l)" -eq 1
shot 02-second-start

stop_korvane
wineserver --kill 2>/dev/null
finish
