#!/usr/bin/env bash
# Secondary windows open wholly on the screen, wherever the main window is: with the main window at the
# screen's right edge, hanging over it, and with no room on either side, the profile manager and the
# macro manager lie within the 1280x800 screen.
#   tests/desktop/window_placement.sh BIN_DIR ARTEFACT_DIR
source "$(dirname "$0")/harness.sh"

# on_screen NAME: the window with this exact title is shown and lies wholly within the screen.
on_screen() {
  local id x y width height
  wait_until 5 eval "xdotool search --onlyvisible --name '^$1\$' >/dev/null" || return 1
  id=$(xdotool search --onlyvisible --name "^$1\$" | head -1)
  eval "$(xdotool getwindowgeometry --shell "$id" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
  x=$X y=$Y width=$WIDTH height=$HEIGHT
  echo "  $1 at $x,$y, ${width}x$height"
  ((x >= 0 && y >= 0 && x + width <= 1280 && y + height <= 800))
}

check "the window opens" start_korvane --emulate
eval "$(xdotool getwindowgeometry --shell "$window" | grep -E '^WIDTH=')"
main_width=$WIDTH

# close_window NAME X Y: a press at the window's own close button, then it is gone.
close_window() {
  xdotool mousemove --window "$(xdotool search --onlyvisible --name "^$1\$" | head -1)" "$2" "$3" click 1
  wait_until 5 eval "! xdotool search --onlyvisible --name '^$1\$' >/dev/null"
}

for left in $((1280 - main_width)) 1148 100; do
  xdotool windowmove --sync "$window" "$left" 100
  sleep 0.3
  press 50 619  # Config
  check "with the main window at x $left the profile manager is on the screen" on_screen Configuration
  shot "profile-manager-$left"
  check "its close button closes it" close_window Configuration 247 15
  press 100 150  # the Macro Manager header
  check "with the main window at x $left the macro manager is on the screen" on_screen "Macro Manager"
  shot "macro-manager-$left"
  check "its Cancel closes it" close_window "Macro Manager" 380 408
done

finish
