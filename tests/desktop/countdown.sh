#!/usr/bin/env bash
# The countdown: the digits follow the field's text while idle, go down once
# a second after a click on the button, turn yellow for the last 10 s and red
# for the last 5 s, the bar empties with them, and a second click stops it
# and shows the field's text again in lime. While it runs the field takes no
# typing; while idle it takes digits and refuses everything else.
source "$(dirname "$0")/lib.sh" "$@"

start_desktop
start_kestrova

shot "$WORK/s.png"
h30=$(label_hash "$WORK/s.png")

# --- The digits follow the field's text while idle ---------------------------
set_field 12
save_view field-12
f="$ARTIFACTS/${TEST_NAME}-field-12.png"
h12=$(label_hash "$f")
[ "$h12" != "$h30" ] || fail "typing 12 into the field left the digits as they were"
[ "$(label_count "$f" "$LIME")" -ge 8 ] || fail "the idle digits are not lime"
[ "$(bar_count "$f" "$LIME")" -eq 352 ] || fail "the idle bar is not full lime"
pass "the digits show the field's new text 12, lime, with a full lime bar"

# Typing without clicking reaches the field: it still has the keyboard.
keys BackSpace
shot "$WORK/s.png"
[ "$(label_hash "$WORK/s.png")" != "$h12" ] || fail "Backspace in the field left the digits as they were"
type_text 2
shot "$WORK/s.png"
[ "$(label_hash "$WORK/s.png")" = "$h12" ] || fail "Backspace then 2 in the field does not show 12 again"
pass "the field has the keyboard (Backspace, 2 -> 12 again)"

# --- What number the digits show -------------------------------------------
# While idle the digits show the field's text: typing each number into the
# field gives the digits' shape for it. The pixels fully covered by a glyph
# have the pure text colour whatever the colour, so a shape taken in lime
# also recognises the number in yellow or red.
declare -A number_of
for n in 4 5 6 7 8 9 10 11 12; do
    keys ctrl+a
    type_text "$n"
    shot "$WORK/s.png"
    read -r colour shape <<<"$(digits_seen "$WORK/s.png")"
    [ "$colour" = lime ] || fail "the idle digits for $n are $colour, expected lime"
    [ -z "${number_of[$shape]:-}" ] || fail "the digits for $n look like those for ${number_of[$shape]}"
    number_of[$shape]=$n
done
shot "$WORK/s.png"
[ "$(label_hash "$WORK/s.png")" = "$h12" ] || fail "the field's text is not 12 again after typing 4 to 12"
pass "the idle digits show each number 4..12 typed into the field, lime"

# The colour the digits must have for a number.
colour_for() { if [ "$1" -ge 11 ]; then echo lime; elif [ "$1" -ge 6 ]; then echo yellow; else echo red; fi; }

# --- The countdown of 12 s -------------------------------------------------
t0=$(now_ms)
click_at $BUTTON_CENTRE
declare -A first_seen
last=12 typed= yellow_shot= red_shot=
while :; do
    f="$WORK/run-$(($(now_ms) - t0)).png"
    shot "$f"
    t=$(($(now_ms) - t0))
    read -r colour shape <<<"$(digits_seen "$f")"
    n=${number_of[$shape]:-?}
    [ "$n $colour" != "${prev:-}" ] &&
        log "t=${t}ms the digits show $n in $colour; bar: lime $(bar_count "$f" "$LIME"), yellow $(bar_count "$f" "$YELLOW"), red $(bar_count "$f" "$RED")"
    prev="$n $colour"
    [ "$n" != '?' ] || fail "${t}ms after the start the digits show none of the numbers 12 to 4"
    [ "$n" -le "$last" ] || fail "the digits went up from $last to $n"
    [ "$colour" = "$(colour_for "$n")" ] || fail "the digits show $n in $colour, expected $(colour_for "$n")"
    last=$n
    [ -z "${first_seen[$n]:-}" ] && first_seen[$n]=$t
    [ "$colour" = yellow ] && [ -z "$yellow_shot" ] && yellow_shot=$f yellow_n=$n
    [ "$colour" = red ] && [ -z "$red_shot" ] && red_shot=$f red_n=$n
    if [ -z "$typed" ] && [ "$t" -ge 1000 ]; then
        # The field is disabled: a digit typed now goes nowhere, and the
        # field looks the same afterwards.
        field_before=$(area_hash "$f" $FIELD_INSIDE)
        type_text 3
        typed=$t
        shot "$WORK/typed.png"
        [ "$(area_hash "$WORK/typed.png" $FIELD_INSIDE)" = "$field_before" ] ||
            fail "typing 3 while the countdown runs changed the seconds field: it is not disabled"
    fi
    [ "$n" -le 4 ] && break
    [ "$t" -ge 11000 ] && break
done
seen=$(for n in 12 11 10 9 8 7 6 5 4; do [ -n "${first_seen[$n]:-}" ] && printf '%s@%sms ' "$n" "${first_seen[$n]}"; done)
log "first seen: $seen"
pass "12 and 11 lime, 10 to 6 yellow, 5 and 4 red, never going up"

f11=${first_seen[11]:-} f10=${first_seen[10]:-} f5=${first_seen[5]:-}
[ -n "$f11" ] && [ "$f11" -le 2500 ] || fail "the digits did not go down to 11 within 2.5 s of the start (${f11:-never})"
pass "11 shown ${f11}ms after the start"
[ -n "$f10" ] && [ -n "$f5" ] || fail "the digits were never seen at 10 or at 5 (seen: $seen)"
# Counting faster than once a second shows 10 before 2 s, and 5 less than
# 5 s after 10; the screenshot was taken before its time.
[ "$f10" -ge 1500 ] && [ "$f10" -le 5000 ] || fail "10 was shown ${f10}ms after the start, expected about 2 s"
[ "$f5" -ge 6000 ] && [ "$f5" -le 10000 ] || fail "5 was shown ${f5}ms after the start, expected about 7 s"
f4=${first_seen[4]:-}
[ -n "$f4" ] || fail "the digits were never seen at 4 (seen: $seen)"
[ $((f4 - f11)) -ge 6000 ] && [ $((f4 - f11)) -le 9500 ] ||
    fail "4 came $((f4 - f11))ms after 11, expected about 7 s (one a second)"
pass "down one a second: 11 at ${f11}ms, 10 at ${f10}ms, 5 at ${f5}ms, 4 at ${f4}ms after the start"
cp "$yellow_shot" "$ARTIFACTS/${TEST_NAME}-yellow.png"
cp "$red_shot" "$ARTIFACTS/${TEST_NAME}-red.png"

# The bar takes the digits' colour and shows the part of the 12 s that
# remains, filled from the left (within 3 of its 88 columns).
for phase in yellow red; do
    if [ "$phase" = yellow ]; then f=$yellow_shot colour=$YELLOW n=$yellow_n; else f=$red_shot colour=$RED n=$red_n; fi
    coloured=$(bar_count "$f" "$colour")
    lime=$(bar_count "$f" "$LIME")
    columns=$((coloured / 4)) expected=$((88 * n / 12))
    log "bar while showing $n in $phase: $coloured $phase pixels ($columns columns, about $expected expected), $lime lime, left end $(pixel "$f" 6 32)"
    [ "$lime" -eq 0 ] && [ "$(pixel "$f" 6 32)" = "$colour" ] || fail "the bar is not $phase while the digits are"
    [ "$columns" -ge $((expected - 3)) ] && [ "$columns" -le $((expected + 3)) ] ||
        fail "the bar fills $columns of 88 columns while $n of 12 s remain, expected about $expected"
    [ "$(count_colour "$f" $((6 + columns)) 31 $((88 - columns)) 4 "$BLACK")" -eq $(((88 - columns) * 4)) ] ||
        fail "the bar's part right of its fill is not black while showing $n"
done
pass "the bar is yellow at $yellow_n, red at $red_n, and filled for the part that remains"

# --- Stop ------------------------------------------------------------------
click_at $BUTTON_CENTRE
stopped() { shot "$WORK/s.png"; [ "$(label_hash "$WORK/s.png")" = "$h12" ]; }
wait_until 2.5 stopped ||
    fail "after the second click the digits do not show the field's text 12 again (lime $(label_count "$WORK/s.png" "$LIME"), yellow $(label_count "$WORK/s.png" "$YELLOW"), red $(label_count "$WORK/s.png" "$RED"))"
pass "the second click stopped the countdown: the digits show 12 in lime"
pass "the digit typed ${typed}ms into the countdown did not reach the field"
sleep 1.2
save_view stopped
f="$ARTIFACTS/${TEST_NAME}-stopped.png"
[ "$(label_hash "$f")" = "$h12" ] || fail "the digits changed again after the stop"
[ "$(bar_count "$f" "$LIME")" -eq 352 ] || fail "the bar is not full lime after the stop ($(bar_count "$f" "$LIME") of 352)"
pass "stopped for good: digits stay at 12, the bar is full lime"

# --- What the field takes --------------------------------------------------
# shown FILE: "NUMBER COLOUR" that the digits show (NUMBER ? if none of 4..12).
shown() {
    local colour shape
    read -r colour shape <<<"$(digits_seen "$1")"
    echo "${number_of[$shape]:-?} $colour"
}
set_field 5
shot "$WORK/s.png"
h5=$(label_hash "$WORK/s.png")
[ "$(shown "$WORK/s.png")" = "5 lime" ] || fail "after typing 5 over the field's text the digits show $(shown "$WORK/s.png")"
pass "the field takes the digit 5"
# Text typed over the whole field (selected with Ctrl+A), one after the
# other, and the number the digits then show: refused characters leave the
# text as it was, digits replace it.
entries=(
    "x:5"
    "ab:5"
    "-:5"
    " :5"
    "a12:12"
    ".:12"
    "+:12"
    "e:12"
    "5z:5"
)
for entry in "${entries[@]}"; do
    typed_text=${entry%%:*} want=${entry##*:}
    keys ctrl+a
    type_text "$typed_text"
    shot "$WORK/s.png"
    got=$(shown "$WORK/s.png")
    [ "$got" = "$want lime" ] || fail "after typing '$typed_text' over the field's text the digits show '$got', expected '$want lime'"
    pass "typing '$typed_text' over the field's text: it holds $want"
done

# A countdown of 5 s (the field holds 5 now) is red from the first tick.
t0=$(now_ms)
click_at $BUTTON_CENTRE
red_now() { shot "$WORK/s.png"; case $(shown "$WORK/s.png") in "5 red" | "4 red") return 0 ;; esac; return 1; }
wait_until 2 red_now || fail "a countdown of 5 s does not show 5 or 4 in red within 2 s of the start (shows $(shown "$WORK/s.png"))"
pass "a countdown of 5 s shows $(shown "$WORK/s.png") $(($(now_ms) - t0))ms after the start"
click_at $BUTTON_CENTRE
back_to_5() { shot "$WORK/s.png"; [ "$(label_hash "$WORK/s.png")" = "$h5" ]; }
wait_until 2.5 back_to_5 || fail "after stopping the countdown of 5 s the digits show $(shown "$WORK/s.png"), expected 5 in lime"
pass "stopping it shows 5 in lime again"

is_running "$KPID" || fail "the program ended during the checks"
finish
