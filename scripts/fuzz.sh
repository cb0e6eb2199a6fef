#!/usr/bin/env bash
# Builds the libFuzzer targets in fuzz/ with clang (ASan + UBSan) and runs each for SECONDS (default
# 60) on a seed corpus written by fuzz_seeds. Prints executions and findings per target; exits
# non-zero when any target finds a crash, a leak, a time-out or a broken invariant.
#   scripts/fuzz.sh [SECONDS]       BUILD_DIR names the build folder (default build-fuzz)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
build="${BUILD_DIR:-build-fuzz}"

if ! command -v clang++ >/dev/null || ! ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1; then
  echo "Installing clang and its libFuzzer runtime"
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends clang libclang-rt-dev >/dev/null
fi

CC=clang CXX=clang++ cmake -S fuzz -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 >/dev/null

targets=(ini_fuzz profile_fuzz macro_pages_fuzz hid_descriptor_fuzz emulated_mouse_fuzz transport_fuzz profile_json_fuzz app_profiles_fuzz)
work="$build/run"
rm -rf "$work"
mkdir -p "$work"
"$build/fuzz_seeds" "$work/seeds"

# The file targets write many small files: keep them in memory where possible, in a folder of this run.
scratch_root="$work"
[ -d /dev/shm ] && [ -w /dev/shm ] && scratch_root=/dev/shm
TMPDIR="$(mktemp -d "$scratch_root/korvane-fuzz.XXXXXX")"
export TMPDIR
trap 'rm -rf "$TMPDIR"' EXIT

failed=0
passed_targets=0
failed_targets=0
printf '%-22s %12s %10s %s\n' target executions exec/s findings
for target in "${targets[@]}"; do
  corpus="$work/corpus/$target"
  mkdir -p "$corpus" "$work/findings/$target"
  log="$work/$target.log"
  status=0
  # Longer step programs only slow the emulated mouse down; its seeds start with a whole handshake.
  max_len=4096
  [ "$target" = emulated_mouse_fuzz ] && max_len=1024
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$build/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len="$max_len" \
      -print_final_stats=1 -artifact_prefix="$work/findings/$target/" \
      "$corpus" "$work/seeds/$target" >"$log" 2>&1 || status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  findings=$(find "$work/findings/$target" -type f | wc -l)
  if [ "$status" -ne 0 ] || [ "$findings" -ne 0 ]; then
    failed=1
    failed_targets=$((failed_targets + 1))
    printf '%-22s %12s %10s %s\n' "$target" "${runs:-?}" "${speed:-?}" "FOUND (exit $status): $(ls "$work/findings/$target" | tr '\n' ' ')"
    grep -m1 -A30 -E '^==[0-9]+==ERROR|runtime error|deadly signal|Timeout|out-of-memory' "$log" || tail -30 "$log"
  else
    passed_targets=$((passed_targets + 1))
    printf '%-22s %12s %10s %s\n' "$target" "$runs" "$speed" none
  fi
done
echo "fuzz: $passed_targets passed, $failed_targets failed"
exit "$failed"
