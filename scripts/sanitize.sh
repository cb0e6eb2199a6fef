#!/usr/bin/env bash
# The core tests and the offscreen window tests under AddressSanitizer + UndefinedBehaviorSanitizer (every
# test through ctest but the kernel loop, which boots the plain build of scripts/test.sh, the desktop tests
# and the install test), then the tests labelled "threads" under ThreadSanitizer, built with the GUI off
# and Qt out of reach, so the core is seen to build without it.
# Exits non-zero on any failure or sanitizer report.
#   scripts/sanitize.sh      ASAN_DIR and TSAN_DIR name the build folders (build-asan, build-tsan)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
asan="${ASAN_DIR:-build-asan}"
tsan="${TSAN_DIR:-build-tsan}"
jobs=2

configure() {  # folder, sanitizer flags, further cmake options
  local folder=$1 flags=$2
  shift 2
  cmake -S . -B "$folder" --no-warn-unused-cli -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANE_WERROR=ON "$@" \
    -DCMAKE_CXX_FLAGS="$flags -fno-omit-frame-pointer" -DCMAKE_EXE_LINKER_FLAGS="$flags" >/dev/null
}

echo "== AddressSanitizer + UndefinedBehaviorSanitizer: the core tests and the offscreen window tests"
configure "$asan" "-fsanitize=address,undefined -fno-sanitize-recover=all"
cmake --build "$asan" -j"$jobs" --target korvane_tests korvane_gui_tests
failed=0
ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$asan" --output-on-failure -j"$jobs" --label-exclude '^(kernel|desktop)$' \
    --exclude-regex '^PackagingInstall$' || failed=1

echo "== ThreadSanitizer: the tests that run threads"
configure "$tsan" "-fsanitize=thread" -DKORVANE_BUILD_GUI=OFF -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON
cmake --build "$tsan" -j"$jobs" --target korvane_tests
TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
  ctest --test-dir "$tsan" --output-on-failure -j"$jobs" --label-regex '^threads$' || failed=1
exit "$failed"
