# The ghost panel and the hover watch, seen from outside: Skyvane in the
# tray, the real pointer resting in the top-left corners of a window of the
# platform tests' helper and of Wine's notepad, real clicks on the panel's
# icons and track, read back by the probe. Uses the steps of
# tray_and_main_window.sh. Sourced by tests/e2e/run.sh, which runs the group
# as the function ghost_panel; its names carry the prefix gp_ / GP_.

GP_PANEL="My ghost"               # the panel's caption
GP_TARGET="e2e 角落窗口"           # the helper's window
GP_TARGET_X=300 GP_TARGET_Y=250   # where it is moved
GP_OTHER="e2e 另一个窗口"          # the helper's second window
GP_OTHER_X=40 GP_OTHER_Y=500
GP_NOTEPAD_X=560 GP_NOTEPAD_Y=60  # and where notepad is
GP_BARE_X=100 GP_BARE_Y=100       # a spot of the desktop that no window covers
# The watch ticks every 1500 ms: two ticks and some slack for a busy machine.
GP_TWO_TICKS=4000

# Places on the panel, in pixels from its top-left corner: the track's
# middle row, the pin (IDown and ITop share it) and the cross (cancelAll).
GP_TRACK_Y=12
GP_PIN_X=169 GP_PIN_Y=6
GP_CROSS_X=168 GP_CROSS_Y=16

GP_HELPER_PID=""
GP_NOTEPAD_PID=""
GP_NOTEPAD=""     # notepad's title, as read once it is open

# gp_origin TITLE: "X Y", the window's top-left corner on the screen.
gp_origin() {
  local line
  line=$(e2e_probe window "$1") || { echo "$line"; return 1; }
  echo "$(e2e_field "$line" x) $(e2e_field "$line" y)"
}

# gp_rest TITLE DX DY: the pointer comes to rest DX, DY pixels in from the
# window's top-left corner, over that window (or a control of it).
gp_rest() {
  local origin
  origin=$(gp_origin "$1") || { echo "$origin"; return 1; }
  local x=$((${origin% *} + $2)) y=$((${origin#* } + $3))
  e2e_move "$x" "$y" || return
  # Wine's own idea of the pointer, which the watch samples, has caught up.
  e2e_probe wait-pointer "$x" "$y" 5000 - || return
  local at
  at=$(e2e_probe at "$x" "$y") || { echo "nothing under ($x, $y)"; return 1; }
  [ "$(e2e_field "$at" toplevel)" = "$(e2e_handle "$1")" ] ||
    { echo "under ($x, $y) is not \"$1\": $at"; return 1; }
}

# gp_panel_beside TITLE: the panel is shown 25 px right of and 5 px below
# the window's corner, 179 x 24, on top, and has not taken the foreground.
gp_panel_beside() {
  local origin
  origin=$(gp_origin "$1") || { echo "$origin"; return 1; }
  e2e_window_is "$GP_PANEL" visible=1 topmost=1 foreground=0 w=179 h=24 \
    "x=$((${origin% *} + 25))" "y=$((${origin#* } + 5))" && return 0
  # What the watch would have seen.
  local cursor
  cursor=$(e2e_probe cursor)
  echo "pointer: $cursor"
  echo "under it: $(e2e_probe at "$(e2e_field "$cursor" x)" "$(e2e_field "$cursor" y)")"
  return 1
}

gp_panel_shows() { e2e_probe wait-window "$GP_PANEL" "$GP_TWO_TICKS" visible; }
gp_panel_hides() { e2e_probe wait-window "$GP_PANEL" "$GP_TWO_TICKS" hidden; }

# gp_click_panel DX DY: a real click on the panel, DX, DY from its corner.
gp_click_panel() {
  local origin
  origin=$(gp_origin "$GP_PANEL") || { echo "$origin"; return 1; }
  e2e_click $((${origin% *} + $1)) $((${origin#* } + $2)) "$(e2e_handle "$GP_PANEL")"
}

# The opacity that a track press at x pixels gives: thumb x * 15 / 16 held
# in 2..148, then round((thumb - 2) * 1.76), at most 255.
gp_alpha_for_press() {
  local p=$(($1 * 15 / 16))
  ((p < 2)) && p=2
  ((p > 148)) && p=148
  local a=$((((p - 2) * 176 + 50) / 100))
  ((a > 255)) && a=255
  echo "$a"
}

gp_target_is() { e2e_wait 3000 e2e_window_is "$GP_TARGET" "$@"; }

# A place on the helper's window far from its corner, where the panel never is.
gp_leave_corner() { gp_rest "$GP_TARGET" 200 180; }

# gp_dismiss_menu: a real click on a bare spot of the desktop closes the
# popup menu on screen. (Escape does not reach a menu of a window that has
# never been shown under Wine.)
gp_dismiss_menu() {
  local at
  at=$(e2e_probe at "$GP_BARE_X" "$GP_BARE_Y")
  [ "$(e2e_field "$at" class)" = "#32769" ] || { echo "not the bare desktop: $at"; return 1; }
  e2e_click "$GP_BARE_X" "$GP_BARE_Y" - || return
  e2e_probe wait-menu 3000 gone
}

gp_notepad_title() {
  local line
  line=$(e2e_probe windows Notepad | head -n1)
  [ -n "$line" ] || { echo "no notepad window"; return 1; }
  e2e_field "$line" text
}

gp_typed_text_is() {
  local line
  line=$(e2e_probe focus-text "$GP_NOTEPAD") || { echo "$line"; return 1; }
  [ "$(e2e_field "$line" class)" = Edit ] || { echo "the focus is not in the text: $line"; return 1; }
  [ "$(e2e_field "$line" text)" = "$1" ] || { echo "the text reads: $line"; return 1; }
}

gp_start_windows() {
  e2e_start helper "$E2E_BUILD/tests/test_window_helper.exe" "$GP_TARGET" "$GP_OTHER"
  GP_HELPER_PID=$E2E_LAST_PID
  e2e_check "the two windows to hover appear" \
    e2e_probe wait-window "$GP_OTHER" 10000 visible || return
  e2e_probe move "$GP_TARGET" "$GP_TARGET_X" "$GP_TARGET_Y" >/dev/null
  e2e_probe move "$GP_OTHER" "$GP_OTHER_X" "$GP_OTHER_Y" >/dev/null
  e2e_check "and stand where the scenario wants them" \
    e2e_wait 3000 e2e_window_is "$GP_OTHER" "x=$GP_OTHER_X" "y=$GP_OTHER_Y" || return
  e2e_check "apart" \
    e2e_wait 3000 e2e_window_is "$GP_TARGET" "x=$GP_TARGET_X" "y=$GP_TARGET_Y" || return
  # A click inside it gives it the keyboard focus.
  local origin
  origin=$(gp_origin "$GP_TARGET")
  e2e_click $((${origin% *} + 200)) $((${origin#* } + 180)) "$(e2e_handle "$GP_TARGET")"
  e2e_check "it has the foreground" e2e_wait 3000 e2e_window_is "$GP_TARGET" foreground=1
}

gp_hover_and_commands() {
  e2e_scenario "ghost panel: resting in a window's corner brings it up; pin, unpin, opacity, cancel all"
  fresh_settings "$AUTORUN=NoAutorun" "$SHOW_TIP=hide" || return
  start_in_tray || return
  gp_start_windows || return

  e2e_check "the pointer rests 10 px in from the window's corner" gp_rest "$GP_TARGET" 10 10 || return
  e2e_check "\"My ghost\" shows within two ticks of the watch" gp_panel_shows || return
  e2e_check "25 px right of and 5 px below the corner, 179 x 24, on top" \
    gp_panel_beside "$GP_TARGET"
  e2e_check "a tool window without a title bar, which never activates" \
    e2e_window_is "$GP_PANEL" toolwindow=1 noactivate=1 caption=0
  e2e_check "the window that had the focus still has it" \
    e2e_window_is "$GP_TARGET" foreground=1
  e2e_screenshot ghost-panel

  gp_click_panel 50 "$GP_TRACK_Y"
  e2e_check "a press on the panel's track sets the window's opacity ($(gp_alpha_for_press 50))" \
    gp_target_is layered=1 "alpha=$(gp_alpha_for_press 50)"
  e2e_check "the click left the foreground with the window" \
    e2e_window_is "$GP_TARGET" foreground=1
  e2e_check "and the panel stays while the pointer is on it" \
    e2e_not e2e_probe wait-window "$GP_PANEL" 2000 hidden

  gp_click_panel "$GP_PIN_X" "$GP_PIN_Y"
  e2e_check "the pin puts the window on top" gp_target_is topmost=1
  e2e_screenshot ghost-panel-pinned
  gp_click_panel "$GP_PIN_X" "$GP_PIN_Y"
  e2e_check "the unpin icon in its place takes it off the top again" gp_target_is topmost=0
  gp_click_panel "$GP_PIN_X" "$GP_PIN_Y"
  e2e_check "pinned once more" gp_target_is topmost=1

  gp_click_panel "$GP_CROSS_X" "$GP_CROSS_Y"
  e2e_check "cancel all hides the panel" e2e_probe wait-window "$GP_PANEL" 3000 hidden
  e2e_check "and leaves the window opaque and off the top" \
    gp_target_is topmost=0 layered=1 alpha=255

  # The pointer goes to the other window's corner, where the panel shows,
  # and comes back.
  e2e_check "the pointer rests in the other window's corner" gp_rest "$GP_OTHER" 20 4
  e2e_check "the panel moves there" e2e_wait "$GP_TWO_TICKS" gp_panel_beside "$GP_OTHER"
  e2e_check "the pointer back in the first window's corner" gp_rest "$GP_TARGET" 4 20
  e2e_check "the panel follows it" e2e_wait "$GP_TWO_TICKS" gp_panel_beside "$GP_TARGET"
  e2e_check "the pointer leaves the corner" gp_leave_corner
  e2e_check "and the panel hides within two ticks" gp_panel_hides
}

gp_notepad() {
  e2e_scenario "ghost panel over Wine's notepad: what the user types stays in notepad"
  e2e_start notepad notepad
  GP_NOTEPAD_PID=$E2E_LAST_PID
  e2e_check "notepad appears" e2e_wait 10000 gp_notepad_title || return
  GP_NOTEPAD=$(gp_notepad_title)
  e2e_probe move "$GP_NOTEPAD" "$GP_NOTEPAD_X" "$GP_NOTEPAD_Y" >/dev/null
  e2e_check "and stands where the scenario wants it" \
    e2e_wait 3000 e2e_window_is "$GP_NOTEPAD" "x=$GP_NOTEPAD_X" "y=$GP_NOTEPAD_Y" || return
  local origin edit
  origin=$(gp_origin "$GP_NOTEPAD")
  edit=$(e2e_probe text "$GP_NOTEPAD" | grep ' class=Edit ' | head -n1)
  e2e_check "notepad has its text box" test -n "$edit" || return
  e2e_click $((${origin% *} + 120)) $((${origin#* } + 120)) "$(e2e_field "$edit" hwnd)"
  e2e_key_type "Skyvane"
  e2e_check "typing reaches notepad" e2e_wait 3000 gp_typed_text_is "Skyvane" || return

  e2e_check "the pointer rests in notepad's corner" gp_rest "$GP_NOTEPAD" 12 12 || return
  e2e_check "\"My ghost\" shows beside notepad's corner" gp_panel_shows || return
  e2e_check "25 px right of and 5 px below it, on top" gp_panel_beside "$GP_NOTEPAD"
  e2e_key_type " ok"
  e2e_check "what is typed with the panel up still goes to notepad" \
    e2e_wait 3000 gp_typed_text_is "Skyvane ok"
  e2e_check "which keeps the foreground" e2e_window_is "$GP_NOTEPAD" foreground=1
  e2e_screenshot ghost-panel-notepad
  gp_click_panel 120 "$GP_TRACK_Y"
  e2e_check "the panel's track sets notepad's opacity ($(gp_alpha_for_press 120))" \
    e2e_wait 3000 e2e_window_is "$GP_NOTEPAD" layered=1 "alpha=$(gp_alpha_for_press 120)"
  e2e_check "the pointer leaves the corner" gp_rest "$GP_NOTEPAD" 200 150
  e2e_check "and the panel hides" gp_panel_hides
}

gp_switch_off_and_on() {
  e2e_scenario "ghost panel: 关闭功能 stops the watch; 开启功能 brings it back after a minimise"
  right_click_tray
  e2e_check "a right click on the icon opens the tray menu" e2e_probe wait-menu 3000 || return
  e2e_click_menu_item 1 "$MENU_ITEMS"
  e2e_check "关闭功能 closes the menu" e2e_probe wait-menu 3000 gone
  e2e_check "the pointer rests in the window's corner" gp_rest "$GP_TARGET" 10 10
  e2e_check "with the function off no panel shows" \
    e2e_not e2e_probe wait-window "$GP_PANEL" "$GP_TWO_TICKS" visible
  right_click_tray
  e2e_probe wait-menu 3000 >/dev/null
  e2e_screenshot ghost-function-off-menu-down
  e2e_check "a click beside the menu closes it" gp_dismiss_menu
  e2e_tray_callback "$MAIN" "$RIGHT_CLICK" "$UP_X" "$UP_Y" >/dev/null
  e2e_probe wait-menu 3000 >/dev/null
  e2e_screenshot ghost-function-off-menu-up
  e2e_check "a click beside the menu closes it" gp_dismiss_menu

  e2e_click_tray 1
  e2e_check "a left click on the icon shows the main window" \
    e2e_wait 5000 e2e_window_is "$MAIN" visible=1 || return
  e2e_check "with 开启功能 in place of 选择窗口" \
    e2e_control_is "$MAIN" 开启功能 visible=1
  e2e_check "选择窗口 hidden" e2e_control_is "$MAIN" "$BUTTON_PICK" visible=0
  e2e_click_control "$MAIN" 开启功能
  e2e_check "开启功能 gives 选择窗口 back" \
    e2e_wait 3000 e2e_control_is "$MAIN" "$BUTTON_PICK" visible=1
  e2e_check "the pointer rests in the window's corner" gp_rest "$GP_TARGET" 10 10
  e2e_check "while the main window is up, no panel shows" \
    e2e_not e2e_probe wait-window "$GP_PANEL" "$GP_TWO_TICKS" visible
  e2e_click_frame "$MAIN" minimize
  e2e_check "the minimise box sends the main window to the tray" \
    e2e_wait 5000 e2e_window_is "$MAIN" visible=0
  e2e_check "the pointer rests in the window's corner" gp_rest "$GP_TARGET" 10 10
  e2e_check "and the panel shows again" gp_panel_shows
}

gp_hung_window() {
  e2e_scenario "ghost panel over a window that stops answering: Skyvane goes on"
  e2e_check "the pointer leaves the corner" gp_leave_corner
  e2e_check "the panel hides" gp_panel_hides || return
  e2e_probe hang "$GP_TARGET" 15000 >/dev/null
  e2e_check "the window stops answering" \
    e2e_wait 3000 e2e_not e2e_probe answers "$GP_TARGET" 100 || return
  e2e_check "the pointer rests in its corner" gp_rest "$GP_TARGET" 10 10
  e2e_check "the panel shows for it all the same" gp_panel_shows || return
  gp_click_panel "$GP_PIN_X" "$GP_PIN_Y"
  gp_click_panel 100 "$GP_TRACK_Y"
  e2e_check "right after the pin, a press on the track takes effect at once ($(gp_alpha_for_press 100))" \
    e2e_wait 1000 e2e_window_is "$GP_TARGET" layered=1 "alpha=$(gp_alpha_for_press 100)"
  e2e_check "the window that does not answer was left out of the top band" \
    e2e_window_is "$GP_TARGET" topmost=0
  e2e_check "it still does not answer" e2e_not e2e_probe answers "$GP_TARGET" 100
  e2e_screenshot ghost-panel-hung
  e2e_check "it wakes up" e2e_wait 20000 e2e_probe answers "$GP_TARGET" 100
}

ghost_panel() {
  GP_HELPER_PID="" GP_NOTEPAD_PID=""
  gp_hover_and_commands && gp_notepad && gp_switch_off_and_on && gp_hung_window
  # Leave the desktop to the next group as we found it, whatever happened.
  e2e_stop_skyvane
  [ -n "$GP_NOTEPAD_PID" ] && e2e_stop_pid "$GP_NOTEPAD_PID"
  [ -n "$GP_HELPER_PID" ] && e2e_stop_pid "$GP_HELPER_PID"
  true
}
