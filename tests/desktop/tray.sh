#!/usr/bin/env bash
# The notification-area icon in a real XEmbed notification area (trayer):
# embedded from start-up, deaf to single clicks, back after the area is made
# anew, shown once an area appears after the program started, and a left
# double click on it ends the program with exit code 0 while a countdown
# runs, taking the icon with it.
source "$(dirname "$0")/lib.sh" "$@"
command -v trayer >/dev/null 2>&1 || fail "trayer is not installed"

# The centre of the program's icon on the screen, as "X Y".
icon_centre() {
    local line
    line=$(icon_line)
    [ -n "$line" ] || return 1
    # "... 22x22+0+0  +617+377"
    local size abs
    size=$(echo "$line" | grep -o '[0-9]*x[0-9]*+[-0-9]*+[-0-9]*' | head -n1)
    abs=$(echo "$line" | grep -o '+[-0-9]*+[-0-9]*$')
    local w=${size%%x*} rest=${size#*x} h
    h=${rest%%+*}
    local ax ay
    ax=$(echo "$abs" | cut -d+ -f2) ay=$(echo "$abs" | cut -d+ -f3)
    [ "$w" -gt 1 ] && [ "$h" -gt 1 ] || return 1
    echo "$((ax + w / 2)) $((ay + h / 2))"
}
program_windows() { xdotool search --onlyvisible --class kestrova 2>/dev/null | wc -l; }

start_tray_and_wait() {
    start_tray
    wait_until 10 tray_up || fail "trayer did not come up: $(cat "$WORK/trayer.log")"
}

start_desktop
start_tray_and_wait
start_kestrova
wait_until 10 icon_embedded || fail "the icon is not in the notification area"
pass "the icon is embedded in the notification area at start-up ($(icon_centre))"

# Single clicks: nothing happens, at once or after the double-click time.
windows_before=$(program_windows)
read -r ix iy < <(icon_centre)
for button in 1 3 2; do
    xdotool mousemove "$ix" "$iy" click "$button"
    sleep 1
    is_running "$KPID" || fail "a single click with button $button ended the program"
    [ "$(program_windows)" -eq "$windows_before" ] ||
        fail "a single click with button $button opened a window (menu?): $(program_windows) visible"
    xdotool mousemove 10 10
    sleep 0.3
done
pass "single left, right and middle clicks change nothing and open no menu"
# A right double click does nothing either.
xdotool mousemove "$ix" "$iy" click --repeat 2 --delay 80 3
sleep 1
is_running "$KPID" || fail "a right double click ended the program"
[ "$(program_windows)" -eq "$windows_before" ] || fail "a right double click opened a window"
xdotool key Escape
pass "a right double click changes nothing"

# The notification area is made anew: the icon comes back, three times.
for round in 1 2 3; do
    stop_tray
    wait_until 5 eval '! icon_embedded' || fail "the icon outlived its notification area"
    start_tray_and_wait
    wait_until 10 icon_embedded || fail "the icon did not come back after restart $round"
done
pass "the icon comes back each time the notification area is made anew"

# A countdown runs; a left double click on the icon ends the program with 0.
shot "$WORK/idle.png"
idle=$(label_hash "$WORK/idle.png")
click_at $BUTTON_CENTRE
counting() { shot "$WORK/now.png"; [ "$(label_hash "$WORK/now.png")" != "$idle" ]; }
wait_until 5 counting || fail "the countdown did not start"
read -r ix iy < <(icon_centre)
xdotool mousemove "$ix" "$iy" click --repeat 2 --delay 80 1
wait_exit 10 || fail "a double click on the icon did not end the program"
[ "$KEXIT" -eq 0 ] || fail "the program ended with exit code $KEXIT"
wait_until 5 eval '! icon_embedded' || fail "the icon stays after the program ended"
pass "a left double click on the icon ends the program with 0 and the icon is gone"

# Started with no notification area, the icon appears once one does.
stop_tray
start_kestrova
sleep 1
icon_embedded && fail "an icon without a notification area?"
start_tray_and_wait
wait_until 10 icon_embedded || fail "the icon did not appear when a notification area appeared"
pass "started without a notification area, the icon appears once one exists"
click_at $FIELD_POINT
double_click_at $FIELD_POINT
wait_exit 10 || fail "the program did not end"
[ "$KEXIT" -eq 0 ] || fail "exit code $KEXIT"
finish
