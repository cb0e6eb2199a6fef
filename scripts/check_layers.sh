#!/usr/bin/env bash
# Checks that every folder includes only what its layer may: Qt only under gui/ and tools/, and no lower
# layer reaching up into ui/, app/ or gui/. Prints each offending include and exits 1 when there is one.
set -uo pipefail
cd "$(dirname "$0")/.."

status=0
report() {  # description, grep output
  if [ -n "$2" ]; then
    echo "$1:"
    echo "$2"
    status=1
  fi
}

sources() { git ls-files -- "${@/%//*.cpp}" "${@/%//*.h}" 2>/dev/null; }

core=(common text config keys macro device system ui app cli)
report "Qt outside gui/" "$(sources "${core[@]}" | xargs -r grep -nE '#include *<Q[A-Za-z]')"
report "the ground floor including a window layer" \
  "$(sources common text config keys macro device system | xargs -r grep -nE '#include *"(ui|app|gui|cli)/')"
report "ui/ including app/, gui/ or cli/" "$(sources ui | xargs -r grep -nE '#include *"(app|gui|cli)/')"
report "app/ including gui/ or cli/" "$(sources app | xargs -r grep -nE '#include *"(gui|cli)/')"
report "cli/ including gui/" "$(sources cli | xargs -r grep -nE '#include *"gui/')"
[ "$status" -eq 0 ] && echo "Every folder includes only what its layer may."
exit "$status"
