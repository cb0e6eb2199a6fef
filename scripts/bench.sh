#!/usr/bin/env bash
# Builds the benchmarks in Release and prints one table: each timing as min / median / max over repeated
# runs, beside the floor measured in the same run where there is one.
#   scripts/bench.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-15}
scripts/setup.sh
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DKORVANE_BUILD_BENCHMARKS=ON -DKORVANE_BUILD_TESTS=OFF >/dev/null
cmake --build build-bench -j"$(nproc)" >/dev/null
bin=build-bench/bin
scratch=$(mktemp -d)
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done; wait 2>/dev/null; rm -rf "$scratch"' EXIT

home="$scratch/home"
mkdir -p "$home"
cp -r "$bin"/config*.bin "$bin"/str*.ini "$bin"/Skins "$home"/
export XDG_RUNTIME_DIR="$scratch/runtime"
mkdir -m 700 -p "$XDG_RUNTIME_DIR"

# stats: numbers on standard input -> "min median max"
stats() { sort -g | awk '{ v[NR] = $1 } END { printf "%.4g %.4g %.4g", v[1], v[int((NR + 1) / 2)], v[NR] }'; }
median() { echo "$1" | cut -d' ' -f2; }
ms_now() { date +%s%N; }
# calc EXPRESSION [DECIMALS]
calc() { awk "BEGIN { printf \"%.${2:-2}f\", $1 }"; }
row() { printf '| %-44s | %9s | %9s | %9s | %-24s |\n' "$@"; }
# time_runs COMMAND...: milliseconds of each of $runs runs.
time_runs() {
  for ((i = 0; i < runs; i++)); do
    local start; start=$(ms_now)
    "$@" >/dev/null 2>&1
    calc "($(ms_now) - $start) / 1000000" 3; echo
  done
}

echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'), $(uname -r)"
echo "Runs: $runs"
echo
row "measure" "min" "median" "max" "floor (median) / ratio"
row "---" "---:" "---:" "---:" "---"

# Google Benchmark rows: name -> per-repetition real times.
bench_rows() {
  "$1" --benchmark_repetitions="$runs" --benchmark_format=csv 2>/dev/null |
    awk -F, -v name="\"$2\"" '$1 == name { print $4 }'
}
unit_rows() {
  local binary=$1 name=$2 label=$3 unit=$4
  read -r lo mid hi <<<"$(bench_rows "$binary" "$name" | stats)"
  row "$label ($unit)" "$lo" "$mid" "$hi" ""
}
unit_rows "$bin/korvane_core_bench" BM_SettingsPage "settings page build" ns
unit_rows "$bin/korvane_core_bench" BM_KeyPage "key page build" ns
unit_rows "$bin/korvane_core_bench" BM_TwelveMacroPages "twelve full macros encoded" us
unit_rows "$bin/korvane_window_bench" BM_FullRepaint "full main-window repaint" us
unit_rows "$bin/korvane_window_bench" BM_OpenAndCloseSection "CPI section opened and closed" us
unit_rows "$bin/korvane_window_bench" BM_HoverRepaint "hover look on and off" us

# Start to a rendered window, offscreen, against the minimal Qt program.
export QT_QPA_PLATFORM=offscreen
read -r lo mid hi <<<"$(time_runs "$bin/korvane" --emulate --home "$home" --screenshot "$scratch/k.png" | stats)"
read -r flo fmid fhi <<<"$(time_runs "$bin/korvane_minimal_qt" --screenshot "$scratch/m.png" | stats)"
row "start to rendered window, offscreen (ms)" "$lo" "$mid" "$hi" "$fmid / $(calc "$mid / $fmid")"
unset QT_QPA_PLATFORM

# An emulated upload against a program that only waits the same delays.
delays=$("$bin/korvanectl" --home "$home" --emulate upload --trace | awk '$1 == "sleep" { print $2 }' | tr '\n' ' ')
total=$(echo "$delays" | tr ' ' '\n' | awk '{ s += $1 } END { print s }')
read -r lo mid hi <<<"$(time_runs "$bin/korvanectl" --home "$home" --emulate upload | stats)"
read -r flo fmid fhi <<<"$(time_runs "$bin/korvane_sleeps_only" $delays | stats)"
row "emulated upload, $total ms of waits (ms)" "$lo" "$mid" "$hi" "$fmid / $(calc "$mid / $fmid" 3)"
fmid_upload=$fmid

# Under an X server: start to the mapped window, resident memory and wake-ups while hidden.
if command -v Xvfb >/dev/null && command -v xdotool >/dev/null; then
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$scratch/display" 2>/dev/null &
  pids+=($!)
  for ((i = 0; i < 100; i++)); do [ -s "$scratch/display" ] && break; sleep 0.05; done
  export DISPLAY=":$(head -1 "$scratch/display")"
  eval "$(dbus-daemon --session --fork --print-address=1 --print-pid=1 |
          { read -r a; read -r p; echo "DBUS_SESSION_BUS_ADDRESS='$a'; bus_pid=$p"; })"
  export DBUS_SESSION_BUS_ADDRESS
  pids+=("$bus_pid")
  # mapped_ms TITLE COMMAND...: milliseconds from start until a window of that title is visible.
  mapped_ms() {
    local title=$1; shift
    local start; start=$(ms_now)
    "$@" >/dev/null 2>&1 &
    local pid=$!
    local tries=0
    until xdotool search --onlyvisible --name "$title" >/dev/null 2>&1; do
      # A window that does not come within 10 s leaves this run out.
      if ((++tries > 2000)) || ! kill -0 "$pid" 2>/dev/null; then
        kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true
        return 0
      fi
      sleep 0.005
    done
    calc "($(ms_now) - $start) / 1000000" 3; echo
    kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true
  }
  k=$(for ((i = 0; i < runs; i++)); do mapped_ms "Tellurix Korvane" "$bin/korvane" --emulate --home "$home"; done)
  m=$(for ((i = 0; i < runs; i++)); do mapped_ms "^Minimal$" "$bin/korvane_minimal_qt"; done)
  read -r lo mid hi <<<"$(echo "$k" | stats)"
  read -r flo fmid fhi <<<"$(echo "$m" | stats)"
  row "start to visible window, Xvfb (ms)" "$lo" "$mid" "$hi" "$fmid / $(calc "$mid / $fmid")"

  "$bin/korvane" --emulate --home "$home" >/dev/null 2>&1 &
  pid=$!
  pids+=("$pid")
  for ((i = 0; i < 200; i++)); do
    xdotool search --onlyvisible --name "Tellurix Korvane" >/dev/null 2>&1 && break
    sleep 0.05
  done
  sleep 1
  rss=$(awk '/^VmRSS/ { print $2 / 1024 }' "/proc/$pid/status")
  row "resident memory after start (MB)" "" "$rss" "" ""
  # A switch asked over the session bus is a full upload: against the same waits alone.
  "$bin/korvanectl" --home "$home" profiles new Second >/dev/null 2>&1 || true
  use_ms() {
    for ((i = 0; i < runs; i++)); do
      local start; start=$(ms_now)
      dbus-send --session --print-reply --dest=org.tellurix.Korvane /org/tellurix/Korvane \
        org.tellurix.Korvane1.UseProfile "int32:$(((i + 1) % 2))" >/dev/null 2>&1
      calc "($(ms_now) - $start) / 1000000" 3; echo
    done
  }
  read -r lo mid hi <<<"$(use_ms | stats)"
  row "profile switch over the bus, emulated (ms)" "$lo" "$mid" "$hi" "$fmid_upload / $(calc "$mid / $fmid_upload" 3)"
  window=$(xdotool search --onlyvisible --name "Tellurix Korvane" | head -1)
  xdotool mousemove --window "$window" 965 13 click 1  # Minimise: to the tray
  sleep 1
  switches() { cat /proc/"$pid"/task/*/status | awk '/ctxt_switches/ { s += $2 } END { print s }'; }
  before=$(switches)
  sleep 5
  row "wake-ups per second while hidden" "" "$(calc "($(switches) - $before) / 5" 1)" "" ""
else
  echo "(Xvfb or xdotool missing: the X server rows are left out)"
fi
