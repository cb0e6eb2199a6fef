#!/usr/bin/env bash
# The desktop pointer settings after Save, read back from the desktop: on a bare X server the pointer
# acceleration that `xset q` reports, and with GNOME's schema (keyfile backend) the GSettings keys.
#   tests/desktop/pointer_settings.sh BIN_DIR ARTEFACT_DIR
source "$(dirname "$0")/harness.sh"

acceleration() { xset q | sed -n 's/^ *acceleration: *\([0-9/]*\) *threshold: *\([0-9]*\).*/\1 \2/p'; }

# A bare X server. Pointer speed position 4 is system speed 6; precision off leaves no threshold.
korvanectl set pointer-speed 4 >/dev/null
korvanectl set pointer-precision off >/dev/null
check "the window opens on a bare X server" start_korvane --emulate
press 950 619  # Save
check "Save sets the X server's pointer acceleration" wait_until 5 eval '[ "$(acceleration)" = "6/10 0" ]'
shot 01-xserver-saved
stop_korvane

# GNOME, with its settings in a keyfile of the scratch home.
export XDG_CURRENT_DESKTOP=GNOME GSETTINGS_BACKEND=keyfile XDG_CONFIG_HOME="$scratch/config"
korvanectl set pointer-speed 11 >/dev/null
korvanectl set pointer-precision on >/dev/null
korvanectl set double-click 6 >/dev/null
check "the window opens on GNOME" start_korvane --emulate
press 950 619  # Save
mouse_key() { gsettings get org.gnome.desktop.peripherals.mouse "$1"; }
check "GSettings: speed" wait_until 5 eval '[ "$(mouse_key speed)" = "1.0" ]'
check "GSettings: acceleration profile" test "$(mouse_key accel-profile)" = "'adaptive'"
# The double-click time is the last of the four writes.
check "GSettings: double-click time" wait_until 5 eval '[ "$(mouse_key double-click)" = "550" ]'
check "GSettings: the keys are in the user's keyfile" grep -q "double-click=550" "$XDG_CONFIG_HOME/glib-2.0/settings/keyfile"
shot 02-gnome-saved

finish
