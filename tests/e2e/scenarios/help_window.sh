# The help window, seen from outside: opened by the main window's 帮助
# button and from the tray menu, its two looks, where it puts the pointer,
# and what closing it does to the main window. Uses the steps of
# tray_and_main_window.sh and ghost_panel.sh. Sourced by tests/e2e/run.sh,
# which runs the group as the function help_window; its names carry the
# prefix hw_ / HW_.

HW_HELP="帮助"          # the help window's caption (and the button's)
HW_PAGE_W=576           # outer widths: 8640 and 9930 twips
HW_GUIDE_W=662
HW_SHIFT=43             # 645 twips to the left for the guide
HW_MENU_HELP=2          # 帮助, the third item of the lower tray menu

# hw_pointer_at_corner: the pointer stands 10 px right of and 8 px below
# the help window's top-left corner.
hw_pointer_at_corner() {
  local window cursor
  window=$(e2e_probe window "$HW_HELP") || { echo "$window"; return 1; }
  cursor=$(e2e_probe cursor)
  e2e_fields_are "$cursor" "x=$(($(e2e_field "$window" x) + 10))" "y=$(($(e2e_field "$window" y) + 8))"
}

hw_from_the_button() {
  e2e_scenario "help from the main window's button: the page, the guide, and the main window back on top"
  fresh_settings "$AUTORUN=NoAutorun" "$SHOW_TIP=hide" || return
  start_in_tray || return
  e2e_click_tray
  e2e_check "a left click on the icon shows the main window" \
    e2e_wait 5000 e2e_window_is "$MAIN" visible=1 || return
  e2e_click_control "$MAIN" "$BUTTON_HELP"
  e2e_check "帮助 opens the help window" e2e_probe wait-window "$HW_HELP" 5000 visible || return
  e2e_check "and sends the main window to the tray" \
    e2e_wait 3000 e2e_window_is "$MAIN" visible=0
  e2e_check "the help window is $HW_PAGE_W px wide (8640 twips)" \
    e2e_wait 3000 e2e_window_is "$HW_HELP" "w=$HW_PAGE_W"
  e2e_check "the pointer stands 10 px right of and 8 px below its corner" \
    e2e_wait 3000 hw_pointer_at_corner
  e2e_check "where the hover watch brings up the panel for it" \
    e2e_wait "$GP_TWO_TICKS" gp_panel_beside "$HW_HELP"
  e2e_screenshot help-page

  local before x
  before=$(e2e_probe window "$HW_HELP")
  x=$(e2e_field "$before" x)
  e2e_click_control "$HW_HELP" "手动方法"
  e2e_check "手动方法 widens the window to $HW_GUIDE_W px and moves it $HW_SHIFT px left" \
    e2e_wait 3000 e2e_window_is "$HW_HELP" "w=$HW_GUIDE_W" "x=$((x - HW_SHIFT))"
  e2e_check "and shows 返回" e2e_control_is "$HW_HELP" "返回" visible=1
  e2e_screenshot help-guide
  e2e_click_control "$HW_HELP" "返回"
  e2e_check "返回 gives back the former width and place" \
    e2e_wait 3000 e2e_window_is "$HW_HELP" "w=$HW_PAGE_W" "x=$x"
  e2e_check "and hides itself" e2e_control_is "$HW_HELP" "返回" visible=0

  e2e_click_frame "$HW_HELP" close
  e2e_check "the close box closes help" e2e_probe wait-window "$HW_HELP" 5000 gone
  e2e_check "and brings the main window back, on top" \
    e2e_wait 5000 e2e_window_is "$MAIN" visible=1 iconic=0 topmost=1
}

hw_from_the_tray_menu() {
  e2e_scenario "help from the tray menu: closing it leaves the main window in the tray"
  right_click_tray
  e2e_check "a right click on the icon opens the tray menu" e2e_probe wait-menu 3000 || return
  e2e_click_menu_item "$HW_MENU_HELP" "$MENU_ITEMS"
  e2e_check "帮助 in the menu opens help" e2e_probe wait-window "$HW_HELP" 5000 visible || return
  e2e_check "in its page look" e2e_window_is "$HW_HELP" "w=$HW_PAGE_W"
  e2e_check "the main window goes to the tray" e2e_wait 3000 e2e_window_is "$MAIN" visible=0
  e2e_click_frame "$HW_HELP" close
  e2e_check "the close box closes help" e2e_probe wait-window "$HW_HELP" 5000 gone
  e2e_check "and the main window stays in the tray" \
    e2e_not e2e_wait 2000 e2e_window_is "$MAIN" visible=1
  e2e_check "its tray icon is still there" e2e_tray_is "$MAIN" present=1
}

help_window() {
  hw_from_the_button && hw_from_the_tray_menu
  e2e_stop_skyvane
  true
}
