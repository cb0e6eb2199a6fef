#!/usr/bin/env bash
# The man pages format without a warning, as lintian checks them: anything man writes to standard
# error is a fault.
# usage: man_pages_test.sh SOURCE_DIR
set -uo pipefail

failures=0
for page in "$1"/packaging/man/*.1; do
  # The width matters: a line that cannot be broken is only reported at the width it overflows.
  errors=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
  if [[ -n $errors ]]; then
    echo "FAIL $page:"
    echo "$errors"
    failures=$((failures + 1))
  else
    echo "ok   $page"
  fi
done
[[ $failures -eq 0 ]]
