#!/usr/bin/env bash
# The core test suite under AddressSanitizer + UndefinedBehaviorSanitizer (every test through ctest but the
# kernel loop, which boots the plain build of scripts/test.sh),
# then the tests labelled "threads" (tests/CMakeLists.txt) under ThreadSanitizer. GUI off and Qt out of
# reach, so the core is seen to build without it.
# Exits non-zero on any failure or sanitizer report.
#   scripts/sanitize.sh      ASAN_DIR and TSAN_DIR name the build folders (build-asan, build-tsan)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
asan="${ASAN_DIR:-build-asan}"
tsan="${TSAN_DIR:-build-tsan}"
jobs=2

configure() {  # folder, sanitizer flags
  cmake -S . -B "$1" --no-warn-unused-cli -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANE_WERROR=ON -DKORVANE_BUILD_GUI=OFF \
    -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON \
    -DCMAKE_CXX_FLAGS="$2 -fno-omit-frame-pointer" -DCMAKE_EXE_LINKER_FLAGS="$2" >/dev/null
  cmake --build "$1" -j"$jobs" --target korvane_tests
}

echo "== AddressSanitizer + UndefinedBehaviorSanitizer: all core tests"
configure "$asan" "-fsanitize=address,undefined -fno-sanitize-recover=all"
failed=0
ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$asan" --output-on-failure -j"$jobs" --label-exclude kernel || failed=1

echo "== ThreadSanitizer: the tests that run threads"
configure "$tsan" "-fsanitize=thread"
TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
  ctest --test-dir "$tsan" --output-on-failure -j"$jobs" --label-regex '^threads$' || failed=1
exit "$failed"
