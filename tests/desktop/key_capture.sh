#!/usr/bin/env bash
# The key captures hold the keyboard, under Xvfb and openbox, whose Print binding runs the screenshot
# command scrot (here a stand-in that leaves a mark). In the Single Key dialog Alt+F4 and Print become the
# dialog's key, the dialog stays open, the desktop's Print command does not run and no other client can
# take the keyboard meanwhile. A dialog opened while another client holds the keyboard says so, and takes
# the keyboard as soon as it is free.
#   tests/desktop/key_capture.sh BIN_DIR ARTEFACT_DIR
printed="$2/print-command-ran"
stand_ins=$(mktemp -d)
printf '#!/bin/sh\ntouch "%s"\n' "$printed" >"$stand_ins/scrot"
chmod +x "$stand_ins/scrot"
export PATH="$stand_ins:$PATH"
source "$(dirname "$0")/harness.sh"
grab="$KORVANE_TEST_TOOLS/korvane_keyboard_grab"

dialog=""
# open_single_key: button 4's list, then "Single Key", the eleventh kind, 16 pixels a row.
open_single_key() {
  press 185 222
  press 300 $((214 + 10 * 16 + 8))
  wait_until 5 eval 'xdotool search --onlyvisible --name "^Please enter a key" >/dev/null' || return 1
  dialog=$(xdotool search --onlyvisible --name "^Please enter a key" | head -1)
  sleep 0.5
}
dialog_open() { xdotool search --onlyvisible --name "^Please enter a key" >/dev/null; }
ok() { xdotool mousemove --window "$dialog" 279 262 click 1; wait_until 5 eval '! dialog_open'; }
button4() { korvanectl show | grep "^Button 4:"; }

check "the window opens" start_korvane --emulate
press 100 117  # the Button Assignment header
check "Single Key opens its dialog" open_single_key
check "no other client can take the keyboard while it is open" eval '! "$grab" try >/dev/null'
keys alt+F4
check "Alt+F4 leaves the dialog open" dialog_open
keys Print
sleep 0.5
shot 01-print-captured
check "the desktop's Print command did not run" test ! -e "$printed"
check "OK takes Print as the key" ok
press 950 619  # Save
check "button 4 is the Print key" wait_until 5 eval 'button4 | grep -q "single-key \"Prnt Scrn\""'
check "the keyboard is free again once the dialog closes" "$grab" try >/dev/null
keys Print
check "Print outside the dialog is the desktop's again" wait_until 5 test -e "$printed"

# Another client holds the keyboard for two seconds; the dialog opens meanwhile and says so.
"$grab" hold 2 >"$scratch/hold.out" &
pids+=($!)
wait_until 5 grep -q held "$scratch/hold.out"
check "Single Key opens while another client holds the keyboard" open_single_key
shot 02-keyboard-held-elsewhere
import -window "$dialog" -crop 230x40+14+244 "$scratch/note-held.png" 2>/dev/null
sleep 2.5
check "the dialog has the keyboard once the other client lets it go" eval '! "$grab" try >/dev/null'
shot 03-keyboard-taken
import -window "$dialog" -crop 230x40+14+244 "$scratch/note-gone.png" 2>/dev/null
check "the dialog said so while it lacked the keyboard, and no longer" \
  eval '[ "$(compare -metric AE "$scratch/note-held.png" "$scratch/note-gone.png" null: 2>&1)" -gt 50 ]'
keys F4
check "a key pressed now is captured" eval 'ok && press 950 619 && wait_until 5 eval "button4 | grep -q \"single-key F4\""'

rm -rf "$stand_ins"
finish
