#!/usr/bin/env bash
# The program's window as it first appears: where it is, how big, its desktop
# states, that the window manager gives it no frame, its colours, and that it
# stays above an ordinary window that is activated over it.
source "$(dirname "$0")/lib.sh" "$@"

start_desktop
start_kestrova

# --- Place and size -------------------------------------------------------
window_geometry
log "window $KWIN: absolute ($WX,$WY), ${WW}x${WH}"
[ "$WX,$WY" = "187,121" ] || fail "window at ($WX,$WY), expected (187,121)"
[ "${WW}x${WH}" = "100x40" ] || fail "window is ${WW}x${WH}, expected 100x40"
pass "window at (187,121), 100x40"

# --- No frame: the window manager's outer window is the window's own size.
frame=$(toplevel_of "$KWIN")
frame_info=$(xwininfo -id "$frame")
fw=$(echo "$frame_info" | awk '/^ *Width:/ { print $NF }')
fh=$(echo "$frame_info" | awk '/^ *Height:/ { print $NF }')
fx=$(echo "$frame_info" | awk '/Absolute upper-left X:/ { print $NF }')
fy=$(echo "$frame_info" | awk '/Absolute upper-left Y:/ { print $NF }')
log "outer window $frame: ($fx,$fy) ${fw}x${fh}"
[ "$fw x $fh @ $fx,$fy" = "100 x 40 @ 187,121" ] ||
    fail "the window manager's outer window is ${fw}x${fh} at ($fx,$fy): the window is decorated"
extents=$(xprop -id "$KWIN" _NET_FRAME_EXTENTS)
log "$extents"
echo "$extents" | grep -q '= 0, 0, 0, 0$' || fail "frame extents are not all zero: $extents"
pass "no window frame (outer window 100x40, frame extents 0,0,0,0)"

# --- Desktop states ---------------------------------------------------------
states=$(xprop -id "$KWIN" _NET_WM_STATE)
log "$states"
for atom in _NET_WM_STATE_ABOVE _NET_WM_STATE_SKIP_TASKBAR _NET_WM_STATE_SKIP_PAGER; do
    echo "$states" | grep -qw "$atom" || fail "_NET_WM_STATE lacks $atom"
done
pass "_NET_WM_STATE has ABOVE, SKIP_TASKBAR and SKIP_PAGER"

# --- Colours at start -----------------------------------------------------
save_view startup
f="$ARTIFACTS/${TEST_NAME}-startup.png"

# Bare panel pixels all around the controls.
for point in "65 20" "96 20" "3 3" "60 37" "30 10" "97 37" "2 20"; do
    c=$(pixel "$f" $point)
    log "panel pixel ($point): $c"
    [ "$c" = "$PANEL" ] || fail "panel pixel ($point) is $c, expected $PANEL"
done
pass "bare panel is RGB(49,53,85)"

n=$(label_count "$f" "$LIME")
log "label area: $n lime pixels, $(label_count "$f" "$YELLOW") yellow, $(label_count "$f" "$RED") red"
[ "$n" -ge 8 ] || fail "the digits are not lime at start ($n lime pixels)"
[ "$(label_count "$f" "$YELLOW")" -eq 0 ] && [ "$(label_count "$f" "$RED")" -eq 0 ] ||
    fail "the idle digits show yellow or red"
pass "digits are lime"

# The digits are right-justified to x 92: their rightmost drawn column is
# just left of it (the glyph's own margin may leave one column).
rightmost=$(convert "$f" -crop "$(set -- $LABEL_AREA; echo "${3}x${4}+$((WX + $1))+$((WY + $2))")" +repage -depth 8 txt:- |
    awk -v panel="$PANEL" -v x0="${LABEL_AREA%% *}" '
        /^#/ { next }
        toupper($3) != panel { split($1, p, /[,:]/); if (p[1] + x0 > r) r = p[1] + x0 }
        END { print r + 0 }')
log "rightmost drawn column of the digits: x $rightmost"
[ "$rightmost" -ge 90 ] && [ "$rightmost" -le 91 ] ||
    fail "the digits' rightmost column is x $rightmost, expected 90 or 91 (right edge at x 92)"
pass "digits end at the right edge x 92"

n=$(bar_count "$f" "$LIME")
log "bar fill: $n of 352 pixels lime"
[ "$n" -eq 352 ] || fail "the idle bar is not full lime: $n of 352 fill pixels lime"
for point in $BAR_BORDER_POINTS; do
    c=$(pixel "$f" ${point%,*} ${point#*,})
    [ "$c" = "$BLACK" ] || fail "bar border pixel ($point) is $c, expected black"
done
pass "bar is full lime inside a black border"

n=$(count_colour "$f" $FIELD_BLACK "$BLACK")
log "field background: $n of 72 pixels black"
[ "$n" -ge 66 ] || fail "the field's background is not black ($n of 72 pixels)"
n=$(count_colour "$f" $FIELD_TEXT '#FFFFFF')
log "field text: $n white pixels"
[ "$n" -ge 10 ] || fail "the field shows no white text ($n white pixels)"
pass "field is white on black"

n=$(convert "$f" -crop "17x15+$((WX + 8))+$((WY + 8))" +repage -depth 8 txt:- | grep -vc -e "$PANEL" -e '^#')
log "button glyph: $n non-panel pixels"
[ "$n" -ge 40 ] || fail "the button shows no glyph ($n non-panel pixels)"
pass "button glyph drawn"

# --- Stays above an ordinary window ---------------------------------------
if command -v display >/dev/null 2>&1; then
    convert -size 300x200 xc:'#FF00FF' "$WORK/other.png"
    display -geometry +120+80 -title 'Other window' "$WORK/other.png" >"$WORK/display.log" 2>&1 &
    other_pid=$!
    wait_until 15 eval 'xdotool search --onlyvisible --name "^Other window$" >/dev/null' ||
        fail "the ordinary window did not appear: $(cat "$WORK/display.log")"
    other=$(xdotool search --onlyvisible --name '^Other window$' | head -n1)
    xdotool windowactivate --sync "$other" >/dev/null 2>&1
    xdotool windowraise "$other"
    sleep 0.5
    active=$(xprop -root _NET_ACTIVE_WINDOW | awk '{ print $NF }')
    log "ordinary window $other activated; active window is $active"
    [ $((active)) -eq $((other)) ] || fail "could not activate the ordinary window (active: $active)"
    window_geometry "$other"
    ox=$WX oy=$WY ow=$WW oh=$WH
    window_geometry
    log "ordinary window at ($ox,$oy) ${ow}x${oh}; timer at ($WX,$WY)"
    [ "$ox" -lt "$WX" ] && [ "$oy" -lt "$WY" ] && [ $((ox + ow)) -gt $((WX + WW)) ] &&
        [ $((oy + oh)) -gt $((WY + WH)) ] || fail "the ordinary window does not cover the timer's place"
    save_view above-other
    f="$ARTIFACTS/${TEST_NAME}-above-other.png"
    # Around the timer the ordinary window shows; the timer itself shows on top.
    around=$(pixel "$f" -5 20)
    log "pixel left of the timer: $around; panel pixel: $(pixel "$f" 65 20)"
    [ "$around" = '#FF00FF' ] || fail "the ordinary window does not show beside the timer (saw $around)"
    [ "$(pixel "$f" 65 20)" = "$PANEL" ] && [ "$(label_count "$f" "$LIME")" -ge 8 ] &&
        [ "$(bar_count "$f" "$LIME")" -eq 352 ] ||
        fail "the activated ordinary window covers the timer"
    stacking=$(xprop -root _NET_CLIENT_LIST_STACKING)
    log "$stacking"
    order=$(echo "$stacking" | tr ',' '\n' | grep -o '0x[0-9a-f]*' | while read -r id; do
        [ $((id)) -eq $((KWIN)) ] && echo timer
        [ $((id)) -eq $((other)) ] && echo other
    done | tr '\n' ' ')
    [ "$order" = "other timer " ] || fail "stacking order bottom to top is '$order', expected the timer on top"
    pass "timer stays above an activated ordinary window"
    stop_pid "$other_pid"
else
    log "skipped: no ordinary X program (ImageMagick's display) to put under the timer"
fi

is_running "$KPID" || fail "the program ended during the checks"
finish
