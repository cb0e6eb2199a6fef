#!/usr/bin/env bash
# A profile saved in English, then shown in simplified Chinese under Xvfb: the button boxes show labels
# made in the window's language, and Save stores eight of them.
#   tests/desktop/languages.sh BIN_DIR ARTEFACT_DIR
source "$(dirname "$0")/harness.sh"

# Written by the program once (flag 1), with English labels only; then the language changes.
korvanectl set button 4 single-key A >/dev/null
sed -i 's/^Lan=\r$/Lan=CHS\r/' "$home/str0.ini"

check "the window opens" start_korvane --emulate
press 140 117  # the Button Assignment header
shot 01-chinese-buttons
press 950 619  # Save
chinese_labels() { sed -n '/^\[Setting-CHS\]/,/^\[/p' "$home/str0.ini" | grep -c '^Item[1-8]=.'; }
check "Save stores eight labels in the window's language" wait_until 5 eval '[ "$(chinese_labels)" -eq 8 ]'
check "the single key keeps its name" grep -q "^Item4=.*-A.\?$" "$home/str0.ini"
cp "$home/str0.ini" "$artefacts/str0.ini"

finish
