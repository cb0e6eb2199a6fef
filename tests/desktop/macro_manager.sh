#!/usr/bin/env bash
# The macro manager with real pointer and key events under Xvfb: open it, New, record A and B, stop, OK,
# Save; the profile file on disk then holds the encoded macro page.
#   tests/desktop/macro_manager.sh BIN_DIR ARTEFACT_DIR
source "$(dirname "$0")/harness.sh"

check "the window opens" start_korvane --emulate
press 100 150  # the Macro Manager header
check "the macro manager opens" wait_until 5 eval 'xdotool search --onlyvisible --name "^Macro Manager$" >/dev/null'
manager=$(xdotool search --onlyvisible --name "^Macro Manager$" | head -1)
at() { xdotool mousemove --window "$manager" "$1" "$2" click 1; sleep 0.3; }

at 40 380   # New
at 340 99   # Start Recording
check "recording shows its title" wait_until 3 eval 'xdotool search --onlyvisible --name "Ctrl\+Break" >/dev/null'
keys a b
at 340 99   # Stop Recording
shot 01-recorded
check "the recording is saved in record.ini" \
  eval 'grep -q "^Item0=A   Dn" "$home/record.ini" && grep -q "B   Up" "$home/record.ini"'
at 320 405  # OK
check "OK closes the macro manager" wait_until 5 eval '! xdotool search --onlyvisible --name "^Macro Manager$" >/dev/null'

press 950 619  # Save
# Macro 1's page starts at byte 1 + 0x0DC of the file: loop count 00 01, then the first event slot.
page() { od -An -tx1 -j $((1 + 0xDC)) -N 8 "$home/config0.bin" | tr -d ' \n'; }
check "Save writes the encoded macro page into the profile file" wait_until 5 eval '[ "$(page)" != "0000000000000000" ]'
expected=$(korvanectl macros --encode 2>/dev/null | sed -n 's/^macro 1: //p' | tr -d ' ' | cut -c1-16)
check "the page is the one the encoder makes" test "$(page)" = "$expected"
shot 02-saved

finish
