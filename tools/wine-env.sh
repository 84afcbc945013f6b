# Sourced by the scripts that run Windows programs: a private Wine prefix
# under build/, Chinese locale (code page 936), no debug noise, no Mono or
# Gecko prompts. Defines helpers to start a private X server and the prefix.
#
# The tests use build/wineprefix; the run command sets SKYVANE_PREFIX to a
# prefix of its own, so that settings the tests leave behind never change
# how Skyvane starts for the person running it. A WINEPREFIX of the caller's
# is never used: the tests write settings and autostart entries.

SKYVANE_ROOT=${SKYVANE_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=${SKYVANE_PREFIX:-$SKYVANE_ROOT/build/wineprefix}
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=zh_CN.UTF-8
export LC_ALL=zh_CN.UTF-8
if [ -x /usr/lib/wine/wine64 ]; then
  SKYVANE_WINE=/usr/lib/wine/wine64
else
  SKYVANE_WINE=wine
fi

# Starts Xvfb on a free display and exports DISPLAY; its pid goes to
# SKYVANE_XVFB_PID. The caller stops it. In a session of its own: a Ctrl+C
# in the terminal must reach the caller, which ends its programs on that
# display first, and not the X server under them.
skyvane_start_xvfb() {
  local fdfile
  fdfile=$(mktemp)
  setsid Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
  SKYVANE_XVFB_PID=$!
  local deadline=$((SECONDS + 20))
  while [ ! -s "$fdfile" ]; do
    if ((SECONDS > deadline)) || ! kill -0 "$SKYVANE_XVFB_PID" 2>/dev/null; then
      echo "wine-env: Xvfb did not start" >&2
      rm -f "$fdfile"
      return 1
    fi
    sleep 0.05
  done
  export DISPLAY=":$(head -n1 "$fdfile")"
  rm -f "$fdfile"
}

# Creates the prefix once: the virtual desktop "shell" that every program
# joins (it has the taskbar with the notification area), no crash dialog, and
# WenQuanYi standing in for the Chinese system fonts.
skyvane_create_prefix() {
  [ -f "$WINEPREFIX/.skyvane-ready" ] && return 0
  echo "wine-env: creating the Wine prefix in $WINEPREFIX (once)" >&2
  "$SKYVANE_WINE" wineboot -i >/dev/null 2>&1
  local reg="$SKYVANE_WINE reg add"
  $reg 'HKCU\Software\Wine\Explorer' /v Desktop /d shell /f >/dev/null 2>&1
  $reg 'HKCU\Software\Wine\Explorer\Desktops' /v shell /d 1024x768 /f >/dev/null 2>&1
  $reg 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  for face in 'SimSun' '宋体' 'NSimSun' '新宋体' 'Microsoft YaHei' '微软雅黑' 'MS Shell Dlg' 'MS Shell Dlg 2' 'Tahoma'; do
    $reg 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d 'WenQuanYi Micro Hei' /f >/dev/null 2>&1
  done
  wineserver -w
  touch "$WINEPREFIX/.skyvane-ready"
}

# The prefix as every program here needs it, made or mended under a lock
# (CTest may start several programs at once).
skyvane_prepare_prefix() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    skyvane_create_prefix
    # Wine does not find the Marlett font of fonts-wine where Debian puts it;
    # without it the minimise and close boxes draw as the letters "0" and
    # "r". A prefix made before this step gets it too.
    local fonts="$WINEPREFIX/drive_c/windows/Fonts"
    if [ ! -f "$fonts/marlett.ttf" ]; then
      mkdir -p "$fonts"
      cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
    fi
  ) 9>"$(dirname "$WINEPREFIX")/.wineprefix.lock"
}

# For a script that runs many Windows programs: an X server of its own when
# there is no display, the prefix, one Wine server for the whole run (a warm
# start of each program costs a tenth of a cold one), and Wine's services
# and desktop up before anything is timed. Ends them again when the script
# exits.
skyvane_begin_session() {
  SKYVANE_SESSION_XVFB=""
  trap skyvane_end_session EXIT
  if [ -z "${DISPLAY:-}" ]; then
    skyvane_start_xvfb || return 1
    SKYVANE_SESSION_XVFB=$SKYVANE_XVFB_PID
  fi
  skyvane_prepare_prefix
  wineserver -p
  "$SKYVANE_WINE" cmd /c exit </dev/null >/dev/null 2>&1
  return 0
}

skyvane_end_session() {
  wineserver -k 2>/dev/null || true
  [ -n "${SKYVANE_SESSION_XVFB:-}" ] && kill "$SKYVANE_SESSION_XVFB" 2>/dev/null
  true
}
