# Autostart and the start-up tip dialog, seen from outside: the real
# Skyvane.exe driven by real clicks and keys, its registry and its windows
# read back by the probe. Uses the steps of tray_and_main_window.sh.
# Sourced by tests/e2e/run.sh, which runs the group as the function
# tip_dialog; its names carry the prefix td_ / TD_.

TD_DIALOG="设置"                 # the dialog's caption (and Command4's)
TD_TITLE="Skyvane——Vanto-TipTitle"
TD_MSG="Skyvane——Vanto-TipMsg"
TD_RUN_VALUE="SkyvaneV2.59"
TD_HIDE_TIP="不显示开机提示语"   # Command2, balloon on
TD_SHOW_TIP="显示开机提示语"     # Command2, balloon off
TD_AUTOSTART="开机自动启动"      # Command1, autostart off
TD_NO_AUTOSTART="取消开机启动"   # Command1, autostart on
TD_MENU_AUTORUN=0                # 开机启动, the first item of the lower menu
# The dialog's bare background, in client pixels: between the frame (which
# ends at 225) and the balloon picture (which starts at 232).
TD_BARE_X=228 TD_BARE_Y=60

# What the Run entry must hold: the executable's Windows path, in quotes.
td_quoted_path() {
  local path=${E2E_APP//\//\\}
  echo "\"Z:$path\""
}

td_run_entry_is() {
  local got
  got=$(e2e_probe autostart-get "$TD_RUN_VALUE") || { echo "$got"; return 1; }
  [ "$got" = "$1" ] || { echo "the Run entry is '$got', expected '$1'"; return 1; }
}

td_no_run_entry() { e2e_not e2e_probe autostart-get "$TD_RUN_VALUE"; }

# td_box_is N TEXT: the dialog's Nth text box holds TEXT.
td_box_is() {
  local got
  got=$(e2e_probe edit "$TD_DIALOG" "$1" | sed -n 's/^value=//p')
  [ "$got" = "$2" ] || { echo "text box $1 holds '$got', expected '$2'"; return 1; }
}

# td_frame_is KEY=VALUE...: the frame (the dialog's one container window).
td_frame_is() {
  local line
  line=$(e2e_probe text "$TD_DIALOG" | grep ' class=SkyvaneContainer ' | head -n1)
  [ -n "$line" ] || { echo "the dialog has no frame"; return 1; }
  e2e_fields_are "$line" "$@"
}

# td_client_origin: "X Y" of the dialog's client area, from Command2 at (8, 104).
td_client_origin() { e2e_client_origin "$TD_DIALOG" "$(td_balloon_button)" 8 104; }
td_balloon_button() {
  if e2e_probe control "$TD_DIALOG" "$TD_HIDE_TIP" >/dev/null 2>&1; then
    echo "$TD_HIDE_TIP"
  else
    echo "$TD_SHOW_TIP"
  fi
}

# td_over_background: the pointer comes onto the bare background from the
# balloon picture beside it, so that the move is one the dialog sees.
td_over_background() {
  local origin
  origin=$(td_client_origin) || { echo "$origin"; return 1; }
  e2e_move $((${origin% *} + 300)) $((${origin#* } + 40)) || return
  e2e_point $((${origin% *} + TD_BARE_X)) $((${origin#* } + TD_BARE_Y)) "$(e2e_handle "$TD_DIALOG")"
}

td_autostart_from_the_menu() {
  e2e_scenario "autostart from the tray menu: the quoted path under the Run key, both menus checked"
  # No balloon over the menu that opens above the tray.
  fresh_settings "$AUTORUN=NoAutorun" "$SHOW_TIP=hide" || return
  e2e_probe autostart-delete "$TD_RUN_VALUE" >/dev/null
  start_in_tray || return
  right_click_tray
  e2e_check "a right click on the icon opens the tray menu" e2e_probe wait-menu 3000 || return
  e2e_click_menu_item "$TD_MENU_AUTORUN" "$MENU_ITEMS"
  e2e_check "开机启动 writes the executable's path, in quotes, under the Run key" \
    e2e_wait 3000 td_run_entry_is "$(td_quoted_path)"
  e2e_check "and stores \"autorun\"" e2e_setting_is "$AUTORUN" autorun
  right_click_tray
  e2e_probe wait-menu 3000 >/dev/null
  e2e_screenshot autostart-menu-down
  e2e_check "a click beside the menu closes it" gp_dismiss_menu
  # The help window's menu, which opens near the top of the screen, has
  # 开机启动 last and calls the same switch.
  e2e_tray_callback "$MAIN" "$RIGHT_CLICK" "$UP_X" "$UP_Y" >/dev/null
  e2e_check "the upward menu opens" e2e_probe wait-menu 3000 || return
  e2e_screenshot autostart-menu-up
  e2e_check "a click on its 开机启动 (checked) switches it off" \
    e2e_click_menu_item 3 "$MENU_ITEMS"
  e2e_check "the Run entry is gone" e2e_wait 3000 td_no_run_entry
  e2e_check "and \"NoAutorun\" is stored" e2e_setting_is "$AUTORUN" NoAutorun
}

td_dialog() {
  e2e_scenario "the start-up tip dialog: opened from 设置, texts saved over the background, the balloon switch"
  fresh_settings "$AUTORUN=NoAutorun" "$SHOW_TIP=show" "$TD_TITLE=旧的标题" "$TD_MSG=旧的提示" || return
  start_in_tray || return
  e2e_click_tray
  e2e_check "a left click on the icon shows the main window" \
    e2e_wait 5000 e2e_window_is "$MAIN" visible=1 || return
  e2e_check "设置 is hidden" e2e_control_is "$MAIN" "$TD_DIALOG" visible=0
  local line
  line=$(e2e_probe control "$MAIN" "$BUTTON_HELP")
  e2e_point $(($(e2e_field "$line" x) + 10)) $(($(e2e_field "$line" y) + 10)) "$(e2e_field "$line" hwnd)"
  e2e_check "the pointer over 帮助 brings out 设置" \
    e2e_wait 3000 e2e_control_is "$MAIN" "$TD_DIALOG" visible=1 || return
  e2e_click_control "$MAIN" "$TD_DIALOG"
  e2e_check "a click on 设置 opens the dialog" \
    e2e_probe wait-window "$TD_DIALOG" 5000 visible || return
  e2e_check "and sends the main window to the tray, off the top" \
    e2e_wait 3000 e2e_window_is "$MAIN" visible=0 topmost=0
  e2e_check "the dialog shows the stored title" e2e_wait 3000 td_box_is 1 "旧的标题"
  e2e_check "and the stored message" td_box_is 2 "旧的提示"
  e2e_check "with the balloon switch offering to hide it" \
    e2e_control_is "$TD_DIALOG" "$TD_HIDE_TIP" visible=1 enabled=1
  e2e_check "and the autostart switch offering to turn it on" \
    e2e_control_is "$TD_DIALOG" "$TD_AUTOSTART" visible=1
  e2e_screenshot tip-dialog

  # A title typed with real keys, spaces around it.
  line=$(e2e_probe edit "$TD_DIALOG" 1 | head -n1)
  e2e_click $(($(e2e_field "$line" x) + 20)) $(($(e2e_field "$line" y) + 8)) "$(e2e_field "$line" hwnd)"
  e2e_key End shift+Home BackSpace
  e2e_key_type "  Typed Title  "
  e2e_check "the typed title is in the box" e2e_wait 3000 td_box_is 1 "  Typed Title  "
  e2e_check "nothing is stored while the pointer stays off the background" \
    e2e_setting_is "$TD_TITLE" "旧的标题"
  e2e_check "the pointer over the bare background" td_over_background
  e2e_check "stores the title, trimmed" e2e_wait 3000 e2e_setting_is "$TD_TITLE" "Typed Title"

  # A Chinese message put into the box whole, as an input method commits it.
  e2e_probe edit "$TD_DIALOG" 2 "开机了 📬 欢迎回来" >/dev/null
  e2e_check "the pointer over the bare background" td_over_background
  e2e_check "the box shows it" td_box_is 2 "开机了 📬 欢迎回来"
  e2e_check "stores the Chinese message whole" \
    e2e_wait 3000 e2e_setting_is "$TD_MSG" "开机了 📬 欢迎回来"

  e2e_click_control "$TD_DIALOG" "$TD_HIDE_TIP"
  e2e_check "不显示开机提示语 stores \"hide\"" e2e_wait 3000 e2e_setting_is "$SHOW_TIP" hide
  e2e_check "the button now offers to show it" \
    e2e_control_is "$TD_DIALOG" "$TD_SHOW_TIP" visible=1
  e2e_check "and the frame with the two boxes is disabled" td_frame_is enabled=0
  e2e_screenshot tip-dialog-balloon-off

  e2e_click_control "$TD_DIALOG" "$TD_AUTOSTART"
  e2e_check "开机自动启动 registers autostart" e2e_wait 3000 td_run_entry_is "$(td_quoted_path)"
  e2e_check "the button now offers to cancel it" \
    e2e_control_is "$TD_DIALOG" "$TD_NO_AUTOSTART" visible=1
  e2e_click_control "$TD_DIALOG" "$TD_NO_AUTOSTART"
  e2e_check "取消开机启动 removes it again" e2e_wait 3000 td_no_run_entry

  e2e_click_frame "$TD_DIALOG" close
  e2e_check "the close box closes the dialog" e2e_probe wait-window "$TD_DIALOG" 5000 gone
  e2e_check "and brings the main window back, on top" \
    e2e_wait 5000 e2e_window_is "$MAIN" visible=1 iconic=0 topmost=1

  e2e_stop_skyvane
  start_in_tray || return
  e2e_check "the next start shows no balloon" e2e_not e2e_probe wait-balloon 5000
}

tip_dialog() {
  td_autostart_from_the_menu
  td_dialog
  e2e_stop_skyvane
  e2e_probe autostart-delete "$TD_RUN_VALUE" >/dev/null
  true
}
