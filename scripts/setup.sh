#!/usr/bin/env bash
# Installs what building and testing Korvane needs on Debian 12. Quiet and quick when all is there.
#   scripts/setup.sh              the packages below
#   scripts/setup.sh PACKAGE...   those packages instead (scripts/package.sh and build-windows.sh name theirs)
set -euo pipefail

# Qt's Wayland client and its private headers are for the key captures under Wayland, which ask the
# compositor for its shortcuts through a protocol of wayland-protocols; xcb for the X11 focus watcher. gjs
# loads the GNOME Shell extension in its test, as far as it goes without a Shell. From xvfb on, the desktop tests: an
# X server, a window manager, real input events, a private session bus and its monitor, screenshots as
# PNG, and a system tray (trayer) for the tray icon's test. The same under two Wayland compositors, sway
# (screenshots from grim, its state read with jq) and KWin (input through its fake-input protocol, from
# plasma-wayland-protocols; Plasma's configuration read back with kreadconfig5), pressed by a client of
# ours (Wayland's client library and xkbcommon for its keyboard). Then the kernel loop, and the checks of
# the installed tree: its desktop files, man pages and shell completion.
packages=(cmake g++ make pkg-config libgtest-dev libgmock-dev
          qt6-base-dev qt6-base-dev-tools qt6-base-private-dev qt6-wayland qt6-wayland-dev wayland-protocols libgl-dev
          libxcb1-dev gjs
          fonts-noto-cjk fonts-dejavu-core fonts-liberation2 fonts-open-sans libbenchmark-dev
          xvfb openbox xdotool x11-utils x11-xserver-utils dbus-daemon dbus-bin imagemagick trayer
          libglib2.0-bin gsettings-desktop-schemas
          sway grim jq kwin-wayland plasma-wayland-protocols libwayland-dev libxkbcommon-dev libkf5config-bin
          qemu-system-x86 busybox-static cpio xz-utils
          desktop-file-utils appstream man-db groff-base bash-completion)
[ $# -gt 0 ] && packages=("$@")

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
