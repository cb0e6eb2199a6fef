#!/usr/bin/env bash
# The profile manager with real pointer events under Xvfb: Config opens it, New adds PROFILE_1, closing
# writes str.ini, and the main window then works on the new profile (Save writes its file).
#   tests/desktop/profile_manager.sh BIN_DIR ARTEFACT_DIR
source "$(dirname "$0")/harness.sh"

check "the window opens" start_korvane --emulate
press 50 619  # Config
check "Config opens the profile manager" wait_until 5 eval 'xdotool search --onlyvisible --name "^Configuration$" >/dev/null'
manager=$(xdotool search --onlyvisible --name "^Configuration$" | head -1)
shot 01-opened

xdotool mousemove --window "$manager" 100 585 click 1; sleep 0.3  # New
shot 02-new
xdotool mousemove --window "$manager" 247 15 click 1; sleep 0.5  # close
check "closing writes the new profile into str.ini" grep -q "^Item1=PROFILE_1" "$home/str.ini"
check "the new profile is the current one" grep -q "^CurProfileName=PROFILE_1" "$home/str.ini"

before0=$(md5sum <"$home/config0.bin")
before1=$(md5sum <"$home/config1.bin")
press 950 619  # Save
check "Save goes into the new profile's file" wait_until 5 eval '[ "$(md5sum <"$home/config1.bin")" != "$before1" ]'
check "the first profile's file is left alone" test "$(md5sum <"$home/config0.bin")" = "$before0"
shot 03-saved

finish
