#!/usr/bin/env bash
# Moving the window by dragging it: a left drag on the bare panel or on the
# digits moves the window by the drag's offset; a drag in the seconds field
# selects text instead, and a right drag moves nothing. No move outlives its
# button: after a drag or a quick click the window no longer follows the
# pointer, and the start/stop button still answers clicks.
source "$(dirname "$0")/lib.sh" "$@"

start_desktop
start_kestrova

program_windows() { xdotool search --onlyvisible --pid "$KPID" 2>/dev/null | wc -l; }
at_position() { window_geometry; [ "$WX,$WY" = "$1" ]; }

# x y dx dy button moves? what is pressed
# (the right drag goes up and left, away from the menu the press opens)
cases=(
    "35 16  30  20 1 no  seconds field"
    "65 20 -30 -20 3 no  bare panel, right button"
    "65 20  60  40 1 yes bare panel between the field and the digits"
    "96 20 -50  30 1 yes bare panel right of the digits"
    "83 14  30 -50 1 yes digits"
)

for case in "${cases[@]}"; do
    read -r x y dx dy button moves what <<<"$case"
    window_geometry
    before="$WX,$WY"
    shot "$WORK/before.png"
    field_black_before=$(count_colour "$WORK/before.png" $FIELD_INSIDE "$BLACK")
    log "drag with button $button on the $what from window ($x,$y) by ($dx,$dy); window at ($before)"
    press_drag "$x" "$y" "$dx" "$dy" "$button"
    if [ "$moves" = yes ]; then
        expected="$((WX + dx)),$((WY + dy))"
        wait_until 3 at_position "$expected" ||
            fail "drag on the $what: window at ($WX,$WY), expected ($expected) = ($before) + ($dx,$dy)"
        pass "drag on the $what moved the window from ($before) to ($WX,$WY)"
        # The move ended with the release: the pointer moving on without a
        # button leaves the window where it is.
        moved="$WX,$WY"
        for step in 1 2 3 4; do
            xdotool mousemove_relative -- 8 -6
            sleep 0.08
        done
        sleep 0.4
        window_geometry
        [ "$WX,$WY" = "$moved" ] || fail "after the drag on the $what the window follows the pointer without a button ($moved -> $WX,$WY)"
        pass "after the release the window no longer follows the pointer"
    else
        sleep 0.5
        # A menu or other window the press opened is closed before going on.
        if [ "$(program_windows)" -gt 1 ]; then
            log "the press opened another window of the program; Escape closes it"
            keys Escape
            wait_until 3 eval '[ "$(program_windows)" -le 1 ]' || fail "a window opened by the press did not close"
        fi
        window_geometry
        [ "$WX,$WY" = "$before" ] || fail "drag with button $button on the $what moved the window from ($before) to ($WX,$WY)"
        pass "drag with button $button on the $what left the window at ($before)"
    fi
    if [ "$what" = "seconds field" ]; then
        # The drag selected the field's text: its selection background now
        # covers much of the black.
        shot "$WORK/after.png"
        field_black_after=$(count_colour "$WORK/after.png" $FIELD_INSIDE "$BLACK")
        log "black pixels in the field: $field_black_before before the drag, $field_black_after after"
        [ "$field_black_after" -lt $((field_black_before * 2 / 3)) ] ||
            fail "the drag in the field selected no text (black pixels $field_black_before -> $field_black_after)"
        pass "drag in the field selected its text"
    fi
done
save_view after-drags

# A quick click (press and release at once) on the bare panel or the digits
# ends any move it began: the pointer moving on without a button leaves the
# window where it is.
for point in "65 20" "96 20" "83 14"; do
    window_geometry
    before="$WX,$WY"
    pointer_to $point
    xdotool click 1
    sleep 0.3
    for step in 1 2 3 4 5; do
        xdotool mousemove_relative -- 7 5
        sleep 0.08
    done
    sleep 0.4
    window_geometry
    [ "$WX,$WY" = "$before" ] || fail "after a click at ($point) the window follows the pointer without a button ($before -> $WX,$WY)"
done
pass "quick clicks on the panel and the digits leave the window in place"

# The button still starts and stops the countdown after the moves.
window_geometry
place="$WX,$WY"
shot "$WORK/idle.png"
idle=$(label_hash "$WORK/idle.png")
digits_changed() { shot "$WORK/now.png"; [ "$(label_hash "$WORK/now.png")" != "$idle" ]; }
digits_idle() { shot "$WORK/now.png"; [ "$(label_hash "$WORK/now.png")" = "$idle" ]; }

click_at $BUTTON_CENTRE
wait_until 2.5 digits_changed || fail "a click on the button after the drags did not start the countdown (digits unchanged for 2.5 s)"
pass "a click on the button after the drags started the countdown"
save_view running
[ "$(label_count "$WORK/now.png" "$LIME")" -ge 8 ] || fail "the digits are not lime right after the start"

click_at $BUTTON_CENTRE
wait_until 2.5 digits_idle || fail "a second click on the button did not stop the countdown (digits do not show the field again)"
pass "a second click on the button stopped the countdown"
window_geometry
[ "$WX,$WY" = "$place" ] || fail "clicks on the button moved the window from ($place) to ($WX,$WY)"
pass "clicks on the button left the window at ($place)"

is_running "$KPID" || fail "the program ended during the checks"
finish
