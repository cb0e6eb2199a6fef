# A real Wayland desktop for the window tests: a headless compositor (sway or KWin) with its own runtime
# folder and session bus, and the korvane program under test on it, as in the X harness beside it.
#   source wayland_harness.sh sway|kwin BIN_DIR ARTEFACT_DIR
# The compositor refuses root (sway) or carries a file capability that a sandboxed user cannot use
# (KWin): run as root, everything here runs as an unprivileged user made for the tests, and KWin from a
# copy without the capability. Pointer and keys come from the compositor's own input protocols
# (korvane_wayland_input), screenshots from grim or KWin's screenshot interface.
set -uo pipefail

compositor=$1
bin_dir=$2
artefacts=$3
tools=${KORVANE_TEST_TOOLS:-$bin_dir/../tests}
rm -rf "$artefacts"
mkdir -p "$artefacts"
scratch=$(mktemp -d)
chmod 755 "$scratch"
home="$scratch/home"
pids=()
width=1280
height=800

source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/checks.sh"

# as_user COMMAND...: runs as the test user, in the session's environment.
test_user=korvane-desktop
session_env=()
if [ "$(id -u)" -eq 0 ]; then
  id "$test_user" >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin "$test_user"
  as_user() { runuser -u "$test_user" -- env "${session_env[@]}" "$@"; }
  chown "$test_user" "$artefacts"
else
  as_user() { env "${session_env[@]}" "$@"; }
fi

# kill_tree PID: the process and everything it started. What runs as the test user runs under runuser,
# which does not pass a signal on.
kill_tree() {
  local child
  for child in $(pgrep -P "$1"); do kill_tree "$child"; done
  kill "$1" 2>/dev/null
}

cleanup() {
  exec {input[1]}>&- 2>/dev/null
  for pid in "${pids[@]}"; do kill_tree "$pid"; done
  [ -n "${bus_pid:-}" ] && kill "$bus_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT

# The test user may not reach the build's folder (a checkout in root's home): the programs run from
# copies in the scratch folder, which is the user's.
mkdir -p "$home" "$scratch/config" "$scratch/programs"
cp -r "$bin_dir"/config*.bin "$bin_dir"/str*.ini "$bin_dir"/Skins "$home"/
cp "$bin_dir/korvane" "$bin_dir/korvanectl" "$scratch/programs"/
for tool in wayland_input kwin_screenshot notification_service status_notifier_watcher focus_probe focus_service \
            wayland_window; do
  cp "$tools/korvane_$tool" "$scratch/programs"/
done
cp -r "$bin_dir/kwin" "$scratch/programs"/
bin_dir="$scratch/programs"
tools="$scratch/programs"
[ "$(id -u)" -eq 0 ] && chown -R "$test_user" "$scratch"
as_user mkdir -m 700 "$scratch/runtime" "$scratch/user"
session_env=(HOME="$scratch/user" XDG_RUNTIME_DIR="$scratch/runtime" XDG_CONFIG_HOME="$scratch/config"
             PATH=/usr/local/bin:/usr/bin:/bin LANG=C.UTF-8)

# The session bus, and a monitor on it for the notifications.
read -r bus_address bus_pid < <(as_user dbus-daemon --session --fork --print-address=1 --print-pid=1 | paste -s -d ' ')
session_env+=(DBUS_SESSION_BUS_ADDRESS="$bus_address")
notifications="$artefacts/notifications.log"
as_user dbus-monitor --session "interface='org.freedesktop.Notifications',member='Notify'" >"$notifications" 2>&1 &
pids+=($!)

case $compositor in
  sway)
    # Alt+Tab and Super+D leave marks, so that a test sees whether the compositor acted on them.
    as_user tee "$scratch/sway.conf" >/dev/null <<EOF
output HEADLESS-1 resolution ${width}x${height} position 0 0
bindsym Mod1+Tab exec touch $scratch/shortcut-alt-tab
bindsym Mod4+d exec touch $scratch/shortcut-super-d
EOF
    as_user WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
      sway -d -c "$scratch/sway.conf" >"$artefacts/compositor.log" 2>&1 &
    pids+=($!)
    wait_until 30 eval 'ls "$scratch"/runtime/sway-ipc.*.sock >/dev/null' ||
      { echo "FAIL: sway did not start"; tail -20 "$artefacts/compositor.log"; exit 1; }
    session_env+=(WAYLAND_DISPLAY=wayland-1 SWAYSOCK="$(ls "$scratch"/runtime/sway-ipc.*.sock)" XDG_CURRENT_DESKTOP=sway)
    ;;
  kwin)
    cp /usr/bin/kwin_wayland "$scratch/kwin_wayland"
    as_user KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1 QT_LOGGING_RULES="kwin_scripting=true" \
      "$scratch/kwin_wayland" --virtual --socket wayland-korvane --width $width --height $height --no-lockscreen \
      >"$artefacts/compositor.log" 2>&1 &
    pids+=($!)
    wait_until 60 eval 'as_user dbus-send --session --print-reply --dest=org.kde.KWin /KWin org.freedesktop.DBus.Peer.Ping' \
      >/dev/null || { echo "FAIL: KWin did not start"; tail -20 "$artefacts/compositor.log"; exit 1; }
    session_env+=(WAYLAND_DISPLAY=wayland-korvane XDG_CURRENT_DESKTOP=KDE)
    ;;
  *) echo "unknown compositor: $compositor"; exit 2 ;;
esac
session_env+=(XDG_SESSION_TYPE=wayland)

# A notification service, as a desktop has one.
bus_client=as_user
start_bus_service org.freedesktop.Notifications "$artefacts/notification-service.log" \
  as_user "$tools/korvane_notification_service"

# The input device stays for the whole run, so that the program's seat has its pointer from the start.
coproc input { as_user "$tools/korvane_wayland_input" $width $height 2>&1; }
pids+=($!)
# send COMMAND: one command to the input device; fails when the compositor did not take it.
send() {
  local answer
  echo "$*" >&"${input[1]}"
  read -r -t 5 answer <&"${input[0]}" || return 1
  [ "$answer" = ok ] || { echo "  input: $answer"; return 1; }
}

# kwin_script JS: runs a script in KWin, whose print() lines go to the compositor's log.
scripts=0
kwin_script() {
  scripts=$((scripts + 1))
  local file="$scratch/script-$scripts.js"
  printf '%s\n' "$1" | as_user tee "$file" >/dev/null
  kwin_scripting loadScript string:"$file" string:"korvane-$scripts" && kwin_scripting start &&
    kwin_scripting unloadScript string:"korvane-$scripts"
}
kwin_scripting() {
  as_user dbus-send --session --print-reply --dest=org.kde.KWin /Scripting "org.kde.kwin.Scripting.$1" "${@:2}" >/dev/null
}

# window_geometry TITLE: "X Y WIDTH HEIGHT" of the first top-level whose title holds TITLE, as the
# compositor has it.
window_geometry() {
  case $compositor in
    sway)
      as_user swaymsg -t get_tree | jq -r --arg title "$1" 'first(.. | objects | select(.type? == "con" or .type? == "floating_con")
        | select((.name // "") | contains($title)) | .rect | "\(.x) \(.y) \(.width) \(.height)") // empty'
      ;;
    kwin)
      local mark="korvane-geometry-$RANDOM"
      kwin_script "for (const c of workspace.clientList()) if (c.caption.includes('$1')) {
        const g = c.frameGeometry; print('$mark', g.x, g.y, g.width, g.height); break; }"
      wait_until 2 grep -q "$mark" "$artefacts/compositor.log"
      sed -n "s/.*$mark \([-0-9]* [-0-9]* [0-9]* [0-9]*\).*/\1/p" "$artefacts/compositor.log" | head -1
      ;;
  esac
}
window_shown() { [ -n "$(window_geometry "$1")" ]; }
# minimised: whether the compositor has the main window minimised (sway has no such state).
minimised() {
  [ "$compositor" = kwin ] || return 1
  local mark="korvane-minimised-$RANDOM"
  kwin_script "for (const c of workspace.clientList()) if (c.caption.includes('Tellurix Korvane')) print('$mark', c.minimized);"
  wait_until 2 grep -q "$mark" "$artefacts/compositor.log"
  grep -q "$mark true" "$artefacts/compositor.log"
}

korvane_pid=""
window_x=0
window_y=0
# locate: where the main window is now, for the presses at window coordinates.
locate() {
  local geometry
  geometry=$(window_geometry "Tellurix Korvane")
  [ -n "$geometry" ] || return 1
  read -r window_x window_y _ <<<"$geometry"
}

korvane_env=(QT_QPA_PLATFORM=wayland)
start_korvane() {
  as_user "${korvane_env[@]}" "$bin_dir/korvane" --home "$home" "$@" >>"$artefacts/korvane.log" 2>&1 &
  korvane_pid=$!
  pids+=("$korvane_pid")
  if ! wait_until 30 locate; then
    kill -0 "$korvane_pid" 2>/dev/null && echo "  korvane is running but shows no window" ||
      { wait "$korvane_pid"; echo "  korvane ended with code $?"; }
    return 1
  fi
  sleep 0.5
}

# stop_korvane: ends the program started last (not another test's: they may share the user) and waits
# until its window is gone.
stop_korvane() {
  kill_tree "$korvane_pid"
  wait "$korvane_pid" 2>/dev/null
  wait_until 5 eval '! window_shown "Tellurix Korvane"'
}

# click_in TITLE X Y: a press and release at coordinates in another top-level.
click_in() {
  local title=$1 geometry="" x y _
  wait_until 3 eval 'geometry=$(window_geometry "$title"); [ -n "$geometry" ]' || return 1
  read -r x y _ <<<"$geometry"
  send move $((x + $2)) $((y + $3)) && sleep 0.1 && send press 1 && sleep 0.1 && send release 1
  sleep 0.3
}

# press X Y [BUTTON]: a real pointer press and release at main-window coordinates. The pointer rests a
# moment before the press, and the button is held a moment, as a hand does: a window just entered may not
# have taken the entry yet, and a menu opened by the press takes the pointer only while a button is down.
press() {
  send move $((window_x + $1)) $((window_y + $2)) && sleep 0.1 && send press "${3:-1}" && sleep 0.1 &&
    send release "${3:-1}"
  sleep 0.3
}

# keys CHORD...: xdotool's key names (alt+Tab, super, Down, Return, F7), as Linux key codes.
declare -A linux_key=([alt]=56 [super]=125 [ctrl]=29 [shift]=42 [Tab]=15 [Return]=28 [Escape]=1 [Down]=108
                      [Up]=103 [F4]=62 [F7]=65 [Print]=99 [d]=32)
keys() {
  local chord part parts codes
  for chord in "$@"; do
    IFS=+ read -r -a parts <<<"$chord"
    codes=()
    for part in "${parts[@]}"; do codes+=("${linux_key[$part]}"); done
    send key "$(IFS=+; echo "${codes[*]}")"
    sleep 0.1
  done
  sleep 0.3
}

shot() {
  case $compositor in
    sway) as_user grim "$scratch/shot.png" ;;
    kwin) as_user "$tools/korvane_kwin_screenshot" "$scratch/shot.png" ;;
  esac
  cp "$scratch/shot.png" "$artefacts/$1.png" 2>/dev/null
}

notified() { wait_until 5 grep -qF "string \"$1\"" "$notifications"; }

korvanectl() { as_user "$bin_dir/korvanectl" --home "$home" "$@"; }
