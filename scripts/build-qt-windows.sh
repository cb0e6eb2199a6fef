#!/usr/bin/env bash
# Builds Qt for 64-bit Windows from Debian's own qt6-base source with the project's MinGW-w64 toolchain file:
# only what the program uses (Core, Gui, Widgets, the windows and offscreen platform plugins, PNG). The
# result is kept in ~/.cache/korvane/qt-<version>-mingw-w64 (or $KORVANE_CACHE/…); nothing is done when
# it is there. The build's output goes to a log beside it; a failed step says which.
#   scripts/build-qt-windows.sh      prints the folder of the built Qt
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

scripts/setup.sh cmake ninja-build dpkg-dev g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev qt6-base-dev-tools >&2

version=$(dpkg-query -W -f='${source:Upstream-Version}' qt6-base-dev-tools)
version=${version%%+*}
cache=${KORVANE_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/korvane}
prefix=$cache/qt-$version-mingw-w64
if [ -f "$prefix/lib/cmake/Qt6/Qt6Config.cmake" ]; then
  echo "$prefix"
  exit 0
fi

work=$cache/qt-$version-mingw-w64.build
log=$work/build.log
mkdir -p "$work"
: >"$log"
step() {  # name, command...
  local name=$1
  shift
  echo "Qt for Windows: $name (log: $log)" >&2
  if ! "$@" >>"$log" 2>&1; then
    echo "Qt for Windows: $name failed; the end of $log:" >&2
    tail -n 30 "$log" >&2
    exit 1
  fi
}

# Debian's source, through a sources folder of our own so that the system's apt set-up stays as it is.
fetch() {
  local sources=$work/apt-sources lists=$work/apt-lists
  mkdir -p "$sources" "$lists/partial"
  local suite
  suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
  echo "deb-src http://deb.debian.org/debian $suite main" >"$sources/debian-src.list"
  local options=(-o Dir::Etc::SourceParts="$sources" -o Dir::Etc::SourceList=/dev/null -o Dir::State::Lists="$lists")
  apt-get "${options[@]}" update
  (cd "$work" && rm -rf source && mkdir source && cd source && apt-get "${options[@]}" source "qt6-base=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)")
}
[ -d "$work/source" ] && compgen -G "$work/source/qt6-base-*/CMakeLists.txt" >/dev/null || step "fetching Debian's qt6-base source" fetch
src=$(echo "$work"/source/qt6-base-*/)

# Debian's +dfsg source lacks the tablet library (tabletevent off). The windows plugin of 6.4.2 needs
# OpenGL on, and uses the DirectWrite 3 font database that Gui builds only with Direct2D: both off.
configure() {
  rm -rf "$work/build"
  cmake -S "$src" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix.partial" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DBUILD_SHARED_LIBS=ON -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF \
    -DFEATURE_concurrent=OFF -DFEATURE_testlib=OFF -DFEATURE_xml=OFF -DFEATURE_opengl=ON -DFEATURE_direct2d=OFF \
    -DFEATURE_directwrite3=OFF -DFEATURE_tabletevent=OFF -DFEATURE_zstd=OFF -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_ico=OFF
}
step "configuring" configure
# A progress line at every tenth of the build, from ninja's "[done/total]" in the log.
progress() {
  local shown=0 counts done total
  while sleep 10; do
    counts=$(tail -c 4096 "$log" | grep -o '^\[[0-9]*/[0-9]*\]' | tail -n 1 | tr -d '[]')
    [ -n "$counts" ] || continue
    done=${counts%/*} total=${counts#*/}
    if [ $((done * 10 / total)) -gt "$shown" ]; then
      shown=$((done * 10 / total))
      echo "Qt for Windows: built $done of $total" >&2
    fi
  done
}
progress &
progress_pid=$!
trap 'kill $progress_pid 2>/dev/null' EXIT
step "building" cmake --build "$work/build" --parallel 2
kill $progress_pid 2>/dev/null
step "installing" cmake --install "$work/build"
rm -rf "$prefix"
mv "$prefix.partial" "$prefix"
echo "$prefix"
