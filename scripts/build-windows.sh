#!/usr/bin/env bash
# Cross-builds korvanectl and the core tests for 64-bit Windows with MinGW-w64 on Debian 12, without the
# GUI (Qt 6 for Windows is not packaged in Debian). BUILD_DIR/bin then holds korvanectl.exe and the
# factory files: a portable program folder to copy to a Windows machine. The build-time generator runs
# through Wine, in a Wine prefix of its own under BUILD_DIR.
#   scripts/build-windows.sh [BUILD_DIR]      (default build-windows)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=$(realpath -m "${1:-build-windows}")

scripts/setup.sh cmake make g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev googletest wine wine64

# Console programs need no display; the prefix's first start (wineboot) is the slow part, done once.
export WINEPREFIX="$build_dir/wine-prefix" WINEDEBUG=-all
mkdir -p "$build_dir"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wine wineboot --init >/dev/null 2>&1
  wineserver --wait
fi

cmake -S . -B "$build_dir" -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" -DKORVANE_BUILD_GUI=OFF \
  -DKORVANE_WERROR=ON >/dev/null
cmake --build "$build_dir" -j2
echo "Program folder: $build_dir/bin"
