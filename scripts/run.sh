#!/usr/bin/env bash
# Set-up, build, and show the factory profile of the program folder.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build >/dev/null
cmake --build build -j"$(nproc)"
exec build/bin/korvanectl --emulate show
