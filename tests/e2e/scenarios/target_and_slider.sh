# Picking a target window and the opacity slider, seen from outside: the real
# Skyvane.exe and the platform tests' window helper (the window to pick)
# under Wine's shell desktop, driven by real clicks, key presses and drags
# (xdotool) and read back by the probe. Sourced by tests/e2e/run.sh, which
# runs the group as the function target_and_slider.
#
# Every scenario file is sourced into the same shell: the names here carry
# the prefix ts_ / TS_ so that they meet no other group's.

TS_MAIN="SkyvaneV2.59"          # the main window's caption
TS_TARGET="e2e 目标窗口"          # the helper's window, the one to pick
TS_CHILD="child of $TS_TARGET"  # the push button inside it
# The helper opens the window at (200, 150), partly under Skyvane's (376..649 x
# 336..432, 459 while picking). Wine draws the window activated last on top,
# even over a topmost one: a click on the helper would hide Skyvane's title
# bar and take the clicks meant for it. Moved here, the two do not meet.
TS_TARGET_X=60 TS_TARGET_Y=80

TS_PICK="选择窗口"              # Command3's three captions
TS_CANCEL="取消操作"
TS_REPICK="重选窗口"
TS_HELP="帮助"                  # Command1, at (3, 3) of the client area
TS_ON_TOP="置顶本窗口"          # Check2
TS_SELF="设置自己"              # Check1
TS_TARGET_ON_TOP="置顶目标"     # Check3

# Outer heights of the main window: 1440 and 1845 twips.
TS_NORMAL_H=96
TS_PICKING_H=123

# The slider, in client pixels: the track (Image2) at x 0..175, y 40..63;
# the thumb (ITransp, under its cover) 16 pixels wide at y 42..61, its left
# at 2..148, 144 at the start. Presses and drags go along the track's middle
# row, which the thumb crosses too.
TS_TRACK_ROW=52
TS_THUMB_W=16
TS_THUMB_MIN=2
TS_THUMB_MAX=148
TS_THUMB_START=144

# The picking timer's period is 100 ms; a pick that has not come after this
# many milliseconds (eight ticks) will not come.
TS_NO_PICK_MS=800
# The same for a slider move that must change nothing.
TS_NO_CHANGE_MS=600

# --- what the script knows of the running pair ---------------------------------

TS_SESSION=""      # "", fresh (no target), target (the helper's window,
                   # 设置自己 unchecked), self (the same, 设置自己 checked)
                   # or child (the helper's button); "" when unknown
TS_HELPER_PID=""
TS_MAIN_HWND=""    # the handles of Skyvane's main window and of the helper's,
TS_TARGET_HWND=""  # the windows that clicks and drags are meant for
TS_X=0 TS_Y=0      # the main window's client origin on the screen
TS_THUMB=$TS_THUMB_START
TS_LAST_REL=""     # the pointer's x over the thumb at the motion that last
                   # passed Skyvane's movement filter, in pixels from its left

# --- the rule, and small readings ----------------------------------------------

# The opacity for a thumb left of 2..148: round((left - 2) * 1.76), at most 255.
# (176 * n never ends in 50 hundredths, so adding a half and cutting rounds.)
ts_alpha_for() {
  local a=$(((($1 - 2) * 176 + 50) / 100))
  ((a > 255)) && a=255
  echo "$a"
}

# Where a press PIXEL from the track's left puts the thumb: 15 twips to the
# pixel, 16 twips to a step, then held within 2..148.
ts_thumb_after_press() {
  local p=$(($1 * 15 / 16))
  ((p < TS_THUMB_MIN)) && p=$TS_THUMB_MIN
  ((p > TS_THUMB_MAX)) && p=$TS_THUMB_MAX
  echo "$p"
}

ts_picked() { e2e_control_is "$TS_MAIN" "$TS_REPICK" visible=1; }
ts_picking() { e2e_control_is "$TS_MAIN" "$TS_CANCEL" visible=1; }

# ts_centre_of TITLE TEXT: "X Y", the middle of a control.
ts_centre_of() {
  local line
  line=$(e2e_probe control "$1" "$2") || { echo "$line"; return 1; }
  echo "$(($(e2e_field "$line" x) + $(e2e_field "$line" w) / 2))" \
    "$(($(e2e_field "$line" y) + $(e2e_field "$line" h) / 2))"
}

# ts_layer_of_window TITLE: "layered=N alpha=N" as read now.
ts_layer_of_window() {
  local line
  line=$(e2e_probe window "$1") || return 1
  echo "layered=$(e2e_field "$line" layered) alpha=$(e2e_field "$line" alpha)"
}

# ts_target_alpha_is N / ts_own_alpha_is N / ts_child_alpha_is N: waited for.
ts_target_alpha_is() { e2e_wait 3000 e2e_window_is "$TS_TARGET" layered=1 "alpha=$1"; }
ts_own_alpha_is() { e2e_wait 3000 e2e_window_is "$TS_MAIN" layered=1 "alpha=$1"; }
ts_child_alpha_is() { e2e_wait 3000 e2e_control_is "$TS_TARGET" "$TS_CHILD" layered=1 "alpha=$1"; }

# ts_unchanged BEFORE COMMAND...: COMMAND (a ts_layer_of_*) still prints BEFORE.
ts_unchanged() {
  local before=$1 now
  shift
  now=$("$@") || { echo "cannot read it: $now"; return 1; }
  [ "$now" = "$before" ] || { echo "was '$before', now '$now'"; return 1; }
}

# ts_falls_step_by_step N...: each value is below the one before.
ts_falls_step_by_step() {
  local previous="" value
  for value in "$@"; do
    if [ -n "$previous" ] && ((value >= previous)); then
      echo "$value follows $previous in: $*"
      return 1
    fi
    previous=$value
  done
}

# --- real input on the slider ----------------------------------------------------

# ts_press_track PIXEL: a real click on the track, PIXEL from its left. A
# press on the thumb's place would take hold of the thumb instead; the
# scenarios choose places off it.
ts_press_track() {
  if (($1 >= TS_THUMB && $1 < TS_THUMB + TS_THUMB_W)); then
    e2e_check "track pixel $1 lies off the thumb (left $TS_THUMB): the scenario must choose another" false
    return 1
  fi
  e2e_click $((TS_X + $1)) $((TS_Y + TS_TRACK_ROW)) "$TS_MAIN_HWND" || return
  TS_THUMB=$(ts_thumb_after_press "$1")
}

# ts_onto_thumb [OFFSET]: the pointer onto the thumb, OFFSET pixels right of
# its middle, in two motions a pixel apart. Motion over the cover (the
# thumb's normal look, lying on it after a release) uncovers the highlighted
# thumb, which the next motion reaches. Skyvane lets a motion through only
# when its x (from the left of the picture under the pointer) differs from
# the last one let through; of two motions a pixel apart, one passes.
ts_onto_thumb() {
  local x=$((TS_X + TS_THUMB + TS_THUMB_W / 2 + ${1:-0})) y=$((TS_Y + TS_TRACK_ROW))
  e2e_move $((x - 1)) "$y" && e2e_point "$x" "$y" "$TS_MAIN_HWND" || return
  TS_LAST_REL=$((TS_THUMB_W / 2 + ${1:-0}))
}

# ts_grab_thumb: a press on the thumb's middle.
ts_grab_thumb() { ts_onto_thumb && e2e_mouse_down; }

# ts_drag_to LEFT: with the thumb held, the pointer to where the thumb's middle
# would be at LEFT. Skyvane moves the thumb so (when LEFT is within 2..148)
# and applies that place's opacity. A move whose x from the thumb's left
# equals the one let through last is taken for no movement; the scenarios
# vary their steps so that each one counts.
ts_drag_to() {
  local rel=$(($1 + TS_THUMB_W / 2 - TS_THUMB))
  if [ "$rel" = "$TS_LAST_REL" ]; then
    e2e_check "a move to $1 repeats the last x over the thumb ($rel), which Skyvane drops: the scenario must vary its steps" false
    return 1
  fi
  e2e_point $((TS_X + $1 + TS_THUMB_W / 2)) $((TS_Y + TS_TRACK_ROW)) - || return
  TS_LAST_REL=$rel
  if (($1 >= TS_THUMB_MIN && $1 <= TS_THUMB_MAX)); then TS_THUMB=$1; fi
}

ts_release_thumb() { e2e_mouse_up; }

# --- the fixture: Skyvane and the helper, fresh or with a target -------------------

ts_stop_pair() {
  e2e_stop_skyvane
  [ -n "$TS_HELPER_PID" ] && e2e_stop_pid "$TS_HELPER_PID"
  TS_HELPER_PID=""
  TS_MAIN_HWND=""
  TS_TARGET_HWND=""
  TS_SESSION=""
}

# The helper's window first, moved clear of Skyvane's, then Skyvane on a
# first run (settings cleared): its main window shows on top.
ts_start_pair() {
  ts_stop_pair
  fresh_settings || return
  e2e_start helper "$E2E_BUILD/tests/test_window_helper.exe" "$TS_TARGET"
  TS_HELPER_PID=$E2E_LAST_PID
  e2e_check "the window to pick appears" \
    e2e_wait_alive "$TS_HELPER_PID" 10000 e2e_window_is "$TS_TARGET" visible=1 || return
  TS_TARGET_HWND=$(e2e_handle "$TS_TARGET")
  e2e_check "and moves clear of Skyvane's" \
    e2e_probe move "$TS_TARGET" "$TS_TARGET_X" "$TS_TARGET_Y" || return
  e2e_start_skyvane
  e2e_check "Skyvane's main window appears, on top" \
    e2e_wait_alive "$SKYVANE_PID" 10000 e2e_window_is "$TS_MAIN" visible=1 topmost=1 || return
  TS_MAIN_HWND=$(e2e_handle "$TS_MAIN")
  local origin
  origin=$(e2e_client_origin "$TS_MAIN" "$TS_HELP" 3 3) || { echo "$origin" >&2; return 1; }
  read -r TS_X TS_Y <<<"$origin"
  TS_THUMB=$TS_THUMB_START
  TS_LAST_REL=""
  TS_SESSION=fresh
}

# ts_session STATE...: a running pair in one of the given states, reused when
# the last scenario left it so, else started afresh ("fresh") and, for the
# others, with the helper's window picked by its title bar ("target").
ts_session() {
  if [[ " $* " == *" $TS_SESSION "* ]] && e2e_alive "$SKYVANE_PID" &&
    e2e_alive "$TS_HELPER_PID"; then
    return 0
  fi
  ts_start_pair || return
  [[ " $* " == *" fresh "* ]] && return 0
  ts_start_picking && ts_pick_title_bar
}

# A real click on 选择窗口 (重选窗口 once there is a target) starts picking.
ts_start_picking() {
  local from=$TS_PICK
  ts_picked >/dev/null 2>&1 && from=$TS_REPICK
  e2e_click_control "$TS_MAIN" "$from"
  e2e_check "a click on $from starts picking: the button reads $TS_CANCEL" \
    e2e_wait 3000 ts_picking
}

# ts_ctrl_click "X Y" WINDOW DESCRIPTION COMMAND...: a real left click on
# WINDOW with Ctrl held, the key kept down until the check (as e2e_check)
# has been made.
ts_ctrl_click() {
  local x y window=$2 status
  read -r x y <<<"$1"
  shift 2
  e2e_key_down ctrl
  e2e_click "$x" "$y" "$window"
  e2e_check "$@"
  status=$?
  e2e_key_up ctrl
  return "$status"
}

# While picking: Ctrl + a click on the helper's title bar picks its window.
ts_pick_title_bar() {
  local point
  point=$(e2e_frame_point "$TS_TARGET" caption) || { echo "$point"; return 1; }
  ts_ctrl_click "$point" "$TS_TARGET_HWND" \
    "Ctrl + a click on the other window's title bar picks it: $TS_REPICK" \
    e2e_wait 3000 ts_picked || return
  TS_SESSION=target
}

# ts_scenario_passed FAILED_BEFORE STATE: the scenario leaves the pair in STATE
# when none of its checks failed; otherwise its state is unknown.
ts_scenario_passed() {
  if [ "$e2e_failed" -eq "$1" ]; then TS_SESSION=$2; else TS_SESSION=""; fi
}

# --- scenarios -----------------------------------------------------------------

picking_needs_ctrl_and_the_button_on_another_window() {
  e2e_scenario "picking: nothing is picked without Ctrl and the button together, nor Skyvane itself"
  ts_session fresh || return
  local failed=$e2e_failed
  TS_SESSION=""
  ts_start_picking || return
  e2e_check "the window grows to $TS_PICKING_H px for the picking labels and stays on top" \
    e2e_window_is "$TS_MAIN" "h=$TS_PICKING_H" topmost=1
  e2e_check "置顶目标 stays disabled while nothing is picked" \
    e2e_control_is "$TS_MAIN" "$TS_TARGET_ON_TOP" enabled=0

  local caption own line blank
  caption=$(e2e_frame_point "$TS_TARGET" caption) || { echo "$caption"; return 1; }
  own=$(e2e_frame_point "$TS_MAIN" caption) || { echo "$own"; return 1; }
  line=$(e2e_probe window "$TS_TARGET") || return
  # A free place of the helper's client area, under its button.
  blank="$(($(e2e_field "$line" x) + 40)) $(($(e2e_field "$line" y) + 150))"
  # shellcheck disable=SC2086
  e2e_point $blank "$TS_TARGET_HWND" && e2e_mouse_down
  e2e_check "the left button held on the other window without Ctrl picks nothing" \
    e2e_not e2e_wait "$TS_NO_PICK_MS" ts_picked
  e2e_mouse_up
  # shellcheck disable=SC2086
  e2e_point $caption "$TS_TARGET_HWND"
  e2e_key_down ctrl
  e2e_check "Ctrl held with the pointer on the other window's title bar picks nothing" \
    e2e_not e2e_wait "$TS_NO_PICK_MS" ts_picked
  e2e_key_up ctrl
  # Label1 shows the title of the window under the pointer (the helper's);
  # the pointer has rested there for several ticks of the picking timer.
  e2e_screenshot picking

  ts_ctrl_click "$own" "$TS_MAIN_HWND" \
    "Ctrl + a click on Skyvane's own title bar picks nothing" \
    e2e_not e2e_wait "$TS_NO_PICK_MS" ts_picked
  e2e_check "picking goes on" ts_picking || return

  e2e_click_control "$TS_MAIN" "$TS_CANCEL"
  e2e_check "$TS_CANCEL with no target: the button reads $TS_PICK again" \
    e2e_wait 3000 e2e_control_is "$TS_MAIN" "$TS_PICK" visible=1 || return
  e2e_check "the window is $TS_NORMAL_H px high again and has left the top band" \
    e2e_wait 3000 e2e_window_is "$TS_MAIN" "h=$TS_NORMAL_H" topmost=0
  e2e_check "置顶本窗口 shows unchecked" e2e_control_is "$TS_MAIN" "$TS_ON_TOP" checked=0
  ts_scenario_passed "$failed" fresh
}

ctrl_click_picks_the_window_under_the_title_bar() {
  e2e_scenario "picking: Ctrl + a click on another window's title bar makes it the target"
  ts_session fresh || return
  local failed=$e2e_failed
  TS_SESSION=""
  ts_start_picking || return
  e2e_check "the window is $TS_PICKING_H px high while picking" \
    e2e_window_is "$TS_MAIN" "h=$TS_PICKING_H"
  ts_pick_title_bar || return
  e2e_check "置顶目标 becomes enabled, unchecked" \
    e2e_control_is "$TS_MAIN" "$TS_TARGET_ON_TOP" enabled=1 checked=0
  e2e_check "Skyvane's window is on top (置顶本窗口 checked)" \
    e2e_window_is "$TS_MAIN" topmost=1
  e2e_check "the picked window is untouched: not on top, not layered" \
    e2e_window_is "$TS_TARGET" topmost=0 layered=0
  ts_scenario_passed "$failed" target
}

target_on_top_switch() {
  e2e_scenario "置顶目标 puts the target into the top band and takes it out again"
  ts_session target || return
  local failed=$e2e_failed
  TS_SESSION=""
  e2e_click_control "$TS_MAIN" "$TS_TARGET_ON_TOP"
  e2e_check "checking 置顶目标 puts the target on top" \
    e2e_wait 3000 e2e_window_is "$TS_TARGET" topmost=1
  e2e_check "it shows checked" e2e_control_is "$TS_MAIN" "$TS_TARGET_ON_TOP" checked=1
  e2e_check "Skyvane's window keeps the foreground" \
    e2e_window_is "$TS_MAIN" foreground=1 topmost=1
  e2e_click_control "$TS_MAIN" "$TS_TARGET_ON_TOP"
  e2e_check "unchecking it takes the target out of the top band" \
    e2e_wait 3000 e2e_window_is "$TS_TARGET" topmost=0
  e2e_check "Skyvane's window still has the foreground" \
    e2e_window_is "$TS_MAIN" foreground=1 topmost=1
  ts_scenario_passed "$failed" target
}

track_press_sets_the_targets_opacity() {
  e2e_scenario "a press on the track jumps the thumb there and sets the target's opacity"
  ts_session target || return
  local failed=$e2e_failed
  TS_SESSION=""
  e2e_check "the target starts without layering" e2e_window_is "$TS_TARGET" layered=0 alpha=-1
  # Track pixel and the opacity it gives. The order keeps each press off the
  # thumb that the press before left, and no two neighbours give the same
  # opacity, so each reading shows a press of its own.
  local row pixel alpha
  for row in \
    "107 172" \
    "50 77" \
    "17 23" \
    "1 0" \
    "170 255" \
    "4 2" \
    "158 255" \
    "3 0" \
    "147 238" \
    "159 255"; do
    # 107: 1605 twips, step 100. 17: 255 twips are step 15 (cut, not
    # rounded to 16, which gives 25). 1: below the lowest place, 0. 170:
    # beyond the highest, 255. 4: step 3, the first opacity above 0. 158:
    # step 148, 257 held at 255. 3: step 2, the thumb's lowest place, 0.
    # 159: step 149, past the end.
    read -r pixel alpha <<<"$row"
    ts_press_track "$pixel" || return
    e2e_check "track pixel $pixel gives the target opacity $alpha" ts_target_alpha_is "$alpha"
  done
  e2e_check "Skyvane's own window is not layered by track presses" \
    e2e_window_is "$TS_MAIN" layered=0
  ts_scenario_passed "$failed" target
}

thumb_drag_follows_the_pointer() {
  e2e_scenario "dragging the thumb changes the target's opacity step by step"
  ts_session target || return
  local failed=$e2e_failed
  TS_SESSION=""
  # From wherever the thumb is, a press on the track puts it at the right end.
  if ((TS_THUMB != TS_THUMB_MAX)); then
    ts_press_track 170 || return
    e2e_check "a press at the track's end sets 255" ts_target_alpha_is 255 || return
  fi

  ts_grab_thumb || return
  local left readings=() expected status=0
  # Leftwards in steps of 9 and 10 pixels to left 75, about half opacity.
  for left in 139 129 120 110 101 91 82 75; do
    ts_drag_to "$left" || { status=1; break; }
    expected=$(ts_alpha_for "$left")
    e2e_check "thumb dragged to $left: the target's opacity is $expected" \
      ts_target_alpha_is "$expected"
    readings+=("$(e2e_field "$(e2e_probe window "$TS_TARGET")" alpha)")
  done
  if [ "$status" -eq 0 ]; then
    e2e_check "the opacity read after each step fell with every step" \
      ts_falls_step_by_step "${readings[@]}"
    e2e_screenshot half-transparent-target   # the target at 128 (Wine draws it opaque)

    # A move that would put the thumb past either end leaves it where it
    # was: no jump to the end's opacity. The drag goes on.
    local end past held
    for end in "$((TS_THUMB_MAX + 1)) 255 100" "$((TS_THUMB_MIN - 1)) 0 60"; do
      read -r past held left <<<"$end"
      expected=$(ts_alpha_for "$TS_THUMB")
      ts_drag_to "$past" || { status=1; break; }
      e2e_check "a move past the end (thumb at $past) does not jump to $held" \
        e2e_not e2e_wait "$TS_NO_CHANGE_MS" ts_target_alpha_is "$held"
      e2e_check "the opacity stays $expected" e2e_window_is "$TS_TARGET" "alpha=$expected"
      ts_drag_to "$left" || { status=1; break; }
      e2e_check "the drag goes on: thumb at $left gives $(ts_alpha_for "$left")" \
        ts_target_alpha_is "$(ts_alpha_for "$left")" || { status=1; break; }
    done
  fi
  ts_release_thumb
  [ "$status" -eq 0 ] || { TS_SESSION=""; return; }

  # Released, the thumb no longer follows: motions over it change nothing.
  expected=$(ts_alpha_for "$TS_THUMB")
  ts_onto_thumb 4
  e2e_check "after the release motions over the thumb change nothing" \
    e2e_not e2e_wait "$TS_NO_CHANGE_MS" ts_target_alpha_is "$(ts_alpha_for $((TS_THUMB + 4)))"
  e2e_check "the opacity stays $expected" e2e_window_is "$TS_TARGET" "alpha=$expected"
  ts_scenario_passed "$failed" target
}

adjust_myself_turns_drags_on_skyvane() {
  e2e_scenario "with 设置自己 checked a drag sets Skyvane's own opacity, a track press the target's"
  ts_session target || return
  local failed=$e2e_failed
  TS_SESSION=""
  e2e_click_control "$TS_MAIN" "$TS_SELF"
  e2e_check "设置自己 shows checked" \
    e2e_wait 3000 e2e_control_is "$TS_MAIN" "$TS_SELF" checked=1 || return

  local own
  own=$(ts_layer_of_window "$TS_MAIN") || return
  ts_press_track 40 || return   # step 37
  e2e_check "a track press still sets the target's opacity (62)" ts_target_alpha_is 62
  e2e_check "and leaves Skyvane's own as it was ($own)" \
    ts_unchanged "$own" ts_layer_of_window "$TS_MAIN"

  ts_grab_thumb || return
  local left status=0
  for left in 57 78; do   # steps of 20 and 21 pixels
    ts_drag_to "$left" || { status=1; break; }
    e2e_check "thumb dragged to $left: Skyvane's own opacity is $(ts_alpha_for "$left")" \
      ts_own_alpha_is "$(ts_alpha_for "$left")" || { status=1; break; }
  done
  ts_release_thumb
  [ "$status" -eq 0 ] || { TS_SESSION=""; return; }
  e2e_check "the drag left the target's opacity at 62" e2e_window_is "$TS_TARGET" alpha=62
  ts_scenario_passed "$failed" self
}

ctrl_click_in_the_client_area_picks_the_control() {
  e2e_scenario "picking: Ctrl + a click inside another window picks the control under the pointer"
  ts_session target self || return
  local failed=$e2e_failed
  TS_SESSION=""
  ts_start_picking || return
  e2e_click_control "$TS_MAIN" "$TS_CANCEL"
  e2e_check "$TS_CANCEL with a target keeps it: the button reads $TS_REPICK" \
    e2e_wait 3000 ts_picked || return
  ts_start_picking || return

  local top button child
  top=$(ts_layer_of_window "$TS_TARGET") || return
  button=$(ts_centre_of "$TS_TARGET" "$TS_CHILD") || { echo "$button"; return 1; }
  child=$(e2e_field "$(e2e_probe control "$TS_TARGET" "$TS_CHILD")" hwnd)
  ts_ctrl_click "$button" "$child" \
    "Ctrl + a click on the other window's button picks: $TS_REPICK" \
    e2e_wait 3000 ts_picked || return
  ts_press_track 20 || return   # step 18
  e2e_check "a track press now sets the button's own opacity (28)" ts_child_alpha_is 28
  e2e_check "and leaves its window as it was ($top)" \
    ts_unchanged "$top" ts_layer_of_window "$TS_TARGET"
  ts_scenario_passed "$failed" child
}

a_closed_target_breaks_nothing() {
  e2e_scenario "with the target closed the slider changes nothing and Skyvane goes on"
  ts_session target self child || return
  TS_SESSION=""
  local own
  own=$(ts_layer_of_window "$TS_MAIN") || return
  e2e_probe close "$TS_TARGET" >/dev/null
  e2e_check "the target's window is closed (the helper ends)" \
    e2e_wait 5000 e2e_gone "$TS_HELPER_PID" || return
  TS_HELPER_PID=""

  ts_press_track 120 || return   # into the range
  ts_press_track 1 || return     # and below it
  e2e_check "Skyvane still runs" e2e_alive "$SKYVANE_PID" || return
  e2e_check "its own opacity is as it was ($own)" \
    ts_unchanged "$own" ts_layer_of_window "$TS_MAIN"
  e2e_click_control "$TS_MAIN" "$TS_REPICK"
  e2e_check "it still answers: a click on $TS_REPICK starts picking again" \
    e2e_wait_alive "$SKYVANE_PID" 3000 ts_picking
  e2e_check "and the window is $TS_PICKING_H px high" \
    e2e_window_is "$TS_MAIN" "h=$TS_PICKING_H"
}

target_and_slider() {
  picking_needs_ctrl_and_the_button_on_another_window
  ctrl_click_picks_the_window_under_the_title_bar
  target_on_top_switch
  track_press_sets_the_targets_opacity
  thumb_drag_follows_the_pointer
  adjust_myself_turns_drags_on_skyvane
  ctrl_click_in_the_client_area_picks_the_control
  a_closed_target_breaks_nothing
  ts_stop_pair
}
