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

# says PROGRAM: the first line of PROGRAM --version is "PROGRAM VERSION".
says() { "$bin_dir/$1" --version | head -1 | grep -qxF "$1 $version"; }

check "korvanectl --version says $version" says korvanectl
if [ -x "$bin_dir/korvane" ]; then
  check "korvane --version says $version" says korvane
  check "the help panel says $version" grep -qaF "Version：$version" "$bin_dir/korvane"
fi
changelog=$(dpkg-parsechangelog -l "$source_dir/debian/changelog" -S Version)
check "debian/changelog's newest entry is $version (it says $changelog)" test "$changelog" = "$version"
# Releases are listed newest first.
release=$(sed -n 's/.*<release [^>]*version="\([^"]*\)".*/\1/p' "$source_dir"/packaging/desktop/*.metainfo.xml | head -1)
check "the AppStream file's newest release is $version (it says $release)" test "$release" = "$version"
finish
