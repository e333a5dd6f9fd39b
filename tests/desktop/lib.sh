# shellcheck shell=bash
# Shared set-up for the desktop tests of the real kestrova program.
#
# Each test script sources this file with the program's path as its first
# argument:   source "$(dirname "$0")/lib.sh" "$@"
#
# It gives the script a private X server (Xvfb, on a display it picks itself)
# with the openbox window manager, starts the program, finds its window and
# offers helpers to drive the pointer and the keyboard with xdotool and to
# read colours off root-window screenshots. Everything it starts is ended
# when the script exits.
#
# Coordinates given to the helpers are relative to the window's top-left
# corner as last read by window_geometry (WX, WY); the pointer and screenshot
# helpers re-read the geometry themselves.

# No pipefail: "producer | grep -q" would then fail whenever grep stops
# reading before the producer has written everything (SIGPIPE).
set -u

KESTROVA=${1:-}
if [ -z "$KESTROVA" ] || [ ! -x "$KESTROVA" ]; then
    echo "usage: $0 PATH_TO_KESTROVA (got '${KESTROVA}')" >&2
    exit 2
fi
for tool in Xvfb openbox xdotool xprop xwininfo import convert md5sum; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "FAIL: $tool is not installed" >&2
        exit 2
    fi
done

source "$(dirname "${BASH_SOURCE[0]}")/processes.sh"

TEST_NAME=$(basename "$0" .sh)
# Screenshots for people to look at go to the test's working directory (the
# build tree's tests/desktop when run by ctest).
ARTIFACTS=${KESTROVA_DESKTOP_ARTIFACTS:-$PWD}
mkdir -p "$ARTIFACTS"
rm -f "$ARTIFACTS/${TEST_NAME}-failure.png"
WORK=$(mktemp -d "${TMPDIR:-/tmp}/kestrova-${TEST_NAME}.XXXXXX")

# The colours the window shows, as ImageMagick prints them.
PANEL='#313555'
LIME='#00FF00'
YELLOW='#FFFF00'
RED='#FF0000'
BLACK='#000000'

# Where things are inside the window (x y width height, window pixels).
BUTTON_CENTRE='16 15'
FIELD_POINT='44 16'           # inside the seconds field
FIELD_BLACK='51 8 4 18'       # the field's background right of its text
FIELD_TEXT='34 9 15 16'       # the field's text, left of where the caret stands
FIELD_INSIDE='34 7 21 20'     # the field's inside, text and background
LABEL_AREA='58 3 38 26'       # the remaining-seconds digits and panel around them
BAR_INNER='6 31 88 4'         # the bar's fill, inside its border
BAR_BORDER_POINTS='5,30 94,30 5,35 94,35 50,30 50,35'

XVFB_PID=
WM_PID=
KPID=
KWIN=
KEXIT=
CHECKS=0
WX=0 WY=0 WW=0 WH=0

now_ms() { date +%s%3N; }
T_START=$(now_ms)

# Seconds since the script started, for the log.
elapsed() { local t; t=$(now_ms); printf '%d.%02d' $(((t - T_START) / 1000)) $((((t - T_START) % 1000) / 10)); }
log() { echo "[$(elapsed)s] $*"; }

pass() {
    CHECKS=$((CHECKS + 1))
    log "ok - $*"
}

fail() {
    echo "[$(elapsed)s] FAIL - $*" >&2
    if [ -n "$KPID" ] && ! is_running "$KPID"; then
        local code
        wait "$KPID"
        code=$?
        KPID=
        if [ "$code" -gt 128 ]; then
            echo "the program had ended: killed by signal $((code - 128)) ($(kill -l $((code - 128)) 2>/dev/null))" >&2
        else
            echo "the program had ended with exit code $code" >&2
        fi
    fi
    if [ -n "${DISPLAY:-}" ] && [ -n "$XVFB_PID" ] && kill -0 "$XVFB_PID" 2>/dev/null; then
        import -window root "$ARTIFACTS/${TEST_NAME}-failure.png" 2>/dev/null &&
            echo "screen at the failure: $ARTIFACTS/${TEST_NAME}-failure.png" >&2
    fi
    if [ -s "$WORK/kestrova.log" ]; then
        echo "--- program output ---" >&2
        tail -n 40 "$WORK/kestrova.log" >&2
    fi
    exit 1
}

# finish: the closing line of a script whose checks all passed.
finish() {
    log "$TEST_NAME: all $CHECKS checks passed"
    exit 0
}

# wait_until SECONDS COMMAND...: runs COMMAND every 0.1 s until it succeeds;
# returns 1 if it has not succeeded after SECONDS (may be fractional).
wait_until() {
    local deadline
    deadline=$(($(now_ms) + $(awk -v s="$1" 'BEGIN { printf "%d", s * 1000 }')))
    shift
    while :; do
        "$@" && return 0
        [ "$(now_ms)" -ge "$deadline" ] && return 1
        sleep 0.1
    done
}



cleanup() {
    stop_pid "${TRAYER_PID:-}"
    stop_pid "$KPID"
    stop_pid "$WM_PID"
    stop_pid "$XVFB_PID"
    rm -rf "$WORK"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# The program and the window manager keep their settings and caches in the
# test's own directories; the program runs on the X server, at scale 1.
export XDG_CONFIG_HOME="$WORK/config" XDG_CACHE_HOME="$WORK/cache" XDG_DATA_HOME="$WORK/data"
export XDG_RUNTIME_DIR="$WORK/runtime"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR \
    QT_ENABLE_HIGHDPI_SCALING QT_FONT_DPI QT_STYLE_OVERRIDE QT_QPA_PLATFORMTHEME

wm_is_up() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

# start_desktop [OPENBOX_CONFIG]: a 640x480 Xvfb and openbox on it.
start_desktop() {
    local config=${1:-}
    local fdfile="$WORK/display.$$.$RANDOM"
    : >"$fdfile"
    local try
    # -noreset: the server does not reset when its last client (a probe)
    # disconnects, which would refuse the next client for a moment.
    Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp -noreset 3>"$fdfile" >"$WORK/xvfb.log" 2>&1 &
    XVFB_PID=$!
    wait_until 15 test -s "$fdfile" || fail "Xvfb did not report a display within 15 s: $(cat "$WORK/xvfb.log")"
    DISPLAY=":$(head -n1 "$fdfile" | tr -d '[:space:]')"
    export DISPLAY
    wait_until 10 xprop -root -len 0 >/dev/null 2>&1 || fail "X server $DISPLAY does not answer: $(cat "$WORK/xvfb.log")"
    for try in 1 2 3; do
        if [ -n "$config" ]; then
            openbox --config-file "$config" >"$WORK/openbox.log" 2>&1 &
        else
            openbox >"$WORK/openbox.log" 2>&1 &
        fi
        WM_PID=$!
        wait_until 15 eval "wm_is_up || ! is_running $WM_PID"
        wm_is_up && break
        stop_pid "$WM_PID"
        log "openbox ended at start (try $try): $(tr '\n' ' ' <"$WORK/openbox.log")"
        WM_PID=
        sleep 0.5
    done
    [ -n "$WM_PID" ] || fail "openbox did not come up on $DISPLAY: $(cat "$WORK/openbox.log"); Xvfb: $(cat "$WORK/xvfb.log")"
    log "desktop up on $DISPLAY (Xvfb $XVFB_PID, openbox $WM_PID${config:+, config $config})"
}

# stop_desktop: ends the program, the window manager and the X server.
stop_desktop() {
    stop_pid "$KPID"
    KPID=
    stop_pid "$WM_PID"
    WM_PID=
    stop_pid "$XVFB_PID"
    XVFB_PID=
}

# openbox_config_without KEY: a copy of openbox's own configuration in which
# KEY (e.g. A-F4) is not bound, so that the key reaches the program.
openbox_config_without() {
    local key=$1 out="$WORK/rc-without-$1.xml"
    sed "/<keybind key=\"$key\">/,/<\/keybind>/d" /etc/xdg/openbox/rc.xml >"$out"
    grep -q "key=\"$key\"" "$out" && fail "could not remove $key from openbox's configuration"
    echo "$out"
}

visible_windows() { xdotool search --onlyvisible --name '^Kestrova$' 2>/dev/null; }

one_visible_window() {
    local ids
    ids=$(visible_windows)
    [ -n "$ids" ] && [ "$(echo "$ids" | wc -l)" -eq 1 ] || return 1
    xwininfo -id "$ids" 2>/dev/null | grep -q 'Map State: IsViewable' || return 1
    # Managed by the window manager.
    xprop -id "$ids" WM_STATE 2>/dev/null | grep -q 'window state: Normal'
}

# start_kestrova: starts the program in the background (KPID), waits for its
# one visible window (KWIN) and for it to be painted.
start_kestrova() {
    KEXIT=
    "$KESTROVA" >"$WORK/kestrova.log" 2>&1 &
    KPID=$!
    if ! wait_until 20 one_visible_window; then
        is_running "$KPID" || fail "the program exited before showing its window"
        fail "no single viewable, managed window titled Kestrova within 20 s (visible: $(visible_windows | tr '\n' ' '))"
    fi
    KWIN=$(visible_windows)
    window_geometry
    # The window has been painted once a bare panel pixel is no longer the
    # black of the screen behind it.
    if ! wait_until 10 painted; then
        fail "the window was not painted within 10 s: pixel (65,20) stays black"
    fi
    sleep 0.2
    log "program $KPID shows window $KWIN at ($WX,$WY) ${WW}x${WH}"
}

painted() {
    shot "$WORK/paint.png"
    [ "$(pixel "$WORK/paint.png" 65 20)" != "$BLACK" ]
}

# window_geometry [WINDOW]: sets WX WY (absolute position) and WW WH.
window_geometry() {
    local info
    info=$(xwininfo -id "${1:-$KWIN}" 2>/dev/null) || fail "xwininfo cannot read window ${1:-$KWIN}"
    WX=$(echo "$info" | awk '/Absolute upper-left X:/ { print $NF }')
    WY=$(echo "$info" | awk '/Absolute upper-left Y:/ { print $NF }')
    WW=$(echo "$info" | awk '/^ *Width:/ { print $NF }')
    WH=$(echo "$info" | awk '/^ *Height:/ { print $NF }')
}

# toplevel_of WINDOW: the window's ancestor that is a child of the root
# window (the window manager's frame, or the window itself).
toplevel_of() {
    local w=$1 parent root i
    root=$(xwininfo -root | awk '/Window id:/ { print $4 }')
    for i in 1 2 3 4 5 6 7 8; do
        parent=$(xwininfo -tree -id "$w" | awk '/Parent window id:/ { print $4 }')
        if [ -z "$parent" ] || [ "$parent" = "$root" ] || [ "$parent" = 0x0 ]; then
            echo "$w"
            return 0
        fi
        w=$parent
    done
    echo "$w"
}

# shot FILE: a screenshot of the whole screen.
shot() { import -window root "$1" 2>/dev/null || fail "import could not take a screenshot"; }

# pixel FILE X Y: the colour (#RRGGBB) of a window pixel in a screenshot.
pixel() {
    convert "$1" -crop "1x1+$((WX + $2))+$((WY + $3))" -depth 8 txt:- 2>/dev/null |
        grep -o '#[0-9A-Fa-f]\{6\}' | head -n1
}

# count_colour FILE X Y W H COLOUR: how many pixels of the window rectangle
# have exactly COLOUR.
count_colour() {
    convert "$1" -crop "${4}x${5}+$((WX + $2))+$((WY + $3))" +repage -depth 8 txt:- 2>/dev/null |
        grep -c -i "$6"
}

# area_hash FILE X Y W H: a fingerprint of a window rectangle's pixels.
area_hash() {
    convert "$1" -crop "${4}x${5}+$((WX + $2))+$((WY + $3))" +repage -depth 8 rgb:- 2>/dev/null |
        md5sum | cut -d' ' -f1
}

# save_view NAME: keeps a screenshot and an 8x enlargement of the window in
# the artifacts directory.
save_view() {
    local file="$ARTIFACTS/${TEST_NAME}-$1.png"
    window_geometry
    shot "$file"
    convert "$file" -crop "${WW}x${WH}+${WX}+${WY}" +repage -scale 800% \
        "$ARTIFACTS/${TEST_NAME}-$1-window-x8.png" 2>/dev/null
    log "saved $file"
}

# Pointer and keyboard. The pauses give the program and the window manager
# time to see each step; xdotool does not wait for them.
pointer_to() {
    window_geometry
    xdotool mousemove "$((WX + $1))" "$((WY + $2))"
    sleep 0.15
}

click_at() { # click_at X Y [BUTTON]
    pointer_to "$1" "$2"
    xdotool click "${3:-1}"
    sleep 0.2
}

double_click_at() { # double_click_at X Y
    pointer_to "$1" "$2"
    xdotool click --repeat 2 --delay 80 1
}

# press_drag X Y DX DY [BUTTON]: presses at a window point, moves the pointer
# by (DX,DY) in five steps with the button held, then releases it.
press_drag() {
    local button=${5:-1} i sx sy
    pointer_to "$1" "$2"
    sx=$((WX + $1))
    sy=$((WY + $2))
    xdotool mousedown "$button"
    sleep 0.3
    for i in 1 2 3 4 5; do
        xdotool mousemove "$((sx + $3 * i / 5))" "$((sy + $4 * i / 5))"
        sleep 0.08
    done
    sleep 0.3
    xdotool mouseup "$button"
    sleep 0.3
}

activate_window() {
    xdotool windowactivate --sync "$KWIN" >/dev/null 2>&1 ||
        xdotool windowfocus --sync "$KWIN" >/dev/null 2>&1
    sleep 0.2
}

keys() { xdotool key --delay 60 "$@"; sleep 0.2; }
type_text() { xdotool type --delay 80 -- "$1"; sleep 0.2; }

# set_field TEXT: clicks into the seconds field, selects all and types TEXT.
set_field() {
    click_at $FIELD_POINT
    keys ctrl+a
    type_text "$1"
}

# label_hash FILE: fingerprint of the remaining-seconds digits.
label_hash() { area_hash "$1" $LABEL_AREA; }
label_count() { count_colour "$1" $LABEL_AREA "$2"; }
bar_count() { count_colour "$1" $BAR_INNER "$2"; }

# label_shows COLOUR: the digits contain at least 8 pixels of the pure colour.
label_shows() {
    local f="$WORK/label.png"
    shot "$f"
    [ "$(label_count "$f" "$1")" -ge 8 ]
}

# digits_seen FILE: "COLOUR SHAPE" of the remaining-seconds digits: the
# colour (lime, yellow, red or none) of which they have the most pure pixels,
# and a fingerprint of where those pixels are.
digits_seen() {
    local found colour
    found=$(convert "$1" -crop "$(set -- $LABEL_AREA; echo "${3}x${4}+$((WX + $1))+$((WY + $2))")" +repage \
        -depth 8 txt:- 2>/dev/null | awk '
        /^#/ { next }
        { c = toupper($3) }
        c == "#00FF00" || c == "#FFFF00" || c == "#FF0000" { n[c]++; at[c] = at[c] " " $1 }
        END {
            best = ""
            for (c in n) if (best == "" || n[c] > n[best]) best = c
            if (best == "" || n[best] < 8) print "none"; else print best at[best]
        }')
    case ${found%% *} in
    "$LIME") colour=lime ;;
    "$YELLOW") colour=yellow ;;
    "$RED") colour=red ;;
    *) echo "none -"; return ;;
    esac
    echo "$colour $(echo "${found#* }" | md5sum | cut -d' ' -f1)"
}

# wait_exit SECONDS: waits for the program to end; sets KEXIT to its exit
# code and returns 0, or returns 1 if it is still running.
wait_exit() {
    wait_until "$1" eval "! is_running $KPID" || return 1
    wait "$KPID"
    KEXIT=$?
    KPID=
    return 0
}

# The XEmbed notification area (trayer) for the icon's tests.
TRAYER_PID=
start_tray() {
    trayer --edge bottom --align right --widthtype pixel --width 120 --heighttype pixel \
        --height 24 --SetDockType true --transparent false >"$WORK/trayer.log" 2>&1 &
    TRAYER_PID=$!
}
stop_tray() { stop_pid "$TRAYER_PID"; TRAYER_PID=; }
# trayer's panel, which holds the embedded icons, exists.
tray_up() { xwininfo -root -tree 2>/dev/null | grep -q '"panel": ("panel" "trayer")'; }
# The program's icon window: a window of the program's class nested inside
# trayer's panel (deeper indented below it in the window tree); prints its
# line of the tree.
icon_line() {
    xwininfo -root -tree 2>/dev/null | awk '
        function depth(s) { match(s, /^ */); return RLENGTH }
        inpanel && depth($0) <= paneldepth { inpanel = 0 }
        /"panel": \("panel" "trayer"\)/ { inpanel = 1; paneldepth = depth($0); next }
        inpanel && /\("kestrova" "Kestrova"\)/ { print; exit }'
}
icon_embedded() { [ -n "$(icon_line)" ]; }
