#!/usr/bin/env bash
# Makes the README's pictures anew from a build: every window and dialog in English, the main window and
# the assignment list in simplified Chinese. Each is the program's own --screenshot on a fresh copy of the
# build's program folder, so it needs no display.
#   scripts/screenshots.sh [BUILD_DIR]     BUILD_DIR defaults to build/
set -euo pipefail
cd "$(dirname "$0")/.."
bin="${1:-build}/bin"
out=docs
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT

# shot LANGUAGE NAME STEP...: docs/NAME.png after the --open steps, with the window in LANGUAGE.
shot() {
  local language=$1 name=$2
  shift 2
  rm -rf "${home:?}"/*
  cp -r "$bin"/config*.bin "$bin"/str*.ini "$bin"/Skins "$home"/
  [ "$language" = ENG ] || sed -i "s/^Lan=[A-Z]*\r\$/Lan=$language\r/" "$home"/str*.ini
  QT_QPA_PLATFORM=offscreen "$bin/korvane" --emulate --home "$home" --screenshot "$out/$name.png" --open "$@" \
    2> >(grep -v '^QStandardPaths' >&2)
  echo "$out/$name.png"
}

shot ENG main-window button-assignment
shot ENG panels-page1 xy-sensitivity report-rate lighting cpi
shot ENG panels-page2 button-assignment angle-snap scroll-speed double-click mouse-speed page2
shot ENG assignment-list button-assignment list4
shot ENG single-key button-assignment single-key
shot ENG combo-key button-assignment combo-key
shot ENG macro-key button-assignment macro-key
shot ENG macro-manager-recording recording
shot ENG profile-manager profile-manager
shot ENG help help
shot ENG message message
shot CHS main-window-chs button-assignment cpi
shot CHS assignment-list-chs button-assignment list2
shot CHS message-chs message
