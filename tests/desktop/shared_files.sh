#!/usr/bin/env bash
# The window, korvanectl and the profile manager on one program folder, with real pointer and key events
# under Xvfb: the window follows a korvanectl edit, the profile manager exports the profile it was asked
# for, "No" to the discard question keeps the window's profile current, and the last profile stays.
#   tests/desktop/shared_files.sh BIN_DIR ARTEFACT_DIR
source "$(dirname "$0")/harness.sh"

# Two profiles: PROFILE_0 (current) and SECOND, whose stage 1 is 2000 CPI.
sed -i 's/^ItemCount=1\r$/ItemCount=2\r/; s/^\(Item0=PROFILE_0\)\r$/\1\r\nItem1=SECOND\r/' "$home/str.ini"
korvanectl set --profile 1 cpi 1 2000
out="$scratch/out"
mkdir -p "$out"

check "the window opens" start_korvane --emulate
korvanectl set cpi 2 2000
korvanectl set report-rate 250
sleep 0.5
press 950 619  # Save, with nothing touched in the window
check "Save keeps the stage korvanectl set" wait_until 5 eval 'korvanectl show | grep -q "^CPI stage 2: *2000 CPI"'
check "Save keeps the report rate korvanectl set" eval 'korvanectl show | grep -q "^Report rate: *250 Hz"'
shot 01-followed

# profile_row ROW: selects a row of the profile manager's list (rows are 20 pixels from y 31).
manager=""
open_manager() {
  press 50 619  # Config
  wait_until 5 eval 'xdotool search --onlyvisible --name "^Configuration$" >/dev/null' || return 1
  manager=$(xdotool search --onlyvisible --name "^Configuration$" | head -1)
  xdotool windowmove --sync "$manager" 400 0
  sleep 0.3
}
on_manager() { xdotool mousemove --window "$manager" "$1" "$2" click "${3:-1}"; sleep 0.4; }
profile_row() { on_manager 60 $((41 + 20 * $1)); }
# menu_item N: the N-th item of the list's context menu (Delete, Edit, Copy, Load, Save).
menu_item() { keys $(printf 'Down %.0s' $(seq "$1")) Return; }
close_manager() { on_manager 247 15; }

before0=$(md5sum <"$home/config0.bin")
before1=$(md5sum <"$home/config1.bin")
check "Config opens the profile manager" open_manager
profile_row 1
on_manager 60 61 3  # right-click SECOND
menu_item 5         # Save: export
check "the export asks where to" wait_until 5 eval 'xdotool search --onlyvisible --name "Save|Export" >/dev/null'
shot 02-export-dialog
xdotool type --delay 30 "$out/second.bin"
keys Return
check "the export holds SECOND's settings" wait_until 5 eval \
  'korvanectl show --file "$out/second.bin" | grep -q "^CPI stage 1: *2000 CPI"'
check "no profile file changed" eval '[ "$(md5sum <"$home/config0.bin")" = "$before0" ] && [ "$(md5sum <"$home/config1.bin")" = "$before1" ]'

# Closing makes the selected profile current: PROFILE_0 stays.
profile_row 0
close_manager
check "the window still works on PROFILE_0" grep -q "^CurProfileName=PROFILE_0" "$home/str.ini"

# An edit in the window, then SECOND chosen and the manager closed: "No" keeps PROFILE_0 and the edit.
press 850 42   # the CPI Setting header
press 780 152  # stage 1's bar: 2500 CPI
check "Config opens the profile manager again" open_manager
profile_row 1
close_manager
check "closing with edits asks first" wait_until 5 eval 'xdotool search --onlyvisible --name "^Warning$" >/dev/null'
shot 03-discard-question
keys alt+n
check "No keeps the window's profile current" grep -q "^CurProfileName=PROFILE_0" "$home/str.ini"
press 950 619  # Save
check "Save stores the edit in the window's profile" wait_until 5 eval 'korvanectl show --profile 0 | grep -q "^CPI stage 1: *2500 CPI"'
check "the other profile is left alone" eval '[ "$(md5sum <"$home/config1.bin")" = "$before1" ]'

# Deleting both profiles: the first goes after a question, the last one stays.
check "Config opens the profile manager a third time" open_manager
profile_row 1
on_manager 60 61 3
menu_item 1  # Delete
check "a delete asks first" wait_until 5 eval 'xdotool search --onlyvisible --name "^Warning$" >/dev/null'
keys alt+y
profile_row 0
on_manager 60 41 3
menu_item 1
check "the last profile cannot be deleted" wait_until 5 eval 'xdotool search --onlyvisible --name "^Warning$" >/dev/null'
shot 04-last-profile
keys Return
close_manager
check "the list keeps one profile" eval 'grep -q "^ItemCount=1" "$home/str.ini" && grep -q "^Item0=PROFILE_0" "$home/str.ini"'
check "korvanectl still finds the current profile" eval 'korvanectl show >/dev/null'

finish
