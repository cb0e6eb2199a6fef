#!/usr/bin/env bash
# Set-up, build, and start Korvane on the emulated mouse. Without a display the main window is written
# to a PNG instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build >/dev/null
cmake --build build -j2
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  shot="$PWD/build/main-window.png"
  echo "No display (DISPLAY and WAYLAND_DISPLAY are empty): writing the main window to a screenshot instead."
  QT_QPA_PLATFORM=offscreen build/bin/korvane --emulate --screenshot "$shot"
  echo "Screenshot: $shot"
  exit 0
fi
exec build/bin/korvane --emulate "$@"
