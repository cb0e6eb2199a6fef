# Pass/fail steps for the test scripts, sourced by them: `check NAME COMMAND...` runs the command and
# prints a pass/fail line, `finish` prints the count and exits non-zero when any check failed, and
# `wait_until` waits for what a program does in its own time.
passed=0
failed=0

check() {
  local name=$1
  shift
  if "$@"; then
    echo "pass: $name"
    passed=$((passed + 1))
  else
    echo "FAIL: $name"
    failed=$((failed + 1))
  fi
}

finish() {
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
  exit $?
}

# wait_until SECONDS COMMAND...: polls the command every 0.1 s.
wait_until() {
  local tries=$(($1 * 10))
  shift
  for ((i = 0; i < tries; i++)); do
    "$@" 2>/dev/null && return 0
    sleep 0.1
  done
  return 1
}

# start_bus_service NAME LOG COMMAND...: starts a service in the background and waits until it holds NAME
# on the session bus; the test ends when it does not. $bus_client, when set, runs the bus queries (the
# Wayland tests query as their user).
start_bus_service() {
  local name=$1 log=$2
  shift 2
  "$@" >"$log" 2>&1 &
  pids+=($!)
  wait_until 10 eval '${bus_client:-} dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:"$name" | grep -q true' ||
    { echo "FAIL: $name did not start"; cat "$log"; exit 1; }
}
