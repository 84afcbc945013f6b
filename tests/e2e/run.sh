#!/usr/bin/env bash
# End-to-end tests: the cross-built programs under Wine on a (private) X
# display, driven by real input and checked from outside by the probe.
#   tests/e2e/run.sh              every scenario group
#   tests/e2e/run.sh smoke ...    only the named groups (smoke, or the name
#                                 of a file in scenarios/ without .sh)
# Needs the windows preset built. Ends with "e2e: N passed, M failed" and a
# non-zero status on any failure. Screenshots and logs: build/e2e/.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source-path=SCRIPTDIR
source "$here/lib.sh"

# The instruments themselves, against programs that exist today: the probe's
# window, control and focus readings and xdotool's clicks on the platform
# tests' window helper; its tray, balloon and menu commands on a stand-in
# tray program under Wine's real shell.
lists_child() { e2e_probe text "$1" | grep -q " text=$2\$"; }

smoke() {
  local helper=$E2E_BUILD/tests/test_window_helper.exe
  local first="e2e 窗口 一" second="e2e 窗口 二"

  e2e_scenario "smoke: windows of another process, real clicks"
  e2e_start helper "$helper" "$first" "$second"
  local helper_pid=$E2E_LAST_PID
  e2e_check "the helper's two windows appear" \
    e2e_probe wait-window "$second" 10000 visible
  e2e_check "window reads state and geometry of the first" \
    e2e_window_is "$first" count=1 visible=1 iconic=0 enabled=1 topmost=0 layered=0 \
    alpha=-1 x=200 y=150 w=360 h=220
  e2e_check "control finds a child button by its text" \
    e2e_control_is "$first" "child of $first" class=Button kind=push visible=1 enabled=1 \
    checked=0 focused=0 "text=child of $first"
  e2e_check "text lists the children with their texts" \
    lists_child "$first" "child of $first"
  e2e_check "the window opened last is in the foreground" \
    e2e_window_is "$second" foreground=1
  e2e_click_frame "$first" caption
  e2e_check "a real click on a title bar brings that window to the foreground" \
    e2e_wait 3000 e2e_window_is "$first" foreground=1
  e2e_click_control "$first" "child of $first"
  e2e_check "a real click on a button gives it the focus" \
    e2e_wait 3000 e2e_control_is "$first" "child of $first" focused=1
  e2e_screenshot smoke-helper
  e2e_click_frame "$first" close
  e2e_check "a real click on the close box closes that window only" \
    e2e_probe wait-window "$first" 3000 gone
  e2e_check "the other window stays" e2e_window_is "$second" visible=1
  e2e_probe close "$second" >/dev/null
  e2e_check "closing the last window ends the helper" e2e_wait 5000 e2e_gone "$helper_pid"

  local fixture=$E2E_BUILD/tests/skyvane_e2e_tray_fixture.exe tray="e2e 托盘"
  e2e_scenario "smoke: tray icon, balloon and popup menus under Wine's shell"
  e2e_start fixture "$fixture" "$tray" 开机启动 "*关闭功能" 帮助 退出
  local fixture_pid=$E2E_LAST_PID
  e2e_check "the stand-in's window appears" e2e_probe wait-window "$tray" 10000 visible
  e2e_check "tray names the icon through the window's property and finds it" \
    e2e_tray_is "$tray" present=1
  e2e_check "the shell shows the icon's balloon" e2e_probe wait-balloon 10000
  e2e_probe tray-delete "$tray" >/dev/null
  e2e_check "tray-delete removes the icon" e2e_tray_is "$tray" present=0
  e2e_probe broadcast-taskbar-created >/dev/null
  e2e_check "the stand-in adds it again on TaskbarCreated" \
    e2e_wait 3000 e2e_tray_is "$tray" present=1
  local icon
  icon=$(e2e_probe tray "$tray")

  e2e_click_tray 3
  e2e_check "a real right click on the icon pops up its menu" e2e_probe wait-menu 3000
  e2e_screenshot smoke-tray-menu
  e2e_key Escape
  e2e_check "Escape closes the menu" e2e_probe wait-menu 3000 gone
  e2e_tray_callback "$tray" 517 500 200 >/dev/null
  e2e_check "tray-callback pops the menu up at the cursor it set" e2e_menu_is x=500 y=200
  e2e_key Escape
  e2e_probe wait-menu 3000 gone >/dev/null
  e2e_click_tray 3
  e2e_click_menu_item 3 4
  e2e_check "a real click on the lowest item (退出) of the menu over the tray ends the stand-in" \
    e2e_wait 5000 e2e_gone "$fixture_pid"
  e2e_check "its icon is gone with it" e2e_icon_is "$icon" present=0
}

shopt -s nullglob
e2e_begin || exit 1
# shellcheck disable=SC1090  # each file defines the group named after it
for file in "$here"/scenarios/*.sh; do source "$file"; done

groups=("$@")
if [ ${#groups[@]} -eq 0 ]; then
  groups=(smoke)
  for file in "$here"/scenarios/*.sh; do groups+=("$(basename "$file" .sh)"); done
fi
for group in "${groups[@]}"; do
  if ! declare -F "$group" >/dev/null; then
    echo "e2e: no scenario group '$group'" >&2
    e2e_failed=$((e2e_failed + 1))
    continue
  fi
  "$group"
  e2e_stop_skyvane
done
e2e_summary
