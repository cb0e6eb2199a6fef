#!/usr/bin/env bash
# The running window on its session bus, called as scripts and the desktop call it (dbus-send):
# UseProfile puts a profile into the emulated mouse and makes it current, korvanectl profiles use goes
# through the window, refusals come back as errors, and the signals arrive.
#   tests/desktop/profile_bus.sh BIN_DIR ARTEFACT_DIR
source "$(dirname "$0")/harness.sh"

# Three profiles; Office's stage 1 is 3200 CPI, so its settings page differs from the others.
korvanectl profiles new Racing
korvanectl profiles new Office
korvanectl set --profile 2 cpi 1 3200
signals="$artefacts/signals.log"
dbus-monitor --session "type='signal',path='/org/tellurix/Korvane'" >"$signals" 2>&1 &

bus() {
  dbus-send --session --print-reply=literal --reply-timeout=5000 --dest=org.tellurix.Korvane /org/tellurix/Korvane "$@"
}
property() { bus org.freedesktop.DBus.Properties.Get string:org.tellurix.Korvane1 "string:$1"; }
# The settings page as korvanectl would send it for profile N, and as the emulated mouse holds it (its
# memory file: a 28-byte header, then the settings page).
profile_page() { korvanectl pages --profile "$1" | sed -n 's/^settings: //p' | tr -d ' \n'; }
mouse_page() {
  local bytes=$(($(profile_page 0 | wc -c) / 2))
  od -An -v -tx1 -j28 -N"$bytes" "$home/emulated-mouse.bin" | tr -d ' \n'
}
mouse_holds() { [ "$(mouse_page)" = "$(profile_page "$1")" ]; }
current_is() { korvanectl profiles list | grep -q "^\* $1 "; }
# refused ERROR ARGS...: the call fails with org.tellurix.Korvane1.Error.ERROR.
refused() {
  local name=$1
  shift
  ! bus "$@" >"$scratch/reply" 2>&1 && grep -q "org.tellurix.Korvane1.Error.$name" "$scratch/reply"
}

check "the window opens" start_korvane --emulate
check "the interface introspects as installed" \
  eval 'bus org.freedesktop.DBus.Introspectable.Introspect | grep -q "<method name=\"FocusChanged\">"'
check "ListProfiles names the three profiles in order" \
  eval '[ "$(bus org.tellurix.Korvane1.ListProfiles | tr -s " \n" " ")" = " array [ PROFILE_0 Racing Office ] " ]'
check "the mouse is connected" eval 'property Connected | grep -q "boolean true"'

check "UseProfile 2 answers" bus org.tellurix.Korvane1.UseProfile int32:2
check "the emulated mouse holds profile 2's settings" mouse_holds 2
check "profile 2 is current in the list" current_is 2
check "CurrentProfile and MouseProfile name it" \
  eval 'property CurrentProfile | grep -q "Office" && property MouseProfile | grep -q "Office"'
check "ProfileChanged said so" wait_until 3 grep -q 'string "Office"' "$signals"
check "PropertiesChanged said so" grep -q 'member=PropertiesChanged' "$signals"
shot 01-office

check "korvanectl profiles use goes through the window" korvanectl profiles use Racing
check "the emulated mouse holds profile 1's settings" mouse_holds 1
check "profile 1 is current" current_is 1
check "a position beyond the list is refused" refused NoSuchProfile org.tellurix.Korvane1.UseProfile int32:7
check "a call with the wrong arguments is refused" \
  eval '! bus org.tellurix.Korvane1.UseProfile string:Office 2>/dev/null'

# An edit in the window: CPI Setting, the first stage's bar at its middle.
press 850 42
press 780 152
check "over unsaved edits UseProfile is refused" refused UnsavedEdits org.tellurix.Korvane1.UseProfile int32:0
check "korvanectl passes the window's refusal on" \
  eval '! korvanectl profiles use 0 2>"$scratch/cli" && grep -q "save or cancel them first" "$scratch/cli"'
check "and the mouse keeps profile 1" mouse_holds 1

# The emulated mouse's CPI button, from the window's right-click menu.
press 600 590 3
keys Down Return
check "the mouse's stage switch is signalled" wait_until 3 grep -q 'member=StageSwitched' "$signals"
check "FocusChanged answers" bus org.tellurix.Korvane1.FocusChanged string:firefox string:Start

finish
