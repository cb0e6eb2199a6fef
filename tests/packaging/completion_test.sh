#!/usr/bin/env bash
# The bash completion of korvanectl, called the way bash calls it: the line so far in COMP_WORDS,
# COMP_CWORD, COMP_LINE and COMP_POINT, the answer in COMPREPLY.
# usage: completion_test.sh SOURCE_DIR BIN_DIR
set -uo pipefail

source_dir=$1
program=$2/korvanectl
# shellcheck source=/dev/null
source /usr/share/bash-completion/bash_completion
# shellcheck source=/dev/null
source "$source_dir/packaging/completion/korvanectl"

failures=0

# Completes LINE (split at spaces; a trailing space starts an empty word) as if typed after korvanectl.
complete_line() {
  COMP_LINE="$program $1"
  COMP_POINT=${#COMP_LINE}
  read -ra COMP_WORDS <<<"$COMP_LINE"
  [[ $COMP_LINE == *" " ]] && COMP_WORDS+=("")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  _korvanectl "$program" "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
}

# expect LINE WORD...: the completions of LINE are exactly WORD..., in any order.
expect() {
  local line=$1
  shift
  complete_line "$line"
  local got want
  got=$(printf '%s\n' "${COMPREPLY[@]}" | sort)
  want=$(printf '%s\n' "$@" | sort)
  if [[ $got == "$want" ]]; then
    echo "ok   '$line'"
  else
    echo "FAIL '$line': got [${COMPREPLY[*]}], want [$*]"
    failures=$((failures + 1))
  fi
}

# expect_some LINE WORD...: the completions of LINE include every WORD.
expect_some() {
  local line=$1 word missing=()
  shift
  complete_line "$line"
  for word in "$@"; do
    printf '%s\n' "${COMPREPLY[@]}" | grep -qxF -- "$word" || missing+=("$word")
  done
  if [[ ${#missing[@]} -eq 0 ]]; then
    echo "ok   '$line'"
  else
    echo "FAIL '$line': [${missing[*]}] missing from [${COMPREPLY[*]}]"
    failures=$((failures + 1))
  fi
}

# The command and the global options, which only stand before it.
expect "" show set pages macros upload profiles devices events export import reset keys
expect "s" show set
expect "--" --home --emulate --help --version
expect "--emulate --home /tmp u" upload
expect "--help " 
expect "upload --" --profile --trace --help
expect "macros --" --record --encode --store --profile --file --help
expect "events --macro 1" 1 10 11
expect "profiles " list new rename copy delete use link unlink default
expect "profiles delete " 0 1 2 3 4 5
expect "profiles link " 0 1 2 3 4 5
expect "profiles link 2 "
expect "profiles unlink "
expect "profiles use --" --json --trace --clear --help

# set: the settings, their values, and each button kind's words.
expect "set --profile 2 " cpi color report-rate lighting angle-snap sensitivity-x sensitivity-y \
  pointer-speed double-click scroll pointer-precision button
expect "set --profile " 0 1 2 3 4 5
expect "set report-rate " 125 250 500 1000
expect "set lighting cycle " 1 2 3 4 5 6
expect "set cpi 2 "
expect "set button " 1 2 3 4 5 6 7 8
expect "set button 4 s" scroll single-key
expect "set button 4 cpi " up down loop
expect "set button 4 multimedia volume-" volume-up volume-down
expect "set button 7 macro 3 " 0 1 2
expect_some "set button 4 single-key Num" 'Num\ 1' 'Num\ Lock' 'Num\ \*'
expect_some "set button 2 combo-key " none 'Left\ Ctrl' A
expect "set button 2 combo-key Left\\ Ctrl A B "
expect "set --file p.bin button 4 hotkey c" copy cut
expect "export --" --profile --file --json --help
expect "import --" --profile --file --help

# Folders and files, in a folder of our own.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/alpha" "$scratch/also here"
touch "$scratch/apple.bin" "$scratch/apple.ini" "$scratch/apple.json"
expect "--home $scratch/a" "$scratch/alpha" "$scratch/also here"
expect "import $scratch/a" "$scratch/alpha" "$scratch/also here" "$scratch/apple.bin" "$scratch/apple.json"
expect "import --profile 2 $scratch/a" "$scratch/alpha" "$scratch/also here" "$scratch/apple.bin" "$scratch/apple.json"
expect "show --file $scratch/a" "$scratch/alpha" "$scratch/also here" "$scratch/apple.bin"

# A korvanectl that cannot be run leaves the list empty, without a word on the terminal.
program=$scratch/missing/korvanectl
errors=$(expect "set button 4 cpi " 2>&1 >/dev/null)
expect "set button 4 cpi "
[[ -z $errors ]] || { echo "FAIL: a missing korvanectl printed: $errors"; failures=$((failures + 1)); }

[[ $failures -eq 0 ]] && echo "all passed" || echo "$failures failed"
[[ $failures -eq 0 ]]
