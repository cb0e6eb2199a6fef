# A real desktop for the window tests: Xvfb, a window manager, a private session bus with a monitor on
# it, and the korvane program under test on a scratch program folder. Sourced by the desktop tests:
#   source harness.sh BIN_DIR ARTEFACT_DIR
# Each test step is a shell function call; `check` prints a pass/fail line, and `finish` reports the count
# and exits non-zero when any check failed. Everything started here is stopped on exit.
set -uo pipefail

bin_dir=$1
artefacts=$2
rm -rf "$artefacts"
mkdir -p "$artefacts"
scratch=$(mktemp -d)
home="$scratch/home"
pids=()

cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  [ -n "${DBUS_SESSION_BUS_PID:-}" ] && kill "$DBUS_SESSION_BUS_PID" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT

source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/checks.sh"

# A scratch program folder: the build's factory profiles, label files and skin.
mkdir -p "$home"
cp -r "$bin_dir"/config*.bin "$bin_dir"/str*.ini "$bin_dir"/Skins "$home"/

# The display: Xvfb picks a free number itself and tells it, so that tests running side by side never
# share a server. -noreset: a server that resets when its last client (the probe below) leaves refuses
# the clients that come during the reset, the window manager among them.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$scratch/display" >"$scratch/xvfb.log" 2>&1 &
pids+=($!)
wait_until 30 test -s "$scratch/display"
export DISPLAY=":$(head -1 "$scratch/display")"
wait_until 30 xdpyinfo >/dev/null
xdpyinfo >/dev/null 2>&1 || { echo "FAIL: Xvfb did not start"; cat "$scratch/xvfb.log"; exit 1; }

# Without a window manager a minimised window would stay mapped.
openbox --sm-disable >"$scratch/openbox.log" 2>&1 &
pids+=($!)
# A window mapped while the window manager is still taking the screen over may never be managed, and so
# never shown: programs start only once it has announced itself.
wait_until 30 eval 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
  { echo "FAIL: the window manager did not start on $DISPLAY"; cat "$scratch/openbox.log" "$scratch/xvfb.log"; exit 1; }

eval "$(dbus-daemon --session --fork --print-address=1 --print-pid=1 |
        { read -r address; read -r pid; echo "DBUS_SESSION_BUS_ADDRESS='$address' DBUS_SESSION_BUS_PID=$pid"; })"
export DBUS_SESSION_BUS_ADDRESS DBUS_SESSION_BUS_PID
notifications="$artefacts/notifications.log"
dbus-monitor --session "interface='org.freedesktop.Notifications',member='Notify'" >"$notifications" 2>&1 &
pids+=($!)

export XDG_RUNTIME_DIR="$scratch/runtime"
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM

window=""
korvane_pid=""
# The program under test and how it names the scratch folder; the Windows test runs korvane.exe under Wine.
korvane_program=("$bin_dir/korvane")
korvane_home=$home
korvane_moved=1
# start_korvane ARGS...: starts the program on the scratch folder and waits for its window.
start_korvane() {
  "${korvane_program[@]}" --home "$korvane_home" "$@" >>"$artefacts/korvane.log" 2>&1 &
  korvane_pid=$!
  pids+=("$korvane_pid")
  if ! wait_until 30 xdotool search --onlyvisible --name "Tellurix Korvane" >/dev/null; then
    if kill -0 "$korvane_pid" 2>/dev/null; then
      echo "  korvane is running but shows no window"
      xwininfo -root -tree >"$artefacts/windows.txt" 2>&1
    else
      wait "$korvane_pid"
      echo "  korvane ended with code $?"
    fi
    return 1
  fi
  window=$(xdotool search --onlyvisible --name "Tellurix Korvane" | head -1)
  # Wine does not follow a move made from outside: its windows stay where they opened.
  [ "$korvane_moved" = 1 ] && xdotool windowmove --sync "$window" 0 0
  sleep 0.3
}

# stop_korvane: ends the program started last and waits until its window is gone.
stop_korvane() {
  kill "$korvane_pid" 2>/dev/null
  wait "$korvane_pid" 2>/dev/null
  wait_until 5 eval '! xdotool search --name "Tellurix Korvane" >/dev/null'
}

# press X Y [BUTTON]: a real pointer press and release at window coordinates.
press() {
  xdotool mousemove --window "$window" "$1" "$2" click "${3:-1}"
  sleep 0.3
}

keys() { xdotool key --delay 80 "$@"; sleep 0.3; }

# shot NAME: the whole screen as NAME.png among the artefacts.
shot() { import -window root "$artefacts/$1.png" 2>/dev/null; }

# notified TEXT: the notification service was sent a message with this text.
notified() { wait_until 5 grep -qF "string \"$1\"" "$notifications"; }

# shown / minimised: whether the main window is on the screen (minimised: iconic or unmapped).
shown() { xdotool search --onlyvisible --name "Tellurix Korvane" >/dev/null; }
minimised() { ! shown; }

korvanectl() { "$bin_dir/korvanectl" --home "$home" "$@"; }
