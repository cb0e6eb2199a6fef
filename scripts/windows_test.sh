#!/usr/bin/env bash
# The Windows build under Wine: the core tests, then korvanectl.exe against the Linux build's korvanectl
# on the emulated mouse — the upload trace, korvanectl.exe started from another folder, `set` in a folder
# whose name is not ASCII, and such folders and files named by --home, export, import and --file — and the
# HID enumeration against Wine's HID layer (no mouse there); then korvane.exe on a desktop
# (tests/desktop/windows_window.sh) and the installer (tests/windows/installer.sh).
#   scripts/windows_test.sh [WINDOWS_BUILD_DIR] [LINUX_PROGRAM_DIR]   (default build-windows, build/bin)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=$(realpath -m "${1:-build-windows}")
linux_bin=$(realpath -m "${2:-build/bin}")
[ -x "$linux_bin/korvanectl" ] || { echo "no Linux korvanectl in $linux_bin: build it first"; exit 1; }

scripts/build-windows.sh "$build_dir" "$(dirname "$linux_bin")"
export WINEPREFIX="$build_dir/wine-prefix" WINEDEBUG=-all

source scripts/checks.sh

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A program folder of each build, factory files only.
fresh() {  # source program folder, destination
  mkdir -p "$2"
  find "$1" -maxdepth 1 -type f \( -name '*.bin' -o -name '*.ini' -o -name 'korvanectl*' \) \
    ! -name emulated-mouse.bin ! -name record.ini -exec cp {} "$2/" \;
}

KORVANE_TEST_SYSTEM_SETTINGS=1 check "core tests under Wine" wine "$build_dir/tests/korvane_tests.exe" --gtest_brief=1

fresh "$linux_bin" "$work/linux"
fresh "$build_dir/bin" "$work/windows"
"$work/linux/korvanectl" --emulate upload --trace >"$work/linux.trace"
(cd "$work/windows" && wine ./korvanectl.exe --emulate upload --trace >"$work/windows.trace")
check "upload trace equals the Linux one, byte for byte" cmp "$work/linux.trace" "$work/windows.trace"
check "the emulated mouse's memory equals the Linux one" \
  cmp "$work/linux/emulated-mouse.bin" "$work/windows/emulated-mouse.bin"
check "the saved profile equals the Linux one" cmp "$work/linux/config0.bin" "$work/windows/config0.bin"

"$work/linux/korvanectl" set cpi 2 1600 >/dev/null
mkdir -p "$work/elsewhere"
(cd "$work/elsewhere" && wine "$work/windows/korvanectl.exe" set cpi 2 1600 >/dev/null)
check "korvanectl.exe started from another folder edits its own program folder" \
  cmp "$work/linux/config0.bin" "$work/windows/config0.bin"
check "... and writes nothing where it was started" test -z "$(ls -A "$work/elsewhere")"
"$work/linux/korvanectl" show --json >"$work/linux.json"
(cd "$work/elsewhere" && wine "$work/windows/korvanectl.exe" show --json >"$work/windows.json")
# The first line names the profile file, a Windows path there.
check "show --json equals the Linux one but for the file's path (no CRLF)" \
  cmp <(grep -v '^  "file": ' "$work/linux.json") <(grep -v '^  "file": ' "$work/windows.json")

home="$work/hömé"
fresh "$build_dir/bin" "$home"
fresh "$linux_bin" "$work/linux-home"
for edit in "color 1 #ff8000" "cpi 2 1600" "button 4 single-key A"; do
  # shellcheck disable=SC2086
  "$work/linux-home/korvanectl" set $edit >/dev/null
  # shellcheck disable=SC2086
  (cd "$home" && wine ./korvanectl.exe set $edit >/dev/null)
done
check "set works in the folder hömé" cmp "$work/linux-home/config0.bin" "$home/config0.bin"
check "... and its labels too" cmp "$work/linux-home/str0.ini" "$home/str0.ini"
check "... and leaves no temporary file behind" test "$(ls "$home" | grep -c -v -E '\.(bin|ini|exe)$')" -eq 0

# Paths named on the command line: --home, export, import and --file, each into or from a folder whose
# name is not ASCII, against the Linux korvanectl doing the same. Wine gets Windows paths.
winhome="$work/wïn hömé" linhome="$work/lïn hömé"
fresh "$build_dir/bin" "$winhome"
fresh "$linux_bin" "$linhome"
mkdir -p "$work/wïn ördner" "$work/lïn ördner"
windows_path() { winepath -w "$1" 2>/dev/null; }
winctl() { wine "$winhome/korvanectl.exe" --home "$(windows_path "$winhome")" "$@"; }
linctl() { "$linhome/korvanectl" --home "$linhome" "$@"; }
linctl set cpi 2 1600 >/dev/null
winctl set cpi 2 1600 >/dev/null || true
check "--home names the folder hömé" cmp "$linhome/config0.bin" "$winhome/config0.bin"
linctl export "$work/lïn ördner/prófíl" >/dev/null
winctl export "$(windows_path "$work/wïn ördner")\\prófíl" >/dev/null || true
check "export writes into the folder ördner" cmp "$work/lïn ördner/prófíl.bin" "$work/wïn ördner/prófíl.bin"
check "... its labels too" cmp "$work/lïn ördner/prófíl.ini" "$work/wïn ördner/prófíl.ini"
check "... and the copy in hömé" cmp "$linhome/prófíl.bin" "$winhome/prófíl.bin"
linctl set --file "$work/lïn ördner/prófíl.bin" cpi 3 3200 >/dev/null
winctl set --file "$(windows_path "$work/wïn ördner/prófíl.bin")" cpi 3 3200 >/dev/null || true
check "--file names a file in ördner" cmp "$work/lïn ördner/prófíl.bin" "$work/wïn ördner/prófíl.bin"
linctl import "$work/lïn ördner/prófíl.bin" >/dev/null
winctl import "$(windows_path "$work/wïn ördner/prófíl.bin")" >/dev/null || true
check "import reads from the folder ördner" cmp "$linhome/config0.bin" "$winhome/config0.bin"
check "... its labels too" cmp "$linhome/str0.ini" "$winhome/str0.ini"
winctl show --file "$(windows_path "$work/wïn ördner/prófíl.bin")" --json >"$work/named.json" || true
check "show --json names the file in UTF-8" grep -qF 'wïn ördner\\prófíl.bin",' "$work/named.json"

wine "$build_dir/bin/korvanectl.exe" devices >"$work/devices" 2>&1 || true
check "devices lists Wine's HID interfaces" grep -q '{4d1e55b2-f16f-11cf-88cb-001111000030}' "$work/devices"
check "... and no mouse among them" bash -c "! grep -qi '04d9:a0f4' '$work/devices'"

wineserver --kill || true

# korvane.exe on a desktop, pressed from outside; then the installer, silently in and out.
check "korvane.exe under Wine on a desktop" \
  tests/desktop/windows_window.sh "$build_dir/bin" "$linux_bin" "$build_dir/desktop-artefacts/windows-window"
scripts/package-windows.sh "$build_dir"
version="$(sed -n 's/^project(Korvane VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
check "the installer under Wine" \
  tests/windows/installer.sh "$build_dir/korvane-setup-$version.exe" "$build_dir/installer-artefacts"
finish
