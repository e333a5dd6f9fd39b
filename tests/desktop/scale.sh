#!/usr/bin/env bash
# At a scale of 2 the window is 200 x 80 device pixels at twice its place,
# every control in proportion, the glyph doubled pixel for pixel (sharp, not
# a blurred copy) and the digits drawn at the larger size.
source "$(dirname "$0")/lib.sh" "$@"

start_desktop
# The window at scale 1, for comparison.
start_kestrova
pointer_to 60 60
shot "$WORK/one.png"
convert "$WORK/one.png" -crop "23x22+$((WX + 5))+$((WY + 5))" +repage "$WORK/glyph1.png"
convert "$WORK/one.png" -crop "38x26+$((WX + 58))+$((WY + 3))" +repage "$WORK/digits1.png"
stop_pid "$KPID"
KPID=

export QT_SCALE_FACTOR=2
start_kestrova
[ "$WX,$WY" = "374,242" ] || fail "at scale 2 the window is at ($WX,$WY), not (374,242)"
[ "${WW}x$WH" = 200x80 ] || fail "at scale 2 the window is ${WW}x$WH, not 200x80"
pass "at scale 2 the window is 200x80 at (374,242)"
pointer_to 120 120
shot "$WORK/two.png"
save_view scale2

# Controls in proportion: panel, field background, bar border and fill.
[ "$(pixel "$WORK/two.png" 130 40)" = "$PANEL" ] || fail "no panel colour at (130,40)"
[ "$(pixel "$WORK/two.png" 105 16)" = "$BLACK" ] || fail "the field's background is not at (105,16)"
[ "$(pixel "$WORK/two.png" 10 60)" = "$BLACK" ] || fail "the bar's border is not at (10,60)"
lime=$(count_colour "$WORK/two.png" 12 62 176 8 "$LIME")
[ "$lime" -eq $((176 * 8)) ] || fail "the full bar has $lime of $((176 * 8)) lime pixels"
pass "panel, field and bar lie at twice their places; the bar is full"

# The glyph is the scale-1 glyph with every pixel doubled.
convert "$WORK/two.png" -crop "46x44+$((WX + 10))+$((WY + 10))" +repage "$WORK/glyph2.png"
convert "$WORK/glyph1.png" -filter point -resize 200% "$WORK/glyph1x2.png"
differ=$(compare -metric AE "$WORK/glyph1x2.png" "$WORK/glyph2.png" null: 2>&1 || true)
[ "$differ" = 0 ] || fail "the glyph at scale 2 differs from the doubled glyph in $differ pixels"
pass "the glyph is doubled pixel for pixel"

# The digits are drawn anew at the larger size: more lime pixels than a
# doubled copy would have in solid 2x2 blocks only, and some edge pixels
# that a doubled copy cannot have (single lime pixels beside non-lime).
lime1=$(convert "$WORK/digits1.png" -depth 8 txt:- | grep -ci '#00FF00')
lime2=$(convert "$WORK/two.png" -crop "76x52+$((WX + 116))+$((WY + 6))" +repage -depth 8 txt:- |
    grep -ci '#00FF00')
[ "$lime1" -gt 20 ] && [ "$lime2" -gt $((3 * lime1)) ] ||
    fail "the digits at scale 2 have $lime2 lime pixels against $lime1 at scale 1"
convert "$WORK/digits1.png" -filter point -resize 200% "$WORK/digits1x2.png"
convert "$WORK/two.png" -crop "76x52+$((WX + 116))+$((WY + 6))" +repage "$WORK/digits2.png"
differ=$(compare -metric AE "$WORK/digits1x2.png" "$WORK/digits2.png" null: 2>&1 || true)
[ "$differ" != 0 ] || fail "the digits at scale 2 are a doubled copy of scale 1"
pass "the digits are drawn at the larger size ($lime2 lime pixels against $lime1), not doubled"
finish
