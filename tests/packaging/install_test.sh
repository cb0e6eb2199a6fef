#!/usr/bin/env bash
# Installs the build into a scratch prefix (DESTDIR) and uses it as a user would: the installed korvanectl
# and korvane with an empty home, then checks from outside that the user folder was seeded, that the
# factory files in the prefix were neither changed nor added to, and that the desktop files validate.
#   tests/packaging/install_test.sh BUILD_DIR
set -uo pipefail
build="$(cd "${1:?usage: install_test.sh BUILD_DIR}" && pwd)"
scratch="$build/install-test"
root="$scratch/root"
rm -rf "$scratch"
mkdir -p "$scratch/home"
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/checks.sh"

DESTDIR="$root" cmake --install "$build" --prefix /usr >"$scratch/install.log" || { cat "$scratch/install.log"; exit 1; }
prefix_listing() { (cd "$root" && find . -printf '%p %s %m %T@\n' | sort); }
prefix_listing >"$scratch/prefix-before"

data="$root/usr/share/korvane"
for file in usr/bin/korvane usr/bin/korvanectl usr/share/korvane/config.bin usr/share/korvane/Skins/Default/main.png \
            usr/share/applications/org.tellurix.Korvane.desktop usr/share/metainfo/org.tellurix.Korvane.metainfo.xml \
            usr/share/icons/hicolor/scalable/apps/korvane.svg usr/share/icons/hicolor/48x48/apps/korvane.png \
            usr/lib/udev/rules.d/70-korvane.rules usr/share/man/man1/korvane.1.gz usr/share/man/man1/korvanectl.1.gz \
            usr/share/bash-completion/completions/korvanectl usr/share/korvane/kwin/korvane-focus.js \
            usr/share/gnome-shell/extensions/korvane-focus@tellurix.org/metadata.json \
            usr/share/gnome-shell/extensions/korvane-focus@tellurix.org/extension.js usr/share/dbus-1/interfaces/org.tellurix.Korvane1.xml; do
  check "installed $file" test -s "$root/$file"
done
# Every factory file, by the list that factorygen wrote beside them.
while read -r name; do
  check "installed factory file $name" test -s "$data/$name"
done <"$build/factory-files.txt"

# Without XDG_CONFIG_HOME the user folder is ~/.config/korvane.
ctl() { env -u XDG_CONFIG_HOME HOME="$scratch/home" "$root/usr/bin/korvanectl" "$@"; }
user="$scratch/home/.config/korvane"
version="$(sed -n 's/^project(Korvane VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../../CMakeLists.txt")"
names_both_folders() {
  [ "$(ctl --version)" = "$(printf 'korvanectl %s\nuser files: %s\nfactory files and skin: %s' "$version" "$user" "$data")" ]
}
check "korvanectl --version names both folders" names_both_folders
shows_the_user_profile() { ctl show | grep -q "^Profile file: *$user/config0.bin$"; }
check "the installed korvanectl shows the user's profile" shows_the_user_profile
for name in config.bin str.ini config0.bin str0.ini config5.bin str5.ini; do
  check "the user folder was seeded with $name" cmp -s "$user/$name" "$data/$name"
done
check "set writes the user's profile" ctl set cpi 1 1600
holds_the_change() { ctl show | grep -q "CPI stage 1: *1600 CPI"; }
check "the user's profile holds the change" holds_the_change

# The window, started with XDG_CONFIG_HOME naming an empty folder, seeds that one.
xdg="$scratch/xdg"
check "the installed korvane renders its window" \
  env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$xdg" HOME="$scratch/home" \
  "$root/usr/bin/korvane" --emulate --screenshot "$scratch/window.png"
check "the window's screenshot was written" test -s "$scratch/window.png"
check "korvane seeded \$XDG_CONFIG_HOME/korvane" cmp -s "$xdg/korvane/config0.bin" "$data/config0.bin"
check "the emulated mouse keeps its memory in the user folder" test -s "$xdg/korvane/emulated-mouse.bin"

prefix_listing >"$scratch/prefix-after"
check "nothing under the prefix was written" cmp -s "$scratch/prefix-before" "$scratch/prefix-after"

check "desktop-file-validate passes" desktop-file-validate "$root/usr/share/applications/org.tellurix.Korvane.desktop"
check "appstreamcli validate passes" appstreamcli validate --no-net "$root/usr/share/metainfo/org.tellurix.Korvane.metainfo.xml"

finish
