# Sourced by the end-to-end runner and its scenarios: brings up Wine (and a
# private X server when there is no display), starts and stops the programs
# under test by pid, drives them with real X input (xdotool), looks at them
# from outside through the probe, and keeps the tally of checks.
#
# Artefacts land in build/e2e/: logs/ (each started program's output) and
# screenshots/ (PNG files for a person to look at).

E2E_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# shellcheck source-path=SCRIPTDIR/../..
source "$E2E_ROOT/tools/wine-env.sh"

E2E_BUILD=${SKYVANE_BUILD_DIR:-$E2E_ROOT/build/windows}
E2E_PROBE=$E2E_BUILD/tests/skyvane_probe.exe
E2E_APP=$E2E_BUILD/Skyvane.exe
E2E_OUT=$E2E_ROOT/build/e2e
E2E_LOGS=$E2E_OUT/logs
E2E_SHOTS=$E2E_OUT/screenshots

# On the 1024 x 768 "shell" desktop the taskbar is y 748..767 and the first
# notification-area icon sits at its right end; a real click there reaches
# the icon's owner as its callback message.
E2E_TRAY_X=1012
E2E_TRAY_Y=758

e2e_passed=0
e2e_failed=0
e2e_started=()      # pids of every program this run started
e2e_own_xvfb=""     # our X server's pid, when we brought one up
e2e_log_serial=0
E2E_LAST_PID=""     # pid of the program e2e_start started last
E2E_LAST_LOG=""     # and the file with its output
SKYVANE_PID=""      # pid of the Skyvane that e2e_start_skyvane started last

# --- set-up and clean-up ---------------------------------------------------

# True when a wineserver already serves the prefix: it lives in a directory
# named after the prefix's device and inode.
e2e_prefix_server_running() {
  [ -d "$WINEPREFIX" ] || return 1
  local dev ino suffix cwd
  read -r dev ino < <(stat -c '%D %i' "$WINEPREFIX")
  suffix=$(printf '/server-%s-%x' "$dev" "$ino")
  for cwd in /proc/[0-9]*/cwd; do
    [[ "$(readlink "$cwd" 2>/dev/null)" == *"$suffix" ]] && return 0
  done
  return 1
}

e2e_begin() {
  mkdir -p "$E2E_LOGS" "$E2E_SHOTS"
  rm -f "$E2E_LOGS"/*.log "$E2E_SHOTS"/*.png
  if [ ! -f "$E2E_PROBE" ]; then
    echo "e2e: $E2E_PROBE is missing; build first (cmake --build --preset windows)" >&2
    return 1
  fi
  trap e2e_cleanup EXIT
  if [ -z "${DISPLAY:-}" ]; then
    # A server started for another display would put our windows there.
    if e2e_prefix_server_running; then
      echo "e2e: a Wine session already uses $WINEPREFIX on another display;" \
        "set DISPLAY to it or WINEPREFIX to another prefix" >&2
      return 1
    fi
    skyvane_start_xvfb || return 1
    e2e_own_xvfb=$SKYVANE_XVFB_PID
  fi
  skyvane_prepare_prefix
  wineserver -p
  # Wine's services and the desktop come up once, before anything is timed.
  "$SKYVANE_WINE" cmd /c exit </dev/null >/dev/null 2>&1
  e2e_reset_settings || { echo "e2e: cannot reset the settings" >&2; return 1; }
}

e2e_cleanup() {
  local pid
  for pid in "${e2e_started[@]}"; do e2e_stop_pid "$pid"; done
  if [ -n "$e2e_own_xvfb" ]; then
    wineserver -k 2>/dev/null
    kill "$e2e_own_xvfb" 2>/dev/null
    wait "$e2e_own_xvfb" 2>/dev/null
  fi
  true
}

# --- the probe and waiting ---------------------------------------------------

# Runs the probe with the given command. Its output goes through a file: a
# Wine program can start the desktop process, which inherits its output and
# would keep a pipe open long after the probe ended.
e2e_probe() {
  local out status
  out=$(mktemp)
  "$SKYVANE_WINE" "$E2E_PROBE" "$@" >"$out" 2>&1 </dev/null
  status=$?
  cat "$out"
  rm -f "$out"
  return "$status"
}

# Milliseconds since the epoch (the locale may write the decimal point as a comma).
e2e_now_ms() { echo $((${EPOCHREALTIME//[!0-9]/} / 1000)); }

# e2e_wait MS COMMAND...: runs COMMAND until it succeeds or MS milliseconds
# have passed; prints the output of the last attempt.
e2e_wait() { e2e_wait_alive "" "$@"; }

# e2e_wait_alive PID MS COMMAND...: the same, but gives up as soon as the
# process PID has ended (a program that quit will not come round).
e2e_wait_alive() {
  local pid=$1 deadline=$(($(e2e_now_ms) + $2)) out status
  shift 2
  out=$(mktemp)
  while true; do
    "$@" >"$out" 2>&1
    status=$?
    [ "$status" -eq 0 ] && break
    if [ -n "$pid" ] && e2e_gone "$pid"; then
      echo "process $pid has ended" >>"$out"
      break
    fi
    [ "$(e2e_now_ms)" -gt "$deadline" ] && break
    sleep 0.05
  done
  cat "$out"
  rm -f "$out"
  return "$status"
}

# --- programs under test -----------------------------------------------------

# e2e_start NAME EXE [ARGS...]: starts a Windows program in the background,
# its output in build/e2e/logs/NAME-<n>.log (E2E_LAST_LOG); its pid goes to
# E2E_LAST_PID.
e2e_start() {
  local name=$1
  shift
  e2e_log_serial=$((e2e_log_serial + 1))
  E2E_LAST_LOG=$E2E_LOGS/$name-$e2e_log_serial.log
  "$SKYVANE_WINE" "$@" >"$E2E_LAST_LOG" 2>&1 </dev/null &
  E2E_LAST_PID=$!
  e2e_started+=("$E2E_LAST_PID")
}

e2e_start_skyvane() {
  e2e_start skyvane "$E2E_APP" "$@"
  SKYVANE_PID=$E2E_LAST_PID
}

# True while the process runs (an ended child that bash has not yet reaped
# still has a /proc entry, as a zombie).
e2e_alive() {
  local state
  state=$(ps -o stat= -p "$1" 2>/dev/null) || return 1
  [[ "$state" != Z* ]]
}

e2e_gone() { ! e2e_alive "$1"; }

# Ends one process that we started: asks, then insists; reaps it.
e2e_stop_pid() {
  local pid=$1
  if e2e_alive "$pid"; then
    kill -TERM "$pid" 2>/dev/null
    e2e_wait 5000 e2e_gone "$pid" >/dev/null || kill -KILL "$pid" 2>/dev/null
  fi
  wait "$pid" 2>/dev/null
  true
}

e2e_stop_skyvane() {
  [ -n "$SKYVANE_PID" ] && e2e_stop_pid "$SKYVANE_PID"
  SKYVANE_PID=""
}

# Clean settings: the program's key and its autostart entry.
e2e_reset_settings() {
  e2e_probe reg-delete-tree >/dev/null && e2e_probe autostart-delete "SkyvaneV2.59" >/dev/null
}

# --- real input and screenshots -----------------------------------------------
#
# Nothing is pressed before the probe has seen the pointer where it was
# sent, the window under it is the one meant and that window's form is shown
# and ready (wait-pointer). A window is meant by its handle, or "-" for any.

# e2e_move X Y: moves the X pointer there and waits until it is there.
# `xdotool mousemove --sync` to the place the pointer already has waits
# forever for a motion that never comes; that move is left out.
e2e_move() {
  [[ "$(xdotool getmouselocation)" == "x:$1 y:$2 "* ]] && return 0
  xdotool mousemove --sync "$1" "$2"
}

# e2e_handle TITLE: the handle of the top-level window with that title.
e2e_handle() {
  local line
  line=$(e2e_probe window "$1") || { echo "no window \"$1\""; return 1; }
  e2e_field "$line" hwnd
}

# e2e_point X Y WINDOW: the pointer to (X, Y), and ready to press on WINDOW;
# when it does not get so, that is a failed check of its own.
e2e_point() {
  local why
  e2e_move "$1" "$2" || return
  why=$(e2e_probe wait-pointer "$1" "$2" 5000 "$3") && return 0
  e2e_record_failure "the pointer at ($1, $2) is ready for a press on window $3" "$why"
  return 1
}

# e2e_click X Y WINDOW [BUTTON]: 1 left (the default), 3 right.
e2e_click() { e2e_point "$1" "$2" "$3" && xdotool click "${4:-1}"; }
# e2e_mouse_down [BUTTON], e2e_mouse_up [BUTTON]: a press where the pointer
# is (e2e_point put it there), held across other steps (a drag with
# e2e_point, or a button kept down while something is checked).
e2e_mouse_down() { xdotool mousedown "${1:-1}"; }
e2e_mouse_up() { xdotool mouseup "${1:-1}"; }
# e2e_click_tray [BUTTON]: a real click on the first tray icon. The pointer
# leaves the icon at once: resting there brings up the shell's tooltip for
# the icon, which would lie over the lowest item of a menu that the click
# opens and take a click meant for it.
e2e_click_tray() {
  local line taskbar
  line=$(e2e_probe windows Shell_TrayWnd)
  taskbar=$(e2e_field "$line" hwnd)
  [ -n "$taskbar" ] || { echo "no taskbar window"; return 1; }
  e2e_point "$E2E_TRAY_X" "$E2E_TRAY_Y" "$taskbar" || return
  xdotool click "${1:-1}" mousemove $((E2E_TRAY_X - 300)) $((E2E_TRAY_Y - 300))
}

e2e_key() { xdotool key "$@"; }
e2e_key_down() { xdotool keydown "$@"; }
e2e_key_up() { xdotool keyup "$@"; }
# e2e_key_type TEXT: TEXT typed key by key into the window with the focus.
e2e_key_type() { xdotool type --delay 40 "$1"; }

# e2e_tray_callback TITLE CODE X Y: what the shell sends for a click on the
# icon (CODE 514 left, 517 right), with the pointer at a place a real click
# on the icon cannot have: the X pointer moves there first, so Wine's idea of
# the cursor agrees with the X server's.
e2e_tray_callback() {
  e2e_move "$3" "$4"
  e2e_probe tray-callback "$@"
}

e2e_screenshot() { import -display "$DISPLAY" -window root "$E2E_SHOTS/$1.png"; }

# --- reading the probe's key=value lines ---------------------------------------

# e2e_field LINE KEY: the value of KEY in LINE (text= takes the rest of it).
e2e_field() {
  local line=" $1" key=$2
  if [ "$key" = text ]; then
    [[ "$line" == *" text="* ]] && echo "${line#* text=}"
    return
  fi
  [[ "$line" =~ \ $key=([^ ]*) ]] && echo "${BASH_REMATCH[1]}"
}

# e2e_fields_are LINE KEY=VALUE...: every pair holds in LINE; prints the
# differences otherwise.
e2e_fields_are() {
  local line=$1 pair key want got ok=0
  shift
  for pair in "$@"; do
    key=${pair%%=*}
    want=${pair#*=}
    got=$(e2e_field "$line" "$key")
    if [ "$got" != "$want" ]; then
      echo "$key is '$got', expected '$want'"
      ok=1
    fi
  done
  [ "$ok" -eq 0 ] || echo "in: $line"
  return "$ok"
}

# e2e_window_is TITLE KEY=VALUE...
e2e_window_is() {
  local line
  line=$(e2e_probe window "$1") || { echo "$line"; return 1; }
  shift
  e2e_fields_are "$line" "$@"
}

# e2e_control_is TITLE TEXT KEY=VALUE...
e2e_control_is() {
  local line
  line=$(e2e_probe control "$1" "$2") || { echo "$line"; return 1; }
  shift 2
  e2e_fields_are "$line" "$@"
}

# e2e_tray_is TITLE KEY=VALUE...: the icon named by the window's property.
e2e_tray_is() {
  local line
  line=$(e2e_probe tray "$1")
  shift
  e2e_fields_are "$line" "$@"
}

# e2e_icon_is LINE KEY=VALUE...: the icon that an earlier tray reading LINE
# named (by window and id), which may have outlived its window.
e2e_icon_is() {
  local line
  line=$(e2e_probe tray-id "$(e2e_field "$1" hwnd)" "$(e2e_field "$1" id)")
  shift
  e2e_fields_are "$line" "$@"
}

# e2e_menu_is KEY=VALUE...: the popup menu on screen (waited for).
e2e_menu_is() {
  local line
  line=$(e2e_probe wait-menu 3000) || { echo "$line"; return 1; }
  e2e_fields_are "$line" "$@"
}

# e2e_setting_is NAME TEXT: the settings value NAME holds exactly TEXT.
e2e_setting_is() {
  local got
  got=$(e2e_probe reg-get "$1") || { echo "$got"; return 1; }
  [ "$got" = "$2" ] || { echo "'$1' is '$got', expected '$2'"; return 1; }
}

# e2e_click_control TITLE TEXT [BUTTON]: a real click in the control's middle.
e2e_click_control() {
  local line x y w h
  line=$(e2e_probe control "$1" "$2") || { echo "$line"; return 1; }
  x=$(e2e_field "$line" x) y=$(e2e_field "$line" y)
  w=$(e2e_field "$line" w) h=$(e2e_field "$line" h)
  e2e_click $((x + w / 2)) $((y + h / 2)) "$(e2e_field "$line" hwnd)" "${3:-1}"
}

# e2e_client_origin TITLE TEXT LEFT TOP: "X Y", the screen point of the
# window's client area's top-left corner, found from its native control TEXT
# that lies at (LEFT, TOP) of that area. Windowless controls (pictures and
# labels drawn by the window) are reached from there by their design places.
e2e_client_origin() {
  local line
  line=$(e2e_probe control "$1" "$2") || { echo "$line"; return 1; }
  echo "$(($(e2e_field "$line" x) - $3)) $(($(e2e_field "$line" y) - $4))"
}

# e2e_frame_point TITLE close|caption|minimize: "X Y" of that part of the
# window's title bar.
e2e_frame_point() {
  local line
  line=$(e2e_probe ncpoint "$1" "$2") || { echo "$line"; return 1; }
  echo "$(e2e_field "$line" x) $(e2e_field "$line" y)"
}

# e2e_click_frame TITLE close|caption|minimize: a real click there.
e2e_click_frame() {
  local point window
  point=$(e2e_frame_point "$1" "$2") || { echo "$point"; return 1; }
  window=$(e2e_handle "$1") || { echo "$window"; return 1; }
  e2e_click ${point% *} ${point#* } "$window"
}

# e2e_click_menu_item INDEX COUNT: a real click on item INDEX (from 0, top
# down) of the popup menu on screen, whose COUNT items are of equal height;
# fails, without clicking, when another window lies over that place.
e2e_click_menu_item() {
  local line x y w h
  line=$(e2e_probe wait-menu 3000) || { echo "$line"; return 1; }
  x=$(e2e_field "$line" x) y=$(e2e_field "$line" y)
  w=$(e2e_field "$line" w) h=$(e2e_field "$line" h)
  x=$((x + w / 2)) y=$((y + h * (2 * $1 + 1) / (2 * $2)))
  e2e_click "$x" "$y" "$(e2e_field "$line" hwnd)"
}

# --- the tally ------------------------------------------------------------------

e2e_scenario() { echo "== $*"; }

# e2e_check DESCRIPTION COMMAND...: runs COMMAND and records the result under
# DESCRIPTION; a failure shows the command's output and leaves a screenshot
# (failed-<n>.png). Answers COMMAND's success, so that a scenario can stop
# where nothing after a failed step could pass: `e2e_check ... || return`.
e2e_check() {
  local description=$1 output
  shift
  if output=$("$@" 2>&1); then
    e2e_passed=$((e2e_passed + 1))
    echo "ok   $description"
    return 0
  fi
  e2e_record_failure "$description" "$output"
  return 1
}

# e2e_record_failure DESCRIPTION OUTPUT: one failed check, shown with OUTPUT
# and a screenshot.
e2e_record_failure() {
  e2e_failed=$((e2e_failed + 1))
  echo "FAIL $1"
  [ -n "$2" ] && sed 's/^/       /' <<<"$2"
  e2e_screenshot "failed-$e2e_failed" 2>/dev/null
}

# e2e_not COMMAND...: succeeds when COMMAND fails.
e2e_not() { ! "$@"; }

e2e_summary() {
  echo "e2e: $e2e_passed passed, $e2e_failed failed"
  [ "$e2e_failed" -eq 0 ]
}
