#!/usr/bin/env bash
# One version everywhere: the project's version (CMakeLists.txt) is what both programs print, what the
# help panel shows, the newest entry of debian/changelog and the newest release of the AppStream file.
# The window footer is drawn from the same definition as the help panel's text.
# usage: version_test.sh SOURCE_DIR PROGRAM_DIR VERSION
set -uo pipefail
source "$(dirname "$0")/../../scripts/checks.sh"
source_dir=$1
bin_dir=$2
version=$3

newest_changelog() { dpkg-parsechangelog -l "$source_dir/debian/changelog" -S Version; }
# Releases are listed newest first.
newest_release() {
  sed -n 's/.*<release [^>]*version="\([^"]*\)".*/\1/p' "$source_dir"/packaging/desktop/*.metainfo.xml | head -1
}

check "korvanectl --version says $version" eval '"$bin_dir/korvanectl" --version | head -1 | grep -qxF "korvanectl $version"'
if [ -x "$bin_dir/korvane" ]; then
  check "korvane --version says $version" eval '"$bin_dir/korvane" --version | head -1 | grep -qxF "korvane $version"'
  check "the help panel says $version" grep -qaF "Version：$version" "$bin_dir/korvane"
fi
check "debian/changelog's newest entry is $version (it says $(newest_changelog))" test "$(newest_changelog)" = "$version"
check "the AppStream file's newest release is $version (it says $(newest_release))" test "$(newest_release)" = "$version"
finish
