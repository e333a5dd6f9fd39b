#!/usr/bin/env bash
# The real program under stress: 50 pastes of random text into the seconds
# field, each error dismissed, after which it still counts down; then a
# countdown of 1 running for a long time (STRESS_SECONDS, 600 by default)
# while both cores are kept busy and the notification area is killed and
# made anew three times, after which the digits still follow the cycle (red
# "1", lime for one tick at every reload) and the icon is back.
source "$(dirname "$0")/lib.sh" "$@"
command -v xclip >/dev/null 2>&1 || fail "xclip is not installed"
command -v trayer >/dev/null 2>&1 || fail "trayer is not installed"
STRESS_SECONDS=${STRESS_SECONDS:-600}

LOAD_PIDS=()
stop_load() { local p; for p in "${LOAD_PIDS[@]}"; do stop_pid "$p"; done; LOAD_PIDS=(); }
trap 'stop_load; cleanup' EXIT

# Windows titled Kestrova: the timer, and an error box while one is open.
titled() { xdotool search --onlyvisible --name '^Kestrova$' 2>/dev/null | wc -l; }

start_desktop
start_tray
start_kestrova
wait_until 10 icon_embedded || fail "no icon at start-up"

# 1. Fifty pastes of random text; every refused one shows one error box.
boxes=0
for i in $(seq 1 50); do
    # Random printable text of 1 to 30 characters, now and then a number.
    len=$((RANDOM % 30 + 1))
    if [ $((i % 7)) -eq 0 ]; then
        text=$((RANDOM % 90 + 1))
    else
        text=$(head -c 200 /dev/urandom | tr -dc 'A-Za-z0-9 +\-.,;:!?#' | head -c "$len")
        [ -n "$text" ] || text=x
    fi
    printf '%s' "$text" | xclip -selection clipboard -i
    click_at $FIELD_POINT
    keys ctrl+a ctrl+v
    if wait_until 3 eval '[ "$(titled)" -ge 2 ]'; then
        boxes=$((boxes + 1))
        keys Return
        wait_until 5 eval '[ "$(titled)" -eq 1 ]' || fail "paste $i: the error box did not close"
    else
        case $text in
            *[!0-9]*|"") fail "paste $i ('$text') showed no error box" ;;
        esac
    fi
    is_running "$KPID" || fail "the program ended after paste $i ('$text')"
done
[ "$boxes" -ge 40 ] || fail "only $boxes error boxes for 50 mostly bad pastes"
pass "50 pastes of random text: $boxes error boxes, each dismissed; the program runs on"

# 2. A countdown of 1 for a long time with both cores busy and the
# notification area made anew three times on the way.
set_field 1
shot "$WORK/before.png"
click_at $BUTTON_CENTRE
for core in 1 2; do
    sh -c 'while :; do :; done' &
    LOAD_PIDS+=($!)
done
log "countdown of 1 under load for $STRESS_SECONDS s"
for round in 1 2 3; do
    sleep $((STRESS_SECONDS / 4))
    stop_tray
    start_tray
    wait_until 20 icon_embedded || fail "the icon did not come back after restart $round under load"
    is_running "$KPID" || fail "the program ended during the run"
    log "notification area made anew ($round); icon back"
done
sleep $((STRESS_SECONDS / 4))
is_running "$KPID" || fail "the program ended during the run"

# The digits still follow the cycle: red "1" with a lime tick once a second.
red=0 lime=0 other=0 shapes=""
for i in $(seq 1 40); do
    shot "$WORK/s.png"
    read -r colour shape < <(digits_seen "$WORK/s.png")
    case $colour in
        red) red=$((red + 1)); shapes="$shapes $shape" ;;
        lime) lime=$((lime + 1)); shapes="$shapes $shape" ;;
        *) other=$((other + 1)) ;;
    esac
    sleep 0.05
done
stop_load
distinct=$(echo "$shapes" | tr ' ' '\n' | sed '/^$/d' | sort -u | wc -l)
log "40 looks at the digits: red $red, lime $lime, other $other, distinct shapes $distinct"
[ "$red" -gt "$lime" ] || fail "the digits are not mostly red (red $red, lime $lime)"
[ "$lime" -ge 1 ] || fail "no lime reload seen in 40 looks"
[ "$other" -eq 0 ] || fail "$other looks showed neither red nor lime digits"
[ "$distinct" -eq 1 ] || fail "the digits changed their shape: not always \"1\""
pass "after $STRESS_SECONDS s under load the digits still show the cycle of 1"

click_at $BUTTON_CENTRE
set_field 3
click_at $BUTTON_CENTRE
shot "$WORK/a.png"
a=$(label_hash "$WORK/a.png")
changed() { shot "$WORK/b.png"; [ "$(label_hash "$WORK/b.png")" != "$a" ]; }
wait_until 5 changed || fail "a new countdown of 3 does not count"
pass "a new countdown still counts down"
click_at $BUTTON_CENTRE
double_click_at $FIELD_POINT
wait_exit 10 || fail "the program did not end"
[ "$KEXIT" -eq 0 ] || fail "exit code $KEXIT"
finish
