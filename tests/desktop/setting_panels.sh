#!/usr/bin/env bash
# The setting panels with real pointer events under Xvfb: a press on stage 1's level bar and on the 500 Hz
# quadrant of the report-rate dial, then Save; the profile file on disk then holds both.
#   tests/desktop/setting_panels.sh BIN_DIR ARTEFACT_DIR
source "$(dirname "$0")/harness.sh"

check "the window opens" start_korvane --emulate
press 850 42   # the CPI Setting header
# Stage 1's bar runs from y 90 to 202; 51 pixels above its bottom edge is 50, 2500 CPI.
press 780 152
check "the bar's value shows in its box" eval 'korvanectl show | grep -q "^CPI stage 1: *800 CPI"'
press 850 317  # the USB Report Rate header, below the open CPI panel and the Lighting header
shot 01-panels-open
# The dial is a 128-pixel square 5 below the header, centred in the column: its centre is (855, 396).
press 890 431  # lower right: 500 Hz
shot 02-pressed
check "nothing reaches the profile before Save" eval 'korvanectl show | grep -q "^Report rate: *1000 Hz"'

press 950 619  # Save
check "Save writes stage 1 as 2500 CPI" wait_until 5 eval 'korvanectl show | grep -q "^CPI stage 1: *2500 CPI"'
check "Save writes the 500 Hz report rate" eval 'korvanectl show | grep -q "^Report rate: *500 Hz"'
# The bytes themselves (the file starts with one byte before the record): the report rate at 0x005,
# stage 1 at 0x007.
byte() { od -An -tu1 -j $((1 + $1)) -N 1 "$home/config0.bin" | tr -d ' '; }
check "config0.bin holds report-rate code 2 and stage value 50" eval '[ "$(byte 0x005)" = 2 ] && [ "$(byte 0x007)" = 50 ]' 
shot 03-saved

finish
