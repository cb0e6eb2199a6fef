# Pass/fail steps for the test scripts, sourced by them: `check NAME COMMAND...` runs the command and
# prints a pass/fail line, `finish` prints the count and exits non-zero when any check failed.
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
