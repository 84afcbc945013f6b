# A target whose program stops taking messages never freezes Skyvane: the
# helper window sleeps for six seconds on F12, and meanwhile Skyvane takes
# real clicks at once. Uses the steps of tray_and_main_window.sh.

HUNG_TITLE="e2e 停住的窗口"
TRACK_PRESS_X=107   # pixels from the track's left: thumb 100, alpha 172
SECOND_PRESS_X=50   # thumb 46, alpha 77

# The helper's child button answers BM_GETCHECK only while its thread pumps.
hung_target_answers() { e2e_control_is "$HUNG_TITLE" "child of $HUNG_TITLE" checked=0; }

# A real click on the slider's track, at x pixels from its left edge; the
# track lies 40 px below the top of the client area (its middle at 52), whose
# corner Command3 (at 56, 3; caption $1) gives.
press_track() {
  local origin
  origin=$(e2e_client_origin "$MAIN" "$1" 56 3) || { echo "$origin"; return 1; }
  e2e_click $((${origin% *} + $2)) $((${origin#* } + 52)) "$(e2e_handle "$MAIN")"
}

hung_target_steps() {
  e2e_scenario "a target that stops answering never freezes Skyvane"
  fresh_settings || return
  start_shown || return
  e2e_start helper "$E2E_BUILD/tests/test_window_helper.exe" "$HUNG_TITLE"
  HUNG_HELPER_PID=$E2E_LAST_PID
  e2e_check "the target's window appears" \
    e2e_probe wait-window "$HUNG_TITLE" 10000 visible || return

  e2e_click_control "$MAIN" "$BUTTON_PICK"
  e2e_check "a pick starts" e2e_wait 3000 e2e_control_is "$MAIN" "取消操作" visible=1 || return
  e2e_key_down ctrl
  e2e_click_frame "$HUNG_TITLE" caption
  e2e_key_up ctrl
  e2e_check "Ctrl + click on its title bar picks it" \
    e2e_wait 3000 e2e_control_is "$MAIN" "重选窗口" visible=1 || return

  # Into the target's client area, below its button, then F12: it sleeps.
  local line
  line=$(e2e_probe control "$HUNG_TITLE" "child of $HUNG_TITLE")
  e2e_click $(($(e2e_field "$line" x) + 20)) $(($(e2e_field "$line" y) + 120)) \
    "$(e2e_handle "$HUNG_TITLE")"
  e2e_key F12
  e2e_check "the target stops answering" e2e_wait 3000 e2e_not hung_target_answers || return

  e2e_click_control "$MAIN" "$CHECK_TARGET"
  e2e_click_control "$MAIN" "$CHECK_ON_TOP"
  e2e_check "right after 置顶目标, a click on 置顶本窗口 takes effect at once" \
    e2e_wait 1000 e2e_window_is "$MAIN" topmost=0
  press_track "重选窗口" "$TRACK_PRESS_X"
  e2e_click_control "$MAIN" "$CHECK_ON_TOP"
  e2e_check "right after a press on the track, the next click takes effect at once" \
    e2e_wait 1000 e2e_window_is "$MAIN" topmost=1
  e2e_check "Skyvane's window answers another program within 500 ms" \
    e2e_probe answers "$MAIN" 500
  e2e_check "and shows 置顶本窗口 checked" e2e_control_is "$MAIN" "$CHECK_ON_TOP" checked=1
  e2e_check "the hung target was left alone" \
    e2e_window_is "$HUNG_TITLE" topmost=0 layered=0
  e2e_check "it is still the one that did not answer then" e2e_not hung_target_answers
  e2e_screenshot hung-target

  e2e_check "the target wakes up" e2e_wait 10000 hung_target_answers || return
  # The box was checked while the target slept: one click unchecks it, the
  # next checks it again and must now reach the target.
  e2e_click_control "$MAIN" "$CHECK_TARGET"
  e2e_click_control "$MAIN" "$CHECK_TARGET"
  e2e_check "awake, 置顶目标 puts it on top" \
    e2e_wait 3000 e2e_window_is "$HUNG_TITLE" topmost=1
  # Elsewhere on the track: the thumb's own place now holds its cover.
  press_track "重选窗口" "$SECOND_PRESS_X"
  e2e_check "and the slider sets its opacity" \
    e2e_wait 3000 e2e_window_is "$HUNG_TITLE" layered=1 alpha=77
}

hung_target() {
  HUNG_HELPER_PID=""
  hung_target_steps
  # Leave the desktop to the next group as we found it, whatever happened.
  e2e_stop_skyvane
  [ -n "$HUNG_HELPER_PID" ] && e2e_stop_pid "$HUNG_HELPER_PID"
  true
}
