#!/usr/bin/env bash
# Button assignment with real pointer and key events under Xvfb: open button 4's list, choose
# "Single Key", press A, OK, Save; the profile file and the label file on disk then say so.
#   tests/desktop/button_assignment.sh BIN_DIR ARTEFACT_DIR
source "$(dirname "$0")/harness.sh"

check "the window opens" start_korvane --emulate
press 100 117  # the Button Assignment header
press 185 222  # button 4's drop-down box
shot 01-list-open
# The list starts at the box's row, one kind every 16 pixels: "Single Key" is the eleventh.
press 300 $((214 + 10 * 16 + 8))
check "Single Key opens its dialog" wait_until 5 eval 'xdotool search --onlyvisible --name "^Please enter a key" >/dev/null'
dialog=$(xdotool search --onlyvisible --name "^Please enter a key" | head -1)
keys a
shot 02-key-captured
xdotool mousemove --window "$dialog" 279 262 click 1  # OK
check "OK closes the dialog" wait_until 5 eval '! xdotool search --onlyvisible --name "^Please enter a key" >/dev/null'
shot 03-assigned

press 950 619  # Save
# Button 4's kind is byte 1 + 0x03C + 3 of the file (the file starts with one byte before the record).
kind() { od -An -tu1 -j $((1 + 0x3C + 3)) -N 1 "$home/config0.bin" | tr -d ' '; }
check "Save writes kind 10 for button 4" wait_until 5 eval '[ "$(kind)" = 10 ]'
check "the profile holds key A (code 0x04) for button 4" \
  eval 'korvanectl show | grep -q "^Button 4: *single-key A  \[Single Key-A\]"'
check "the label file says Single Key-A" grep -q "=Single Key-A" "$home/str0.ini"
shot 04-saved

finish
