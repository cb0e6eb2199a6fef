#!/usr/bin/env bash
# Cross-builds Korvane for 64-bit Windows with MinGW-w64 on Debian 12: korvane.exe with Qt for Windows
# (built once from Debian's source into the cache by scripts/build-qt-windows.sh), korvanectl.exe and the
# core tests. BUILD_DIR/bin is then a portable program folder: the programs, Qt's and MinGW's DLLs, the
# platform plugins, the factory files and the skin, to copy to a Windows machine as it is. The skin is the
# one the native build in LINUX_BUILD_DIR drew (drawn there first when it has none). Build-time generators
# and everything else that needs Windows run through Wine, in a Wine prefix of its own under BUILD_DIR.
#   scripts/build-windows.sh [BUILD_DIR] [LINUX_BUILD_DIR]      (default build-windows, build)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=$(realpath -m "${1:-build-windows}")
linux_dir=$(realpath -m "${2:-build}")

scripts/setup.sh cmake make g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev googletest wine wine64
qt=$(scripts/build-qt-windows.sh)

skin=$linux_dir/bin/Skins/Default
if [ ! -f "$skin/main.png" ]; then
  scripts/setup.sh
  cmake -S . -B "$linux_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANE_WERROR=ON >/dev/null
  cmake --build "$linux_dir" -j"$(nproc)" --target korvane_skin
fi

# The prefix's first start (wineboot) is the slow part, done once.
export WINEPREFIX="$build_dir/wine-prefix" WINEDEBUG=-all
mkdir -p "$build_dir"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wine wineboot --init >/dev/null 2>&1
  wineserver --wait
fi

cmake -S . -B "$build_dir" -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" -DKORVANE_QT_PREFIX="$qt" \
  -DKORVANE_HOST_SKIN="$skin" -DKORVANE_BUILD_GUI=ON -DKORVANE_WERROR=ON >/dev/null
cmake --build "$build_dir" -j"$(nproc)"
echo "Program folder: $build_dir/bin"
