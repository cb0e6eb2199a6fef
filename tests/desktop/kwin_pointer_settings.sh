#!/usr/bin/env bash
# The desktop pointer settings after Save in a Plasma Wayland session, read back from KWin's input devices
# on the session bus (a stand-in with a mouse, a touchpad and a keyboard), and the double-click time from
# the Plasma configuration writer (a stand-in that logs what it is asked to write). The window itself
# still shows through XWayland's way: on X.
#   tests/desktop/kwin_pointer_settings.sh BIN_DIR ARTEFACT_DIR
source "$(dirname "$0")/harness.sh"

devices_log="$artefacts/kwin-input-devices.log"
start_bus_service org.kde.KWin "$devices_log" "$KORVANE_TEST_TOOLS/korvane_kwin_input_devices"

mkdir -p "$scratch/bin"
written="$artefacts/kwriteconfig.log"
printf '#!/bin/sh\necho "$@" >>"%s"\n' "$written" >"$scratch/bin/kwriteconfig6"
chmod +x "$scratch/bin/kwriteconfig6"
export PATH="$scratch/bin:$PATH"
export XDG_CURRENT_DESKTOP=KDE XDG_SESSION_TYPE=wayland QT_QPA_PLATFORM=xcb

device() {
  dbus-send --session --print-reply --dest=org.kde.KWin "/org/kde/KWin/InputDevice/$1" \
    org.freedesktop.DBus.Properties.Get string:org.kde.KWin.InputDevice "string:$2" | sed -n 's/^ *variant *//p'
}

# Pointer speed position 4 is system speed 6, -0.4 on KWin's scale; precision off is the flat profile.
korvanectl set pointer-speed 4 >/dev/null
korvanectl set pointer-precision off >/dev/null
korvanectl set double-click 6 >/dev/null
check "the window opens as in a Plasma Wayland session" start_korvane --emulate
press 950 619  # Save
check "Save sets the mouse's speed in KWin" wait_until 5 eval '[ "$(device event3 pointerAcceleration)" = "double -0.4" ]'
check "Save sets the mouse's flat profile in KWin" test "$(device event3 pointerAccelerationProfileFlat)" = "boolean true"
check "the touchpad keeps its own speed" test "$(device event4 pointerAcceleration)" = "double 0"
check "the keyboard is left alone" eval '! grep -q event9 "$devices_log"'
check "the double-click time goes to kdeglobals" \
  grep -qx -- "--file kdeglobals --group KDE --key DoubleClickInterval 550" "$written"
check "nothing failed" eval '! xdotool search --onlyvisible --name "^Warning$" >/dev/null'
shot 01-kwin-saved

finish
