#!/bin/busybox sh
# /init of the kernel-loop virtual machine (scripts/kernel_loop.sh builds the initramfs around it).
# Loads the HID core, then plays the mouse with korvane-uhid-mouse in two layouts and runs the unmodified
# korvanectl against its hidraw nodes. Each step prints "pass: ..." or "FAIL: ..."; the last line is the
# count, which the host script reads.
/bin/busybox --install -s /bin
export PATH=/bin
mount -t proc proc /proc
mount -t sysfs sys /sys
mount -t devtmpfs dev /dev
mkdir -p /tmp
mount -t tmpfs tmp /tmp

passed=0
failed=0
layout=""

# check NAME COMMAND...: runs the command and records the outcome.
check() {
  name=$1
  shift
  if "$@"; then
    echo "pass: $layout$name"
    passed=$((passed + 1))
  else
    echo "FAIL: $layout$name"
    failed=$((failed + 1))
  fi
}

finish() {
  echo "kernel-loop: $passed passed, $failed failed"
  poweroff -f
}

# wait_until SECONDS COMMAND...: polls the command every 0.1 s.
wait_until() {
  tries=$(($1 * 10))
  shift
  while [ "$tries" -gt 0 ]; do
    "$@" 2>/dev/null && return 0
    sleep 0.1
    tries=$((tries - 1))
  done
  return 1
}

# same EXPECTED ACTUAL: the files are equal; shows the difference when not.
same() {
  cmp -s "$1" "$2" && return 0
  diff "$1" "$2" | head -20 | sed 's/^/  /'
  return 1
}

for module in hid hid-generic uhid; do
  check "insmod $module" insmod "/modules/$module.ko"
done
[ "$failed" -eq 0 ] || finish

# What the emulated mouse of korvanectl itself gives, for comparison.
cp -r /factory /tmp/emulated
korvanectl --home /tmp/emulated --emulate upload --trace >/tmp/emulated.trace
korvanectl --home /tmp/emulated --emulate events --press-cpi 1 --macro 3 >/tmp/emulated.events
# After a replug the stage goes on from where it was, and the emulated mouse keeps its stage between runs
# as well: the next press reaches stage 3.
korvanectl --home /tmp/emulated --emulate events --press-cpi 1 --macro 5 | tail -n 2 >/tmp/emulated.replug

# expect_cpi STAGE FILE: the stage line of FILE with the CPI the uploaded page gives that stage (units
# of 50 from offset 0x54 of the settings page), as the device reads it back after an upload; korvanectl's
# own emulated mouse keeps its template page, whose CPI differ.
expect_cpi() {
  level=$(korvanectl --home /tmp/emulated pages | sed -n 's/^settings: //p' | cut -d' ' -f$((0x54 + $1)))
  sed -i "1s/[0-9]*\$/$((50 * 0x$level))/" "$2"
}
expect_cpi 2 /tmp/emulated.events
expect_cpi 3 /tmp/emulated.replug

device_log=""
say() { echo "$1" >&3; }
logged() { grep -q "^uhid-mouse: $1\$" "$device_log"; }
count_logged() { grep -c "^uhid-mouse: $1\$" "$device_log"; }
node_of() { sed -n "s|^uhid-mouse: $1 is ||p" "$device_log" | tail -n 1; }
more_logged() { [ "$(count_logged "$1")" -gt "$2" ]; }
lines_at_least() { [ "$(grep -c "$1" "$2")" -ge "$3" ]; }

devices_listed() {
  korvanectl --home "$home" devices >"$work/devices" || return 1
  grep -q "^$(node_of events)  04d9:a0f4  usage ff01:0001 .* <- mouse event interface\$" "$work/devices" &&
    grep -q "^$(node_of commands)  04d9:a0f4  usage ff00:ff00 .* <- mouse command interface\$" "$work/devices" ||
    { sed 's/^/  /' "$work/devices"; return 1; }
}

upload_traced() {
  korvanectl --home "$home" upload --trace >"$work/upload.trace" 2>&1 || { tail -n 3 "$work/upload.trace"; return 1; }
  same /tmp/emulated.trace "$work/upload.trace"
}

memory_matches_pages() {
  opened=$(count_logged "memory end")
  say memory
  wait_until 10 more_logged "memory end" "$opened" || return 1
  sed -n '/^uhid-mouse: memory:$/,/^uhid-mouse: memory end$/p' "$device_log" | grep -v '^uhid-mouse: ' >"$work/memory"
  korvanectl --home "$home" pages >"$work/pages"
  same "$work/pages" "$work/memory"
}

# events_reported: korvanectl events sees a stage and a macro switch of the device.
events_reported() {
  opened=$(count_logged "open events")
  timeout 20 korvanectl --home "$home" events --count 2 >"$work/events" 2>&1 &
  events_pid=$!
  if ! wait_until 10 more_logged "open events" "$opened"; then
    echo "  korvanectl never opened the event interface $(node_of events)"
    kill "$events_pid" 2>/dev/null
    wait "$events_pid"
    return 1
  fi
  say cpi
  say "macro 3"
  wait "$events_pid" || { sed 's/^/  /' "$work/events"; return 1; }
  same /tmp/emulated.events "$work/events"
}

# replugged: korvanectl events follows an unplug and a replug and then reports the device's events.
replugged() {
  opened=$(count_logged "open events")
  plugs=$(count_logged "plugged in")
  korvanectl --home "$home" events >"$work/replug" 2>&1 &
  replug_pid=$!
  outcome=1
  # The command interface goes first: the removal that takes the mouse away warns, the two after it find
  # it gone already and say nothing. The arrival that completes the mouse gives the one message that it is
  # back; the others say nothing more.
  if ! wait_until 10 more_logged "open events" "$opened"; then
    echo "  korvanectl never opened the event interface $(node_of events)"
  elif say unplug && ! wait_until 10 lines_at_least "did not detect" "$work/replug" 1; then
    echo "  no warning after the unplug"
  # Time for the removals after the first, which must add nothing, before the mouse comes back.
  elif sleep 2 && say plug && ! wait_until 40 more_logged "plugged in" "$plugs"; then
    echo "  the device did not come back"
  elif ! wait_until 40 lines_at_least "detect the gaming mouse\.\$" "$work/replug" 1; then
    echo "  the mouse was not found after the replug"
  else
    # Time for the arrivals after it, which must add nothing.
    sleep 2
    shown=$(grep -c . "$work/replug")
    say cpi
    say "macro 5"
    wait_until 10 lines_at_least . "$work/replug" $((shown + 2)) && tail -n 2 "$work/replug" >"$work/replug.events" &&
      same /tmp/emulated.replug "$work/replug.events" &&
      [ "$(grep -c "detect the gaming mouse\.\$" "$work/replug")" -eq 1 ] &&
      [ "$(grep -c "did not detect" "$work/replug")" -eq 1 ] && outcome=0
  fi
  kill "$replug_pid" 2>/dev/null
  wait "$replug_pid"
  [ "$outcome" -eq 0 ] || sed 's/^/  /' "$work/replug"
  return "$outcome"
}

# run_layout NAME [DEVICE OPTION]: the steps on a fresh device and a fresh program folder.
run_layout() {
  layout="$1: "
  work=/tmp/$1
  home=$work/home
  device_log=$work/device.log
  mkdir -p "$work"
  cp -r /factory "$home"
  mkfifo "$work/control"
  korvane-uhid-mouse $2 <"$work/control" >"$device_log" 2>&1 &
  device_pid=$!
  exec 3>"$work/control"
  if wait_until 20 logged "plugged in"; then
    echo "$layout$(grep ' is /dev/' "$device_log" | sed 's/^uhid-mouse: //' | tr '\n' ' ')"
    check "devices lists both interfaces of the mouse" devices_listed
    check "upload trace equals the emulated mouse's" upload_traced
    check "device memory equals pages" memory_matches_pages
    check "events: a stage and a macro switch" events_reported
    check "unplug and replug, then events" replugged
  else
    check "the device comes up" false
  fi
  say quit
  exec 3>&-
  wait "$device_pid"
  grep '^uhid-mouse: error' "$device_log"
}

run_layout in-order ""
run_layout commands-first --commands-first
finish
