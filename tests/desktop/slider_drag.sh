#!/usr/bin/env bash
# A press-and-drag on the X sensitivity slider with real pointer events under Xvfb: the slider follows the
# pointer while the button is held, past its end and back, and Save stores the value under the pointer
# when the button came up; moving on with the button up changes nothing.
#   tests/desktop/slider_drag.sh BIN_DIR ARTEFACT_DIR
source "$(dirname "$0")/harness.sh"

check "the window opens" start_korvane --emulate
press 140 185  # the X/Y Sensitivity Setting header
shot 01-open
# The X slider runs from x 37 to 244 at y 235-243: 1 up to x 45, then one more every 21 pixels from x 46.
xdotool mousemove --window "$window" 50 239 mousedown 1
sleep 0.2
for x in 70 100 130 160 200 240 300 380 300 220 180 151; do
  xdotool mousemove --window "$window" "$x" 239
  sleep 0.1
done
shot 02-dragging
xdotool mouseup 1
sleep 0.3
xdotool mousemove --window "$window" 60 239
sleep 0.3
shot 03-released
check "nothing reaches the profile before Save" eval 'korvanectl show | grep -q "^Sensitivity X: *5$"'

press 950 619  # Save
check "Save stores 7, where the button came up" wait_until 5 eval 'korvanectl show | grep -q "^Sensitivity X: *7$"'
# The byte itself (the file starts with one byte before the record): sensitivity X at 0x03A.
byte() { od -An -tu1 -j $((1 + $1)) -N 1 "$home/config0.bin" | tr -d ' '; }
check "config0.bin holds 7 at the X sensitivity" eval '[ "$(byte 0x03A)" = 7 ]'
check "the Y slider kept its value" eval 'korvanectl show | grep -q "^Sensitivity Y: *5$"'

finish
