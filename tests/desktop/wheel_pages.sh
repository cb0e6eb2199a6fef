#!/usr/bin/env bash
# The wheel over the right column with real pointer events under Xvfb: with two sections open, wheel down
# shows page 2 (Mouse Speed at the top of the column, where a press opens it) and wheel up page 1 again.
#   tests/desktop/wheel_pages.sh BIN_DIR ARTEFACT_DIR
source "$(dirname "$0")/harness.sh"

# column NAME: the right column (x 734-975, y 32-594 of the window at 0, 0) cut from a screenshot.
column() { shot "$1" && convert "$artefacts/$1.png" -crop 242x563+734+32 +repage "$scratch/$1.png"; }
same() { [ "$(compare -metric AE "$scratch/$1.png" "$scratch/$2.png" null: 2>&1)" = 0 ]; }
wheel() { xdotool mousemove --window "$window" 850 300 click "$1"; sleep 0.5; }

check "the window opens" start_korvane --emulate
press 850 42   # the CPI Setting header
press 850 317  # the USB Report Rate header, below the open CPI panel and the Lighting header
xdotool mousemove --window "$window" 600 500
sleep 0.3
column 01-page-one

wheel 5
column 02-page-two
check "wheel down shows another page" eval '! same 01-page-one 02-page-two'
# Page 2 starts with Mouse Speed: its header is where CPI Setting's was. Its dial's ring is centred at
# (855, 143); level with the centre on the left is 2.
press 850 42
press 795 142
shot 03-mouse-speed
press 950 619  # Save
check "the press on page 2 set the pointer speed" wait_until 5 eval 'korvanectl show | grep -q "^Pointer speed: *2$"'

press 850 42   # Mouse Speed closed again: page 2 as the wheel showed it
wheel 4
xdotool mousemove --window "$window" 600 500
sleep 0.3
column 04-page-one-again
check "wheel up shows page 1 again" same 01-page-one 04-page-one-again

finish
