#!/usr/bin/env bash
# Runs one Windows program under Wine in the project's prefix; CTest uses it
# as the emulator of the cross-built tests. Without a display it brings up a
# private X server for this one run and shuts Wine down before leaving it.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

own_xvfb=""
if [ -z "${DISPLAY:-}" ]; then
  skyvane_start_xvfb
  own_xvfb=$SKYVANE_XVFB_PID
fi
cleanup() {
  rm -f "${out:-}"
  if [ -n "$own_xvfb" ]; then
    wineserver -k 2>/dev/null || true
    kill "$own_xvfb" 2>/dev/null || true
  fi
}
trap cleanup EXIT

skyvane_prepare_prefix
# Wine starts its service processes and the desktop from whichever program
# comes first, and they inherit its output. Through a file, a caller that
# reads our output to its end (CTest does) is not kept waiting by them.
out=$(mktemp)
set +e
"$SKYVANE_WINE" "$@" >"$out" 2>&1 </dev/null
status=$?
set -e
cat "$out"
rm -f "$out"
exit "$status"
