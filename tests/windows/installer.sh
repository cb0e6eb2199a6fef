#!/usr/bin/env bash
# The installer under Wine: a silent install into Program Files with its Start-menu entry; the installed
# korvane.exe seeds an empty %APPDATA%\korvane at its first start; a silent uninstall removes the program
# and leaves the user's profiles.
#   tests/windows/installer.sh INSTALLER ARTEFACT_DIR      (WINEPREFIX names the Wine prefix)
set -uo pipefail
installer=$(realpath "$1")
artefacts=$2
mkdir -p "$artefacts"
source "$(dirname "$0")/../../scripts/checks.sh"
export WINEDEBUG=-all

unix_path() { winepath -u "$(wine cmd /c "echo $1" 2>/dev/null | tr -d '\r')" 2>/dev/null; }
program=$(unix_path '%ProgramW6432%')/Korvane
appdata=$(unix_path '%APPDATA%')/korvane
start_menu=$(unix_path '%ProgramData%')/Microsoft/Windows/Start\ Menu/Programs
rm -rf "$program" "$appdata"

wine "$installer" /S
wineserver --wait
check "the installer installs silently into Program Files" test -f "$program/korvane.exe"
check "... with korvanectl, Qt and the platform plugin" \
  test -f "$program/korvanectl.exe" -a -f "$program/Qt6Widgets.dll" -a -f "$program/platforms/qwindows.dll"
check "... the factory files and the skin in its data folder" \
  test -f "$program/data/config0.bin" -a -f "$program/data/Skins/Default/main.png"
check "... and a Start-menu entry" test -f "$start_menu/Tellurix Korvane.lnk"

# The first start, drawing its window into a file so that it needs no display.
wine "$program/korvane.exe" --emulate --screenshot "$(winepath -w "$artefacts")\\installed.png" \
  >"$artefacts/korvane.log" 2>&1
check "the installed korvane.exe starts" test $? -eq 0 -a -s "$artefacts/installed.png"
check "... and seeds %APPDATA%\\korvane from its factory files" cmp "$program/data/config0.bin" "$appdata/config0.bin"
check "... the labels too" cmp "$program/data/str0.ini" "$appdata/str0.ini"

# The user's own settings, which the uninstaller must leave.
(cd /tmp && wine "$program/korvanectl.exe" set cpi 2 1600 >/dev/null 2>&1)
check "the installed korvanectl.exe edits the user's profile" eval '! cmp -s "$program/data/config0.bin" "$appdata/config0.bin"'
cp "$appdata/config0.bin" "$artefacts/edited.bin"

wine "$program/uninstall.exe" /S
wineserver --wait
check "the uninstaller removes the program" test ! -e "$program"
check "... and its Start-menu entry" test ! -e "$start_menu/Tellurix Korvane.lnk"
check "... and leaves the user's profiles" cmp "$artefacts/edited.bin" "$appdata/config0.bin"
finish
