#!/usr/bin/env bash
# The macro manager with real pointer and key events under Xvfb: open it, New, record A and B, stop; a
# second macro records a key held with auto-repeat on as one press and one release, and the Windows key;
# renaming it in place refuses a taken name once; OK, Save; the profile file on disk then holds the
# encoded macro page.
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
# A key held for 1.5 s with the X server's auto-repeat on: X11 sends a release and a press with one time
# for every repeat, which Qt does not always mark. The macro holds one press and one release of it.
xset r on
xset r rate 200 30
check "the X server repeats held keys" eval 'xset q | grep -q "auto repeat:  on"'
at 40 380   # New: Macro_1
at 377 151  # record delays
at 340 99   # Start Recording
check "the second recording starts" wait_until 3 eval 'xdotool search --onlyvisible --name "Ctrl\+Break" >/dev/null'
check "no other client can take the keyboard while it records" \
  eval '! "$KORVANE_TEST_TOOLS/korvane_keyboard_grab" try >/dev/null'
xdotool keydown a
sleep 1.5
xdotool keyup a
sleep 0.3
keys super   # the Windows key is a key of the macro table
keys alt+F4  # the window manager's close is recorded, and the window stays
check "Alt+F4 leaves the recording window open" xdotool search --onlyvisible --name "Ctrl\+Break"
at 340 99   # Stop Recording
shot 01b-held-key
# The lines of one section of record.ini.
section() { tr -d '\r' <"$home/record.ini" | awk -v name="[$1]" '$0 == name {on = 1; next} /^\[/ {on = 0} on'; }
section Macro_1 >"$artefacts/macro_1.txt"
check "a held key is recorded as one press" test "$(section Macro_1 | grep -c '=A   Dn$')" = 1
check "and one release" test "$(section Macro_1 | grep -c '=A   Up$')" = 1
check "about 1.5 s apart" eval 'section Macro_1 | grep -A1 "=A   Dn$" | tail -1 | grep -Eq "=1[4-9][0-9]{2} ms$"'
check "the Windows key is recorded under its table name" \
  eval 'section Macro_1 | grep -q "=Left Windows   Dn$" && section Macro_1 | grep -q "=Left Windows   Up$"'
check "Alt+F4 is recorded" eval 'section Macro_1 | grep -q "=F4   Dn$" && section Macro_1 | grep -q "=Alt   Up$"'
check "nothing else" test "$(section Macro_1 | grep -c '   \(Dn\|Up\)$')" = 8

# Renaming in place with the real focus: a name another macro has is said once, the editor closes and
# the row keeps its name; clicks after it raise nothing; Escape drops an edit without closing the window.
row1() { xdotool mousemove --window "$manager" 60 "$1" click --repeat 2 --delay 80 1; sleep 0.4; }
warnings() { xdotool search --onlyvisible --name "^Warning$" 2>/dev/null | wc -l; }
row1 100; row1 100   # the first double-click on Macro_1 arms it, the second opens the editor
xdotool key ctrl+a; xdotool type --delay 30 Macro_0; xdotool key Return
check "a refused name is said" wait_until 3 eval '[ "$(warnings)" = 1 ]'
shot 01c-refused
xdotool key Return   # the message box has the focus
check "the message goes with one Enter" wait_until 3 eval '[ "$(warnings)" = 0 ]'
at 60 200; at 200 250
sleep 0.5
check "clicks after it raise nothing" test "$(warnings)" = 0
check "the macro keeps its name" \
  eval 'section Macro_1 | grep -q "=Left Windows   Up$" && ! section Macro_0 | grep -q "Left Windows"'
row1 100; row1 100
xdotool key ctrl+a; xdotool type --delay 30 Dropped; xdotool key Escape; sleep 0.4
check "Escape leaves the window open" eval 'xdotool search --onlyvisible --name "^Macro Manager$" >/dev/null'
row1 100; row1 100
xdotool key ctrl+a; xdotool type --delay 30 Held; xdotool key Return; sleep 0.4
check "Enter keeps a good name" \
  eval 'section Held | grep -q "=Left Windows   Up$" && ! grep -q "^\[Dropped\]" "$home/record.ini"'
check "and no message" test "$(warnings)" = 0
shot 01d-renamed

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
