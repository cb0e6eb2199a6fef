#!/usr/bin/env bash
# korvane.exe under Wine on the same desktop as the Linux desktop tests (Xvfb, openbox, an XEmbed tray that
# Wine docks its tray icons in), pressed with real pointer and key events and checked from outside: the
# profile file on disk (read by the Linux korvanectl), the balloon's text on the screen, the windows there.
#   tests/desktop/windows_window.sh WINDOWS_BIN_DIR LINUX_BIN_DIR ARTEFACT_DIR
# WINEPREFIX names the Wine prefix; WINDOWS_BIN_DIR/../tests holds korvane_balloon_text.exe.
windows_bin=$(realpath "$1")
shift
source "$(dirname "$0")/harness.sh"

# Wine's own processes start with the first program of the session, on this display.
wineserver --kill 2>/dev/null
korvane_program=(wine "$windows_bin/korvane.exe")
korvane_home=$(winepath -w "$home")
korvane_moved=0

trayer --edge bottom --align right --widthtype request --height 32 >"$artefacts/trayer.log" 2>&1 &
pids+=($!)
check "the tray starts" wait_until 30 eval 'xdotool search --class trayer >/dev/null'

check "korvane.exe opens its window" start_korvane --emulate
shot 01-started
check "the window is 1000×640" eval 'xdotool getwindowgeometry "$window" | grep -q "Geometry: 1000x640"'

press 850 42   # the CPI Setting header
# Stage 1's bar runs from y 90 to 202; 51 pixels above its bottom edge is 50, 2500 CPI.
press 780 152
press 950 619  # Save
byte() { od -An -tu1 -j $((1 + $1)) -N 1 "$home/config0.bin" | tr -d ' '; }
check "Save writes stage 1's level into config0.bin" wait_until 5 eval '[ "$(byte 0x007)" = 50 ]'
check "... which korvanectl reads as 2500 CPI" eval 'korvanectl show | grep -q "^CPI stage 1: *2500 CPI"'
shot 02-saved

press 100 117  # the Button Assignment header
# Button 4's list, then "Single Key", the eleventh kind, 16 pixels a row.
press 185 222
press 300 $((214 + 10 * 16 + 8))
dialog_open() { xdotool search --onlyvisible --name "^Please enter a key" >/dev/null; }
check "Single Key opens its dialog" wait_until 5 dialog_open
sleep 0.5
dialog=$(xdotool search --onlyvisible --name "^Please enter a key" | head -1)
keys F7
shot 03-key-captured
xdotool mousemove --window "$dialog" 279 262 click 1  # OK
check "OK closes the dialog" wait_until 5 eval '! dialog_open'
press 950 619  # Save
check "the captured key is button 4's" wait_until 5 eval 'korvanectl show | grep -q "^Button 4: *single-key F7"'

# The emulated mouse's CPI press, from the window's right-click menu; the balloon is a tooltip window.
balloons() { wine "$windows_bin/../tests/korvane_balloon_text.exe" 2>/dev/null | tr -d '\r'; }
press 600 590 3
keys Down Return
check "the CPI press shows its stage in a balloon" \
  wait_until 10 eval 'balloons | grep -qF "Switch CPI into the second stage 1600"'
shot 04-balloon

# A second start shows the running window and ends.
wine "$windows_bin/korvane.exe" --home "$korvane_home" --emulate >>"$artefacts/korvane.log" 2>&1
check "a second start exits 0" test $? -eq 0
check "... and leaves one window" test "$(xdotool search --onlyvisible --name "^Tellurix Korvane$" | wc -l)" -eq 1
shot 05-second-start

stop_korvane
wineserver --kill 2>/dev/null
finish
