#!/usr/bin/env bash
# The program on a Wayland desktop, under a real headless compositor, pressed with the compositor's own
# pointer and keys: the window shows and moves, a CPI press and Save reach config0.bin, the Single Key
# dialog opens on the screen and takes the desktop's shortcuts as keys, the emulated CPI press gives one
# notification, a second start shows the running window, and Save sets the compositor's pointer settings.
#   tests/desktop/wayland.sh sway|kwin BIN_DIR ARTEFACT_DIR
source "$(dirname "$0")/wayland_harness.sh"

korvanectl set pointer-speed 4 >/dev/null
korvanectl set pointer-precision off >/dev/null
korvanectl set double-click 6 >/dev/null
# Under KWin the program loads its focus script, which calls FocusChanged on the program's bus object.
if [ "$compositor" = kwin ]; then
  as_user dbus-monitor --session "interface='org.tellurix.Korvane1',member='FocusChanged'" >"$artefacts/focus.log" 2>&1 &
  pids+=($!)
fi
check "the window opens on $compositor" start_korvane --emulate
shot 01-started
inside_screen() {
  local x y w h
  read -r x y w h <<<"$(window_geometry "$1")"
  [ -n "${h:-}" ] && [ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le $width ] && [ $((y + h)) -le $height ]
}
check "the main window is inside the screen" inside_screen "Tellurix Korvane"

# A drag on the window's face hands the move to the compositor.
before="$window_x $window_y"
send move $((window_x + 600)) $((window_y + 480)) && send press 1
for step in 1 2 3 4 5 6; do
  sleep 0.1
  send move $((window_x + 600 - 15 * step)) $((window_y + 480 - 10 * step))
done
send release 1
check "a drag on the face moves the window" wait_until 3 eval 'locate && [ "$window_x $window_y" != "$before" ]'
shot 02-moved

# CPI Setting, the first stage's bar at its middle, then Save: the stage's byte in the profile file.
press 850 42
press 780 152
press 950 619  # Save
stage1() { od -An -tu1 -j8 -N1 "$home/config0.bin" | tr -d ' '; }  # the record starts at byte 1
check "a CPI press and Save reach config0.bin" wait_until 5 eval '[ "$(stage1)" = 50 ]'
shot 03-saved

# The pointer settings went to the compositor with that Save: speed position 4 is -0.4 on libinput's scale,
# precision off the flat profile.
case $compositor in
  sway)
    check "Save sets sway's pointer speed" wait_until 5 grep -q "input type:pointer pointer_accel -0.40" "$artefacts/compositor.log"
    check "Save sets sway's acceleration profile" grep -q "input type:pointer accel_profile flat" "$artefacts/compositor.log"
    ;;
  kwin)
    check "Save sets the double-click time where Plasma reads it" \
      wait_until 5 eval '[ "$(as_user kreadconfig5 --file kdeglobals --group KDE --key DoubleClickInterval)" = 550 ]'
    check "the program loaded its KWin focus script" grep -q "focus: KWin script, active" "$artefacts/korvane.log"
    check "KWin's script tells the program which window has the focus" \
      wait_until 5 grep -qx "   string \"korvane\"" "$artefacts/focus.log"
    ;;
esac
check "nothing failed" eval '! window_shown Warning'

# Button 4's list, "Single Key" (its eleventh kind, 16 pixels a row), and the dialog's OK.
press 100 117
press 185 222
press 300 $((214 + 10 * 16 + 8))
dialog="Please enter a key"
check "Single Key opens its dialog on the screen" wait_until 5 inside_screen "$dialog"
# over_main TITLE: the top-level lies over the main window or touches it, as the compositor placed it.
over_main() {
  local x y w h mx my mw mh
  read -r x y w h <<<"$(window_geometry "$1")"
  read -r mx my mw mh <<<"$(window_geometry "Tellurix Korvane")"
  [ -n "${h:-}" ] && [ -n "${mh:-}" ] && [ "$x" -le $((mx + mw)) ] && [ $((x + w)) -ge "$mx" ] &&
    [ "$y" -le $((my + mh)) ] && [ $((y + h)) -ge "$my" ]
}
check "and over or beside the main window" over_main "$dialog"
shot 04-single-key
ok() { click_in "$dialog" 279 262 && wait_until 5 eval '! window_shown "$dialog"'; }
button4() { korvanectl show | grep "^Button 4:"; }
sleep 0.5
keys alt+Tab
check "Alt+Tab leaves the dialog open" window_shown "$dialog"
check "OK takes the key" ok
press 950 619  # Save
# The dialog names the last key touched: the Alt, released last.
check "button 4 is the Alt key" wait_until 5 eval 'button4 | grep -q "single-key Alt"'

press 185 222
press 300 $((214 + 10 * 16 + 8))
check "Single Key opens again" wait_until 5 window_shown "$dialog"
sleep 0.5
keys super+d super
check "Super leaves the dialog open" window_shown "$dialog"
shot 05-super-captured
check "OK takes the Windows key" ok
press 950 619  # Save
check "button 4 is the Windows key" wait_until 5 eval 'button4 | grep -q "single-key \"Left Windows\""' || button4
if [ "$compositor" = sway ]; then
  check "sway did not act on Alt+Tab or Super+D while the dialog was open" \
    eval '[ ! -e "$scratch/shortcut-alt-tab" ] && [ ! -e "$scratch/shortcut-super-d" ]'
  keys super+d
  check "Super+D is sway's again once the dialog has closed" wait_until 5 test -e "$scratch/shortcut-super-d"
fi

# The emulated mouse's CPI button, from the window's right-click menu: one notification, as there is no tray.
press 600 590 3
press 660 606
check "the CPI press shows its stage" notified "Switch CPI into the second stage 1600"
sleep 1
check "one press sends one message" \
  test "$(grep -cF 'string "Switch CPI into the second stage 1600"' "$notifications")" -eq 1

# No tray here: Cancel minimises the window (where the compositor has minimised windows), and starting the
# program again shows the running one's window.
press 888 619  # Cancel
[ "$compositor" = kwin ] && check "Cancel minimises the window" wait_until 5 minimised
second_start() { as_user QT_QPA_PLATFORM=wayland "$bin_dir/korvane" --home "$home" --emulate >>"$artefacts/korvane.log" 2>&1; }
check "a second start exits 0" second_start
check "and the running window is shown again" wait_until 5 eval 'window_shown "Tellurix Korvane" && ! minimised'
shot 06-second-start

# --hidden where there is no tray: the window starts minimised, and a second start brings it.
stop_korvane
as_user QT_QPA_PLATFORM=wayland "$bin_dir/korvane" --home "$home" --emulate --hidden >>"$artefacts/korvane.log" 2>&1 &
korvane_pid=$!
pids+=("$korvane_pid")
[ "$compositor" = kwin ] && check "--hidden without a tray starts the window minimised" wait_until 30 minimised
wait_until 30 window_shown "Tellurix Korvane"
check "a second start shows the hidden window" eval 'second_start && wait_until 5 eval "window_shown \"Tellurix Korvane\" && ! minimised"'
shot 07-hidden-then-shown

# The macro recorder holds the desktop's shortcuts too: New, Start Recording, Super and Alt+Tab, Stop.
sleep 1
locate
press 100 150  # the Macro Manager header
check "the macro manager opens on the screen" wait_until 5 inside_screen "Macro Manager"
check "and over or beside the main window" over_main "Macro Manager"
click_in "Macro Manager" 40 380   # New
click_in "Macro Manager" 340 99   # Start Recording
check "recording shows its title" wait_until 3 window_shown "Ctrl+Break"
sleep 0.5
keys super alt+Tab
shot 08-recording
click_in "Ctrl+Break" 340 99  # Stop Recording
check "the Windows key is recorded under its table name" wait_until 5 grep -q "=Left Windows   Dn" "$home/record.ini"
check "and Alt+Tab as keys" eval 'grep -q "=Alt   Dn" "$home/record.ini" && grep -q "=Tab   Dn" "$home/record.ini"' ||
  cat "$home/record.ini"
[ "$compositor" = sway ] && check "sway did not act on Alt+Tab while recording" test ! -e "$scratch/shortcut-alt-tab"

finish
