# Skyvane's main window and tray icon, seen from outside: the real
# Skyvane.exe under Wine's shell desktop, driven by real clicks (xdotool) and
# read back by the probe. Sourced by tests/e2e/run.sh, which runs the group
# as the function tray_and_main_window.

MAIN="SkyvaneV2.59"            # the main window's caption

AUTORUN="Skyvane——Vanto-autorun"
SHOW_TIP="Skyvane——Vanto-showTip"

CHECK_ON_TOP="置顶本窗口"      # Check2
CHECK_SELF="设置自己"          # Check1
CHECK_TARGET="置顶目标"        # Check3
BUTTON_PICK="选择窗口"         # Command3
BUTTON_HELP="帮助"             # Command1
BUTTON_SETTINGS="设置"         # Command4

# The tray icon's right-click callback code and the two tray menus: four
# items each, "down" when the cursor is lower on the screen, "up" (reversed)
# when it is at y <= 300.
RIGHT_CLICK=517
MENU_ITEMS=4
DOWN_EXIT=3   # 开机启动, 关闭功能, 帮助, 退出
UP_EXIT=0     # 退出, 帮助, 关闭功能, 开机启动
UP_X=500 UP_Y=200

# --- steps shared by the scenarios ---------------------------------------------

# No Skyvane left from before, clean settings, then the given NAME=TEXT pairs.
fresh_settings() {
  e2e_stop_skyvane
  if ! e2e_probe wait-window "$MAIN" 5000 gone >/dev/null; then
    echo "a window \"$MAIN\" that this run did not start is open; stopping the group" >&2
    return 1
  fi
  e2e_reset_settings
  local pair
  for pair in "$@"; do e2e_probe reg-set "${pair%%=*}" "${pair#*=}" >/dev/null; done
}

# while_running MS COMMAND...: waits for COMMAND while Skyvane runs.
while_running() { e2e_wait_alive "$SKYVANE_PID" "$@"; }

# Starts Skyvane on a first run: the main window shows, and the tray icon is
# there. Fails when the window does not come.
start_shown() {
  e2e_start_skyvane
  e2e_check "the main window appears" \
    while_running 10000 e2e_window_is "$MAIN" visible=1 || return
  e2e_check "its tray icon is there" while_running 5000 e2e_tray_is "$MAIN" present=1
  true
}

# The probe's line for Skyvane's tray icon, to check on it after the window
# has gone; fails (quietly: start_* has told) when there is no icon.
tray_icon() {
  local line
  line=$(e2e_probe tray "$MAIN") && echo "$line"
}

# Starts Skyvane on a stored "-autorun": it goes straight into the tray.
# Fails when its window does not come.
start_in_tray() {
  e2e_start_skyvane
  e2e_check "Skyvane starts hidden in the tray (not visible, minimised)" \
    while_running 10000 e2e_window_is "$MAIN" visible=0 iconic=1 || return
  e2e_check "its tray icon is there" while_running 5000 e2e_tray_is "$MAIN" present=1
  true
}

# The main window's place on the first run: left = screen width / 2 - 2040
# twips, top = screen height / 2 - 720 twips, at 15 twips to the pixel.
expected_position() {
  local screen
  screen=$(e2e_probe screen)
  echo "x=$((($(e2e_field "$screen" width) * 15 / 2 - 2040) / 15))" \
    "y=$((($(e2e_field "$screen" height) * 15 / 2 - 720) / 15))"
}

right_click_tray() { e2e_click_tray 3; }
pop_up_menu_near_top() { e2e_tray_callback "$MAIN" "$RIGHT_CLICK" "$UP_X" "$UP_Y" >/dev/null; }

close_menu() {
  e2e_key Escape
  e2e_check "Escape closes the menu" e2e_probe wait-menu 3000 gone
}

# Puts the probe's watch into the main window before the step that ends
# Skyvane: it sees, while the window is being destroyed and still exists,
# whether the program has taken its tray icon away. (The shell drops the
# icon of a destroyed window by itself, so a look after the exit cannot tell.)
watch_unload() {
  e2e_start unload-watch "$E2E_PROBE" watch-unload "$MAIN" 20000
  UNLOAD_WATCH_LOG=$E2E_LAST_LOG
  e2e_check "the probe watches the main window" e2e_wait 5000 grep -q '^ready' "$UNLOAD_WATCH_LOG"
}

# What the watch saw: the window still there, the icon and its id gone.
unload_watch_saw() {
  grep -q "^seen=1 window=$1 icon=$2 property=$3" "$UNLOAD_WATCH_LOG" && return 0
  cat "$UNLOAD_WATCH_LOG"
  return 1
}

# Skyvane ended by itself (its process and window), its icon taken away
# before its window went (watch_unload came first), and the icon named
# earlier by ICON (a probe tray line) is gone.
check_ended() {
  local how=$1 icon=$2
  e2e_check "$how ends the Skyvane process" e2e_wait 5000 e2e_gone "$SKYVANE_PID" || return
  e2e_check "the main window is gone" e2e_probe wait-window "$MAIN" 1000 gone
  e2e_check "while the window was being destroyed, its tray icon and the property naming it were gone already" \
    e2e_wait 5000 unload_watch_saw 1 0 0
  e2e_check "the tray icon is gone" e2e_icon_is "$icon" present=0
}


# --- scenarios -----------------------------------------------------------------

first_run_shows_the_main_window_on_top() {
  e2e_scenario "first run: the main window on top in the middle, settings written"
  fresh_settings || return
  start_shown || return
  # shellcheck disable=SC2046
  e2e_check "shown normally and on top, at its first-run place" \
    e2e_window_is "$MAIN" count=1 visible=1 iconic=0 topmost=1 $(expected_position)
  e2e_screenshot main-window

  local row text fields
  for row in \
    "$CHECK_ON_TOP|kind=checkbox visible=1 enabled=1 checked=1" \
    "$CHECK_SELF|kind=checkbox visible=1 enabled=1 checked=0" \
    "$CHECK_TARGET|kind=checkbox visible=1 enabled=0 checked=0" \
    "$BUTTON_PICK|kind=push visible=1 enabled=1" \
    "$BUTTON_HELP|kind=push visible=1 enabled=1" \
    "$BUTTON_SETTINGS|kind=push visible=0"; do
    text=${row%%|*} fields=${row#*|}
    # shellcheck disable=SC2086
    e2e_check "control \"$text\": $fields" e2e_control_is "$MAIN" "$text" $fields
  done

  e2e_check "the first-run marker \"NoAutorun\" is stored" \
    e2e_wait 5000 e2e_setting_is "$AUTORUN" NoAutorun
  e2e_check "the start-up balloon appears" e2e_probe wait-balloon 10000 \
    && e2e_screenshot balloon   # Vanto / Here ^A^m I ！ (Wine gives no way to read it)
}

topmost_switch_of_the_main_window() {
  e2e_scenario "the check box 置顶本窗口 moves the main window in and out of the top band"
  fresh_settings || return
  start_shown || return
  e2e_check "the main window is on top" e2e_window_is "$MAIN" topmost=1 || return

  # A click on the disabled 置顶目标 must do nothing. The click on 置顶本窗口
  # after it shows when both have been handled, in the order they were made.
  e2e_click_control "$MAIN" "$CHECK_TARGET"
  e2e_click_control "$MAIN" "$CHECK_ON_TOP"
  e2e_check "unchecking it takes the window out of the top band" \
    e2e_wait 3000 e2e_window_is "$MAIN" topmost=0
  e2e_check "and it shows unchecked" e2e_control_is "$MAIN" "$CHECK_ON_TOP" checked=0
  e2e_check "the click on the disabled 置顶目标 changed nothing" \
    e2e_control_is "$MAIN" "$CHECK_TARGET" enabled=0 checked=0
  e2e_check "and opened no message box (one window with the caption)" \
    e2e_window_is "$MAIN" count=1

  e2e_click_control "$MAIN" "$CHECK_ON_TOP"
  e2e_check "checking it again puts the window back on top" \
    e2e_wait 3000 e2e_window_is "$MAIN" topmost=1
}

close_box_ends_the_program() {
  e2e_scenario "the close box ends Skyvane and takes its tray icon along"
  fresh_settings || return
  start_shown || return
  local icon
  icon=$(tray_icon) || return
  watch_unload || return
  e2e_click_frame "$MAIN" close
  check_ended "a real click on the close box" "$icon"
}

tray_clicks_and_menus() {
  e2e_scenario "tray: a left click restores, a right click pops up the menus"
  # Without the start-up balloon, which would come up over the lower menu.
  fresh_settings "$AUTORUN=NoAutorun" "$SHOW_TIP=hide" || return
  start_in_tray || return
  local icon
  icon=$(tray_icon) || return

  e2e_click_tray
  e2e_check "a left click on the icon shows the window, on top, 1440 twips (96 px) high" \
    e2e_wait 3000 e2e_window_is "$MAIN" visible=1 iconic=0 topmost=1 h=96
  e2e_check "with 置顶本窗口 checked" e2e_control_is "$MAIN" "$CHECK_ON_TOP" checked=1

  right_click_tray
  e2e_check "a right click on the icon pops up a menu" e2e_probe wait-menu 3000
  e2e_screenshot tray-menu-down   # 开机启动, 关闭功能, 帮助, 退出
  close_menu
  pop_up_menu_near_top
  e2e_check "with the cursor near the top, the menu opens at the cursor" \
    e2e_menu_is "x=$UP_X" "y=$UP_Y"
  e2e_screenshot tray-menu-up     # 退出, 帮助, 关闭功能, 开机启动
  close_menu

  # The menus cannot be read from another process under Wine; the order of
  # their items shows in what a click on each place does. Autostart and the
  # help window come with their own work; here the exit item at either end
  # of the two menus shows the order.
  watch_unload || return
  right_click_tray
  e2e_click_menu_item "$DOWN_EXIT" "$MENU_ITEMS"
  check_ended "the last item of the lower menu (退出)" "$icon"
}

exit_from_the_upper_menu() {
  e2e_scenario "tray: 退出 heads the menu that opens near the top of the screen"
  fresh_settings "$AUTORUN=NoAutorun" || return
  start_in_tray || return
  local icon
  icon=$(tray_icon) || return
  watch_unload || return
  pop_up_menu_near_top
  e2e_click_menu_item "$UP_EXIT" "$MENU_ITEMS"
  check_ended "the first item of the upper menu (退出)" "$icon"
}

hidden_tip_means_no_balloon() {
  e2e_scenario "start-up tip switched off: in the tray, no balloon"
  fresh_settings "$AUTORUN=NoAutorun" "$SHOW_TIP=hide" || return
  start_in_tray || return
  # Wine's shell shows a balloon about two seconds after the icon asks.
  e2e_check "no balloon appears within five seconds" e2e_not e2e_probe wait-balloon 5000
  e2e_screenshot no-balloon
}

second_start_leaves_one_instance() {
  e2e_scenario "a second start while Skyvane runs ends at once"
  fresh_settings "$AUTORUN=NoAutorun" || return
  start_in_tray || return
  local first=$SKYVANE_PID icon
  icon=$(tray_icon) || return
  e2e_start_skyvane
  local second=$SKYVANE_PID
  SKYVANE_PID=$first
  e2e_check "the second process ends by itself" e2e_wait 5000 e2e_gone "$second"
  e2e_check "the first one still runs" e2e_alive "$first"
  e2e_check "one Skyvane process is left" \
    e2e_fields_are "$(e2e_probe processes Skyvane.exe)" count=1
  e2e_check "one main window is left" e2e_window_is "$MAIN" count=1
  e2e_check "the first one's tray icon is still there" e2e_icon_is "$icon" present=1
}

lost_tray_icon_comes_back() {
  e2e_scenario "a tray icon lost by the shell comes back"
  fresh_settings || return
  start_shown || return
  tray_icon >/dev/null || return

  e2e_probe tray-delete "$MAIN" >/dev/null
  e2e_check "tray-delete took the icon away behind Skyvane's back" \
    e2e_tray_is "$MAIN" present=0
  e2e_click_frame "$MAIN" minimize
  e2e_check "a real click on the minimise box hides the window into the tray" \
    e2e_wait 3000 e2e_window_is "$MAIN" visible=0 iconic=1
  e2e_check "and adds the lost icon again" e2e_wait 3000 e2e_tray_is "$MAIN" present=1

  e2e_probe tray-delete "$MAIN" >/dev/null
  e2e_check "tray-delete took it away again" e2e_tray_is "$MAIN" present=0
  e2e_probe broadcast-taskbar-created >/dev/null
  e2e_check "a restarted shell's TaskbarCreated brings it back" \
    e2e_wait 3000 e2e_tray_is "$MAIN" present=1
}

tray_and_main_window() {
  first_run_shows_the_main_window_on_top
  topmost_switch_of_the_main_window
  close_box_ends_the_program
  tray_clicks_and_menus
  exit_from_the_upper_menu
  hidden_tip_means_no_balloon
  second_start_leaves_one_instance
  lost_tray_icon_comes_back
  e2e_stop_skyvane
}
