#!/usr/bin/env bash
# Closing the program: a double click in the seconds field, or Alt+F4 on its
# window, idle or while a countdown runs, ends the program with exit code 0.
# Alt+F4 is tried both with openbox's own binding (the window manager asks
# the window to close) and with openbox leaving the key to the program.
source "$(dirname "$0")/lib.sh" "$@"

program_keys=$(openbox_config_without A-F4)

# With that configuration openbox really leaves Alt+F4 alone: an ordinary
# window (ImageMagick's display) that does not handle the key stays open.
if command -v display >/dev/null 2>&1; then
    start_desktop "$program_keys"
    convert -size 200x100 xc:'#FF00FF' "$WORK/other.png"
    display -geometry +300+300 -title 'Other window' "$WORK/other.png" >"$WORK/display.log" 2>&1 &
    other_pid=$!
    wait_until 15 eval 'xdotool search --onlyvisible --name "^Other window$" >/dev/null' ||
        fail "the ordinary window did not appear: $(cat "$WORK/display.log")"
    xdotool windowactivate --sync "$(xdotool search --onlyvisible --name '^Other window$' | head -n1)" >/dev/null 2>&1
    sleep 0.3
    keys alt+F4
    sleep 1
    is_running "$other_pid" || fail "openbox still closes windows on Alt+F4 with the key unbound"
    pass "with Alt+F4 unbound openbox leaves the key to the window"
    stop_pid "$other_pid"
    stop_desktop
fi

digits_changed() { shot "$WORK/now.png"; [ "$(label_hash "$WORK/now.png")" != "$idle" ]; }
no_window() { [ -z "$(visible_windows)" ]; }

# how, who handles Alt+F4, countdown running?
cases=(
    "double-click openbox idle"
    "alt+F4 openbox idle"
    "alt+F4 program idle"
    "alt+F4 openbox running"
    "alt+F4 program running"
)

for case in "${cases[@]}"; do
    read -r how keys_to countdown <<<"$case"
    log "=== $how, Alt+F4 handled by $keys_to, countdown $countdown ==="
    if [ "$keys_to" = program ]; then start_desktop "$program_keys"; else start_desktop; fi
    start_kestrova
    what="$how ($countdown, Alt+F4 by $keys_to)"

    if [ "$countdown" = running ]; then
        shot "$WORK/idle.png"
        idle=$(label_hash "$WORK/idle.png")
        click_at $BUTTON_CENTRE
        wait_until 2.5 digits_changed || fail "$what: the countdown did not start"
        log "countdown running"
    fi

    case $how in
    double-click)
        # One click alone does not close it.
        click_at $FIELD_POINT
        sleep 1
        is_running "$KPID" && [ -n "$(visible_windows)" ] || fail "$what: a single click in the field ended the program"
        log "a single click in the field left the program running"
        double_click_at $FIELD_POINT
        ;;
    alt+F4)
        activate_window
        active=$(xprop -root _NET_ACTIVE_WINDOW | awk '{ print $NF }')
        [ $((active)) -eq $((KWIN)) ] || fail "$what: could not make the window active (active: $active)"
        if [ "$keys_to" = program ]; then
            # F4 alone does nothing of the kind.
            keys F4
            sleep 0.5
            is_running "$KPID" || fail "$what: F4 without Alt ended the program"
            log "F4 alone left the program running"
        fi
        keys alt+F4
        ;;
    esac

    if ! wait_exit 5; then
        fail "$what: the program is still running 5 s later"
    fi
    log "$what: the program ended with exit code $KEXIT"
    [ "$KEXIT" -eq 0 ] || fail "$what: exit code $KEXIT, expected 0"
    wait_until 2 no_window || fail "$what: the window is still shown after the program ended"
    pass "$what ends the program with exit code 0"
    stop_desktop
done

finish
