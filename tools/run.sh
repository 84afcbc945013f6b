#!/usr/bin/env bash
# Builds Skyvane and runs it under Wine: in the current X display if there is
# one, else on the virtual desktop of a private Xvfb, where a screenshot is
# saved after start-up. Ctrl+C ends it cleanly, tray icon removed.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

"$root/tools/setup.sh"
cmake --preset windows >/dev/null
cmake --build --preset windows
# A prefix of its own: what the tests store (the first-run marker among it)
# never decides how Skyvane starts here.
export SKYVANE_PREFIX="$root/build/run/wineprefix"
source "$root/tools/wine-env.sh"

own_xvfb=""
skyvane_pid=""
probe() { "$SKYVANE_WINE" "$root/build/windows/tests/skyvane_probe.exe" "$@" </dev/null 2>/dev/null; }
stop() {
  trap - INT TERM EXIT
  if [ -n "$skyvane_pid" ] && kill -0 "$skyvane_pid" 2>/dev/null; then
    # A close request, as the window's close box sends: the program unloads
    # its windows and removes its tray icon itself.
    probe close "SkyvaneV2.59" >/dev/null || true
    local deadline=$((SECONDS + 10))
    while kill -0 "$skyvane_pid" 2>/dev/null && ((SECONDS < deadline)); do sleep 0.1; done
    kill "$skyvane_pid" 2>/dev/null || true
  fi
  if [ -n "$own_xvfb" ]; then
    wineserver -k 2>/dev/null || true
    kill "$own_xvfb" 2>/dev/null || true
  fi
}
trap 'echo; echo "Ending Skyvane."; stop; exit 0' INT TERM
trap stop EXIT

if [ -z "${DISPLAY:-}" ]; then
  skyvane_start_xvfb
  own_xvfb=$SKYVANE_XVFB_PID
  echo "No display: Skyvane runs on a private Xvfb ($DISPLAY)."
fi
skyvane_prepare_prefix
setsid wineserver -p

mkdir -p "$root/build/run"
# Skyvane and the Wine processes it brings up are out of reach of the
# terminal's Ctrl+C, which only this script takes: it asks Skyvane to close.
setsid "$SKYVANE_WINE" "$root/build/windows/Skyvane.exe" >"$root/build/run/skyvane.log" 2>&1 </dev/null &
skyvane_pid=$!

if probe wait-window "SkyvaneV2.59" 20000 exists >/dev/null; then
  # Give the shell a moment to draw the icon and the balloon.
  probe wait-balloon 5000 shown >/dev/null || true
  if [ -n "$own_xvfb" ]; then
    shot="$root/build/run/startup.png"
    import -display "$DISPLAY" -window root "$shot"
    echo "Screenshot after start-up: $shot"
  fi
  echo "Skyvane is running (its icon is in the tray). Press Ctrl+C to end it."
else
  echo "Skyvane's window did not appear; see $root/build/run/skyvane.log" >&2
fi
wait "$skyvane_pid" || true
skyvane_pid=""
