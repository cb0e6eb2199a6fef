#!/usr/bin/env bash
# The main window's commands pressed with real pointer events under Xvfb, checked from outside: the profile
# file on disk and the messages sent to the desktop notification service.
#   tests/desktop/main_window.sh BIN_DIR ARTEFACT_DIR
source "$(dirname "$0")/harness.sh"

# A profile that differs from the factory settings, so that Reset has something to restore.
korvanectl set cpi 2 2000 >/dev/null
factory_cpi2=$(korvanectl show --file "$home/config.bin" | grep -m1 'CPI stage 2')

# A notification service that gives every message a new id, so that the log tells what replaced what.
service_log="$artefacts/notification-service.log"
start_bus_service org.freedesktop.Notifications "$service_log" "$KORVANE_TEST_TOOLS/korvane_notification_service"

check "the window opens" start_korvane --emulate
shot 01-started

# The window holds 2000; an edit on disk while it holds no edits of its own is what it then shows and saves.
korvanectl set cpi 2 2400 >/dev/null
sleep 0.5
press 950 619  # Save
check "Save writes the window's settings into the profile file" \
  wait_until 5 eval 'korvanectl show | grep -q "CPI stage 2: *2400 CPI"'

shot 02-saved

# Reset asks first; Escape keeps the profile as it is, "Yes" (Enter) restores the factory settings.
question() { xdotool search --onlyvisible --name "^Warning$" >/dev/null; }
saved=$(md5sum <"$home/config0.bin")
press 826 619  # Reset
check "Reset asks first" wait_until 5 question
shot 03-reset-asks
keys Escape
check "Escape answers the question" wait_until 5 eval '! question'
check "and leaves config0.bin as it was" test "$(md5sum <"$home/config0.bin")" = "$saved"
press 826 619  # Reset
check "Reset asks again" wait_until 5 question
keys Return
check "Reset writes the factory CPI into the profile" \
  wait_until 5 eval 'test "$(korvanectl show | grep -m1 "CPI stage 2")" = "$factory_cpi2"'
shot 03-reset

# A press on the window's face moves it only when the pointer moves with the button held.
position() { xdotool getwindowgeometry "$window" | sed -n 's/^ *Position: \([0-9]*,[0-9]*\).*/\1/p'; }
before=$(position)
press 850 42  # a right-column header: opens its section, and a click leaves the window where it is
press 600 480
check "clicks leave the window where it is" test "$(position)" = "$before"
# The first move hands the drag to the window manager; the ones after it, once it holds the pointer, move.
xdotool mousemove --window "$window" 600 480 mousedown 1 mousemove_relative --sync 30 20
for step in 1 2 3 4 5; do
  sleep 0.2
  xdotool mousemove_relative --sync 10 10
done
xdotool mouseup 1
check "a drag on the face moves the window" wait_until 3 eval '[ "$(position)" != "$before" ]'
xdotool windowmove --sync "$window" 0 0
sleep 0.3
press 850 42

# The emulated mouse's own events, from the window's right-click menu.
press 600 590 3
keys Down Return
check "the CPI press shows its stage" notified "Switch CPI into the second stage 1600"
press 600 590 3
keys Down Down Return
check "the macro switch is shown" notified "Switch to macro key3"
press 600 590 3
keys Down Down Down Return
check "unplugging warns" notified "The system did not detect the gaming mouse!"
shot 04-unplugged
# Each of the mouse's interfaces announces its removal; only one message may come of them.
sleep 1
check "one unplug sends one message" \
  test "$(grep -cF 'string "The system did not detect the gaming mouse!"' "$notifications")" -eq 1
press 600 590 3
keys Down Down Down Return
check "plugging in says so" notified "The system detect the gaming mouse."
# id_of TEXT / replaced_by TEXT: the id the service gave the message, and the id that the message replaced.
id_of() { sed -n "s/^replaces [0-9]* id \([0-9]*\): $1\$/\1/p" "$service_log"; }
replaced_by() { sed -n "s/^replaces \([0-9]*\) id [0-9]*: $1\$/\1/p" "$service_log"; }
replaces_warning() {
  local warning
  warning=$(id_of 'The system did not detect the gaming mouse!')
  [ -n "$warning" ] && [ "$(replaced_by 'The system detect the gaming mouse\.')" = "$warning" ]
}
check "the next message replaces the warning" replaces_warning

press 888 619  # Cancel
check "Cancel hides the window" wait_until 5 minimised
shot 05-cancelled

# No tray on a bare X server: starting the program again brings the running one's window back.
"$bin_dir/korvane" --home "$home" --emulate >>"$artefacts/korvane.log" 2>&1
check "a second start exits 0 and shows the window again" \
  wait_until 5 shown
shot 06-shown-again

# --hidden where there is no tray to hold the window: it starts minimised, and a second start brings it.
stop_korvane
"$bin_dir/korvane" --home "$home" --emulate --hidden >>"$artefacts/korvane.log" 2>&1 &
korvane_pid=$!
pids+=("$korvane_pid")
iconic() { xprop -id "$(xdotool search --name "Tellurix Korvane" | head -1)" WM_STATE | grep -q Iconic; }
check "--hidden without a tray starts the window minimised" wait_until 30 iconic
"$bin_dir/korvane" --home "$home" --emulate >>"$artefacts/korvane.log" 2>&1
check "a second start shows the hidden window" wait_until 5 shown
shot 07-hidden-then-shown

finish
