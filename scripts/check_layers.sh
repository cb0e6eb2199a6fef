#!/usr/bin/env bash
# Checks that every folder includes only the folders it may use, and that Qt is included only where the
# windows and the build tools live. Prints each offending include and exits 1 when there is one. For the
# core the build enforces the same order: each folder's library sees only the folders it links
# (cmake/core_sources.cmake).
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1

# Each folder and the folders its files may include besides their own; "*" is every folder.
core="common text config keys macro profile device system ui app"
LAYERS="
common:
text:        common
config:      common text
keys:        common text config
macro:       common text config keys
profile:     common text config keys macro
device:      common text config keys macro profile
system:      common text config keys macro profile
ui:          common text config keys macro profile device system
app:         common text config keys macro profile device system ui
cli:         $core
gui:         $core
benchmarks:  $core gui
fuzz:        $core cli
tools:       *
tests:       *
"
# Where Qt may be included.
QT_FOLDERS="gui tools tests/gui tests/desktop"

status=0
report() {  # description, grep output
  if [ -n "$2" ]; then
    echo "$1:"
    echo "$2"
    status=1
  fi
}

sources() { git ls-files -- "${@/%//*.cpp}" "${@/%//*.h}" 2>/dev/null; }
folders=$(echo "$LAYERS" | cut -s -d: -f1)

while IFS=: read -r folder uses; do
  [ -n "$folder" ] || continue
  read -ra uses <<<"$uses"
  allowed="${uses[*]}"
  [ "$allowed" = "*" ] && continue
  others=$(for other in $folders; do
    [ "$other" = "$folder" ] || [[ " $allowed " == *" $other "* ]] || echo "$other"
  done | paste -sd'|')
  report "$folder/ including a folder it may not (it may include ${allowed:-only itself})" \
    "$(sources "$folder" | xargs -r grep -nE "#include *\"($others)/")"
done <<<"$LAYERS"

report "Qt outside $QT_FOLDERS" "$(git ls-files -- '*.cpp' '*.h' | grep -vE "^(${QT_FOLDERS// /|})/" |
  xargs -r grep -nE '#include *<Q[A-Za-z]')"
[ "$status" -eq 0 ] && echo "Every folder includes only what its layer may."
exit "$status"
