#!/usr/bin/env bash
# Runs the tests of a test binary that only an unprivileged user can run, when the caller is root:
# as nobody, from a copy of the binary in a fresh folder that nobody can read (the build tree may sit in
# a folder it cannot enter), with that folder as its temporary folder. Fails unless every selected test
# ran and passed. Exits 77 (skipped) for any other user, who has run those tests with the others.
#   as_unprivileged_user.sh TEST-BINARY GTEST-FILTER
set -euo pipefail
binary=$1
filter=$2
if [ "$(id -u)" != 0 ]; then
  echo "not root: the selected tests ran with the others"
  exit 77
fi

room=$(mktemp -d)
trap 'rm -rf "$room"' EXIT
chmod 1777 "$room"
cp "$binary" "$room/tests"
chmod 755 "$room/tests"

status=0
output=$(cd "$room" && TMPDIR="$room" HOME="$room" \
  setpriv --reuid=nobody --regid=nogroup --clear-groups "$room/tests" --gtest_filter="$filter" 2>&1) || status=$?
echo "$output"
if [ "$status" != 0 ]; then exit "$status"; fi
if grep -q '^\[  SKIPPED \]' <<<"$output"; then
  echo "FAILED: a selected test skipped as nobody" >&2
  exit 1
fi
if ! grep -Eq '^\[  PASSED  \] [1-9][0-9]* test' <<<"$output"; then
  echo "FAILED: no test matches $filter" >&2
  exit 1
fi
