#!/usr/bin/env bash
# The GNOME Shell extension, run by gjs outside the Shell (which does not run headless) against a
# stand-in for the Shell's display, on a private session bus where a stand-in for the program logs the
# FocusChanged calls: the window focused when the program appears, then each change of the focused window
# by its WM class, sandboxed or GTK application id, nothing once disabled. Also its metadata, and what the
# program says of it by what a stand-in for the Shell says.
#   tests/desktop/gnome_extension.sh SOURCE_DIR ARTEFACT_DIR
set -uo pipefail
source "$(dirname "$0")/../../scripts/checks.sh"
extension="$1/packaging/gnome-shell/korvane-focus@tellurix.org"
artefacts=$2
tools=$KORVANE_TEST_TOOLS
rm -rf "$artefacts"
mkdir -p "$artefacts"

check "the metadata names the extension's folder" \
  eval '[ "$(jq -r .uuid "$extension/metadata.json")" = "$(basename "$extension")" ]'
check "the metadata says which Shells it is for" eval 'jq -e ".\"shell-version\" | length > 0" "$extension/metadata.json" >/dev/null'

calls="$artefacts/focus-changed.log"
dbus-run-session -- bash -c '
  "$1/korvane_focus_service" >"$2" 2>&1 &
  for i in $(seq 50); do dbus-send --session --print-reply --dest=org.freedesktop.DBus \
    /org/freedesktop/DBus org.freedesktop.DBus.NameHasOwner string:org.tellurix.Korvane | grep -q true && break; sleep 0.1; done
  gjs "$3/gnome_extension.js" "$4"
  kill $!' _ "$tools" "$calls" "$(dirname "$0")" "$extension" >"$artefacts/gjs.log" 2>&1
check "the extension ran" grep -qx done "$artefacts/gjs.log"
expected=$(printf '%s\t%s\n' first "At the start" "" "" steam_app_1234 Racing org.example.Sandboxed "In a box" \
  org.example.Gtk Plain)
check "it reported the window at the start, each change and nothing once disabled" \
  eval '[ "$(cat "$calls")" = "$expected" ]'

# What the program says of the extension, by what the Shell says of it.
uuid=$(basename "$extension")
describes() {
  local state=$1 line=$2
  dbus-run-session -- bash -c '
    gjs "$1/gnome_shell.js" "$2" "$3" >"$5/shell-$3.log" 2>&1 &
    for i in $(seq 50); do grep -q ready "$5/shell-$3.log" && break; sleep 0.1; done
    echo quit | XDG_CURRENT_DESKTOP=GNOME XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=wayland-0 "$4/korvane_focus_probe" /
    kill $!' _ "$(dirname "$0")" "$uuid" "$state" "$tools" "$artefacts" 2>&1 | grep -qxF "# focus: GNOME Shell extension$line"
}
check "an enabled extension is active" describes 1 " $uuid, active"
check "a disabled one says how to enable it" \
  describes 2 ", not active: the extension is not enabled: run \`gnome-extensions enable $uuid\`"
check "a missing one says where it comes from" describes none \
  ", not active: the Shell does not have the extension $uuid (it comes with Korvane's package in share/gnome-shell/extensions; log out and in after installing)"

finish
