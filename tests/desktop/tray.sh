#!/usr/bin/env bash
# The tray icon on a desktop with a system tray (trayer, an XEmbed tray like the panels' own), pressed with
# real pointer and key events: its menu's "Start with the desktop" writes and removes the autostart entry,
# a click brings the hidden window back, and Exit ends the program.
#   tests/desktop/tray.sh BIN_DIR ARTEFACT_DIR
source "$(dirname "$0")/harness.sh"

export XDG_CONFIG_HOME="$scratch/config"
entry="$XDG_CONFIG_HOME/autostart/org.tellurix.Korvane.desktop"
trayer --edge bottom --align right --widthtype request --height 32 >"$artefacts/trayer.log" 2>&1 &
pids+=($!)
check "the tray starts" wait_until 30 eval 'xdotool search --class trayer >/dev/null'

check "the window opens" start_korvane --emulate
# The icon is the program's small window that the tray took in.
tray_icon() {
  local id
  for id in $(xdotool search --class korvane); do
    [ "$id" != "$window" ] && xwininfo -id "$id" | grep -q 'Width: 2[0-9]$' && xwininfo -id "$id" | grep -q 'Map State: IsViewable' &&
      { echo "$id"; return 0; }
  done
  return 1
}
check "the tray holds Korvane's icon" wait_until 10 eval 'tray_icon >/dev/null'
icon=$(tray_icon)
# menu_item N: the tray menu's Nth item: three of the emulated mouse, "Start with the desktop", Exit.
menus=0
menu_item() {
  menus=$((menus + 1))
  xdotool mousemove --window "$icon" 10 14 click 3
  sleep 0.5
  shot "menu-$menus"
  for ((n = 0; n < $1; n++)); do xdotool key Down; done
  keys Return
}

menu_item 4
check "Start with the desktop writes the autostart entry" wait_until 5 test -f "$entry"
check "the entry starts this Korvane hidden on the same folder" \
  grep -qxF "Exec=$(realpath "$bin_dir/korvane") --hidden --home $home" "$entry"
cp "$entry" "$artefacts/autostart-entry.desktop" 2>/dev/null
menu_item 4
check "a second choice removes the entry" wait_until 5 test ! -e "$entry"

press 888 619  # Cancel
check "Cancel hides the window into the tray" wait_until 5 eval '! shown'
xdotool mousemove --window "$icon" 10 14 click 1
check "a click on the icon shows the window again" wait_until 5 shown
shot window-back

menu_item 5
check "Exit in the tray menu ends the program" wait_until 10 eval '! kill -0 "$korvane_pid" 2>/dev/null'

finish
