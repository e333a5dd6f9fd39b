#!/usr/bin/env bash
# Footprint of the real kestrova program, side by side with a minimal Qt
# Widgets window (bench/minimal_window, the floor): start-up time, memory,
# CPU and wake-ups, idle and while a countdown runs. Prints figures; it
# checks nothing and is not a test.
#
#   footprint.sh [--quick] [--runs N] [--starts N] [--window SECONDS]
#                [--no-text-floor] [--build DIR] [--kestrova PATH]
#                [--minimal PATH]
#
#   --build DIR       build tree holding kestrova and bench/minimal_window
#                     (default: the build directory of this source tree)
#   --runs N          measured runs of each program (default 5); every
#                     figure is the median over the runs
#   --starts N        extra starts of each program that measure the start-up
#                     time only (default 10), so that its median is taken
#                     over N + runs starts; as many again measure the time to
#                     the first frame
#   --window SECONDS  length of the idle and of the running measurement
#                     window (default 10); per-minute figures are scaled
#                     from it
#   --no-text-floor   leave out the second floor, `minimal_window --text`
#                     (the bare window plus one text label), which is
#                     measured for start-up and memory only
#   --quick           5 runs, 5 extra starts, 1 s windows, no text floor:
#                     about a minute
#
# Each run, on a private Xvfb (display chosen by Xvfb itself, -displayfd)
# with openbox:
#   start-up   from the exec of the program to the MapNotify of its window's
#              top-level (window-manager frame) window on the root window,
#              i.e. until the window is viewable; read from `xev -root -event
#              substructure`, each line stamped as it arrives (well under 1 ms).
#              Nothing polls while a program starts.
#   first frame  from the exec to the first flush of the window's contents to
#              the X server, from separate starts with Qt's painting log on
#              (QT_LOGGING_RULES=qt.widgets.painting=true, its stderr lines
#              stamped as they arrive); the log itself costs a few ms. A
#              window that lays out text before it shows (kestrova) pays for
#              the fonts before the map, one that does not (the text floor)
#              between the map and the first frame.
#   memory     Rss, Pss and Anonymous from /proc/PID/smaps_rollup, 3 s after
#              the exec. Pss depends on which other processes map the same
#              libraries at that moment; Anonymous (heap, stacks) does not.
#   CPU        utime + stime from /proc/PID/stat (clock ticks, all threads)
#   wake-ups   context switches, voluntary + nonvoluntary, summed over
#              /proc/PID/task/*/status
# The idle window begins at 3 s. Then the start/stop button (window pixels
# 16,15) is clicked and the pointer moved off the window; after a settling
# pause the running window begins. The minimal window gets the same click, so
# both programs see the same input; for it "running" is idle after a click.
# One warm-up start of each program goes first and is not counted.
set -u -o pipefail

SCRIPT_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
BUILD="$SCRIPT_DIR/../../build"
RUNS=5
STARTS=10
WINDOW=10
SETTLE=1              # seconds between the click and the running window
TEXT_FLOOR=1
KESTROVA=
MINIMAL=
MEMORY_AT_US=3000000  # the memory sample, microseconds after the exec

usage() {
    sed -n '2,/^set -u/p' "$0" | sed '$d' | sed 's/^# \{0,1\}//'
    exit "${1:-2}"
}

while [ $# -gt 0 ]; do
    case $1 in
    --quick) RUNS=5 STARTS=5 WINDOW=1 SETTLE=0.5 TEXT_FLOOR=0 ;;
    --runs) RUNS=${2:?--runs needs a number}; shift ;;
    --starts) STARTS=${2:?--starts needs a number}; shift ;;
    --window) WINDOW=${2:?--window needs seconds}; shift ;;
    --no-text-floor) TEXT_FLOOR=0 ;;
    --build) BUILD=${2:?--build needs a directory}; shift ;;
    --kestrova) KESTROVA=${2:?--kestrova needs a path}; shift ;;
    --minimal) MINIMAL=${2:?--minimal needs a path}; shift ;;
    -h | --help) usage 0 ;;
    *) echo "footprint.sh: unknown argument $1" >&2; usage ;;
    esac
    shift
done
[[ $RUNS =~ ^[1-9][0-9]*$ ]] || { echo "footprint.sh: --runs must be a positive whole number" >&2; exit 2; }
[[ $STARTS =~ ^[0-9]+$ ]] || { echo "footprint.sh: --starts must be a whole number" >&2; exit 2; }
if ! [[ $WINDOW =~ ^[0-9]+(\.[0-9]+)?$ ]] || ! awk -v w="$WINDOW" 'BEGIN { exit !(w > 0) }'; then
    echo "footprint.sh: --window must be a positive number of seconds" >&2
    exit 2
fi
KESTROVA=${KESTROVA:-$BUILD/kestrova}
MINIMAL=${MINIMAL:-$BUILD/bench/minimal_window}
for prog in "$KESTROVA" "$MINIMAL"; do
    [ -x "$prog" ] || { echo "footprint.sh: $prog not found; build first" >&2; exit 2; }
done
for tool in Xvfb openbox xev xdotool xwininfo xprop import stdbuf md5sum awk getconf; do
    command -v "$tool" >/dev/null || { echo "footprint.sh: $tool is not installed" >&2; exit 2; }
done
[ "$RUNS" -lt 5 ] && echo "footprint.sh: note: fewer than 5 runs, the medians are rough" >&2

CLK_TCK=$(getconf CLK_TCK)
WORK=$(mktemp -d "${TMPDIR:-/tmp}/kestrova-footprint.XXXXXX")
XVFB_PID='' WM_PID='' XEV_PID='' PROG_PID=''

now_us() { echo "${EPOCHREALTIME/./}"; }
log() { echo "[footprint] $*" >&2; }

source "$(dirname "${BASH_SOURCE[0]}")/../../tests/desktop/processes.sh"



cleanup() {
    stop_pid "$PROG_PID"
    stop_pid "$XEV_PID"
    stop_pid "$WM_PID"
    stop_pid "$XVFB_PID"
    rm -rf "$WORK"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

die() {
    echo "footprint.sh: $*" >&2
    if [ -s "$WORK/prog.log" ]; then
        echo "--- program output ---" >&2
        tail -n 20 "$WORK/prog.log" >&2
    fi
    exit 1
}

# wait_for SECONDS COMMAND...: runs COMMAND every 10 ms until it succeeds.
wait_for() {
    local deadline=$(($(now_us) + $1 * 1000000))
    shift
    until "$@"; do
        [ "$(now_us)" -ge "$deadline" ] && return 1
        sleep 0.01
    done
}

# sleep_until US: sleeps until the time stamp US (microseconds).
sleep_until() {
    local left=$(($1 - $(now_us)))
    [ "$left" -gt 0 ] && sleep "$(awk -v u="$left" 'BEGIN { printf "%.6f", u / 1e6 }')"
    return 0
}

# --- the desktop --------------------------------------------------------------

export XDG_CONFIG_HOME="$WORK/config" XDG_CACHE_HOME="$WORK/cache" XDG_DATA_HOME="$WORK/data"
export XDG_RUNTIME_DIR="$WORK/runtime"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR \
    QT_ENABLE_HIGHDPI_SCALING QT_FONT_DPI QT_STYLE_OVERRIDE QT_QPA_PLATFORMTHEME

Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp 3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
XVFB_PID=$!
wait_for 15 test -s "$WORK/display" || die "Xvfb did not report a display: $(cat "$WORK/xvfb.log")"
DISPLAY=":$(head -n1 "$WORK/display" | tr -d '[:space:]')"
export DISPLAY
wait_for 10 eval 'xprop -root -len 0 >/dev/null 2>&1' || die "X server $DISPLAY does not answer"
openbox >"$WORK/openbox.log" 2>&1 &
WM_PID=$!
wait_for 15 eval "xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'" ||
    die "openbox did not come up"
sleep 0.5

# Every event about the root window's children (creation, reparenting,
# mapping) is logged, each line stamped with the time it arrived; each
# MapNotify also goes, as "stamp window", into the fifo $WORK/maps. Waiting
# for a window is a blocking read of the fifo, so nothing polls the X server
# or spawns processes while a program starts.
mkfifo "$WORK/maps"
stamp_lines() {
    local line stamp mapped=
    exec 4<>"$WORK/maps" # opened for writing too, so it never blocks
    while IFS= read -r line; do
        stamp=${EPOCHREALTIME/./}
        printf '%s %s\n' "$stamp" "$line"
        if [[ $line == MapNotify* ]]; then
            mapped=$stamp
        elif [ -n "$mapped" ]; then
            [[ $line =~ window\ (0x[0-9a-f]+) ]] && echo "$mapped ${BASH_REMATCH[1]}" >&4
            mapped=
        fi
    done
}
stdbuf -oL xev -root -event substructure > >(stamp_lines >"$WORK/xev.log") 2>/dev/null &
XEV_PID=$!
exec 5<>"$WORK/maps"
# The stderr of a program started with the painting log: stamped into
# $WORK/paint.log; the stamp of its first flush goes into the fifo
# $WORK/paints.
mkfifo "$WORK/paints"
exec 6<>"$WORK/paints"
stamp_paints() {
    local line stamp flushed=
    exec 4<>"$WORK/paints"
    while IFS= read -r line; do
        stamp=${EPOCHREALTIME/./}
        printf '%s %s\n' "$stamp" "$line"
        if [ -z "$flushed" ] && [[ $line == "qt.widgets.painting: Flushing QRegion"* ]]; then
            echo "$stamp" >&4
            flushed=1
        fi
    done
}
sleep 0.3
is_running "$XEV_PID" || die "xev did not start"
xdotool mousemove 600 450
log "desktop on $DISPLAY; kestrova: $KESTROVA; floor: $MINIMAL"
log "$RUNS runs and $STARTS extra starts each, ${WINDOW} s windows"

# --- measuring ----------------------------------------------------------------

# next_map SECONDS: reads the next "stamp window" of a MapNotify from the
# fifo into MAP_STAMP and MAP_WINDOW; fails after SECONDS.
next_map() {
    read -r -t "$1" MAP_STAMP MAP_WINDOW <&5
}

# toplevel_of WINDOW: the child of the root window that holds WINDOW.
toplevel_of() {
    local w=$1 root parent
    root=$(xwininfo -root | awk '/Window id:/ { print $4 }')
    while :; do
        parent=$(xwininfo -tree -id "$w" 2>/dev/null | awk '/Parent window id:/ { print $4 }')
        [ -z "$parent" ] && return 1
        [ "$((parent))" -eq "$((root))" ] && { printf '0x%x\n' "$((w))"; return 0; }
        w=$parent
    done
}

# counters PID: "time_us cpu_ticks context_switches", all threads.
counters() {
    local cpu ctx
    cpu=$(sed 's/.*) //' "/proc/$1/stat" | awk '{ print $12 + $13 }')
    ctx=$(cat /proc/"$1"/task/*/status 2>/dev/null |
        awk '/^(voluntary|nonvoluntary)_ctxt_switches:/ { s += $2 } END { print s + 0 }')
    echo "$(now_us) $cpu $ctx"
}

# rate FROM TO FIELD: the change of FIELD (2 CPU, 3 context switches) per
# minute between two counters samples; CPU in seconds.
rate() {
    awk -v a="$1" -v b="$2" -v f="$3" -v hz="$CLK_TCK" 'BEGIN {
        split(a, x, " "); split(b, y, " "); dt = (y[1] - x[1]) / 1e6
        d = y[f] - x[f]; if (f == 2) d /= hz
        printf "%.4f", d * 60 / dt }'
}

window_md5() { import -window "$1" png:- 2>/dev/null | md5sum | cut -d' ' -f1; }

# run NAME TITLE MODE PROGRAM [ARGS...]: one start of PROGRAM, whose window
# is titled TITLE. MODE warmup: start-up only, not recorded; start: start-up
# only; paint: start-up with the painting log, to the first frame; memory:
# start-up and memory; full: everything. Appends the start-up time (ms) to
# $WORK/NAME.starts (except for paint), the time to the first frame to
# $WORK/NAME.paints (paint only) and, for memory and full, to $WORK/NAME.runs
# the line
#   startup_ms rss_kb pss_kb anon_kb cpu3_ticks cpu_idle cpu_run ctx_idle ctx_run ctx_extra
# (CPU in s/min, context switches per minute, ctx_extra = running minus idle
# per second; "-" where not measured).
run() {
    local name=$1 title=$2 mode=$3
    shift 3
    local t0 wid='' top='' startup mem c0 c1 c2 c3 before after wi wr m flushed
    local -a maps=()
    : >"$WORK/prog.log"
    while next_map 0.01; do :; done # maps of earlier runs
    while read -r -t 0.01 m <&6; do :; done
    if [ "$mode" = paint ]; then
        (
            printf '%s\n' "${EPOCHREALTIME/./}" >"$WORK/t0"
            QT_LOGGING_RULES=qt.widgets.painting=true exec "$@" >"$WORK/prog.log" \
                2> >(stamp_paints >"$WORK/paint.log")
        ) &
    else
        (
            printf '%s\n' "${EPOCHREALTIME/./}" >"$WORK/t0"
            exec "$@" >"$WORK/prog.log" 2>&1
        ) &
    fi
    PROG_PID=$!
    # The first window mapped is normally the program's; which one it is, is
    # only asked once it has been mapped.
    next_map 20 || die "$name: no window mapped within 20 s"
    maps+=("$MAP_STAMP $MAP_WINDOW")
    # Until its first frame, nothing else is asked of the X server either.
    if [ "$mode" = paint ]; then
        read -r -t 10 flushed <&6 || die "$name: no flush in the painting log within 10 s"
    fi
    t0=$(cat "$WORK/t0")
    wait_for 10 eval "wid=\$(xdotool search --onlyvisible --name '^${title}\$' 2>/dev/null | head -n1); [ -n \"\$wid\" ]" ||
        die "$name: no visible window titled $title"
    top=$(toplevel_of "$wid") || die "$name: window $wid has no top-level"
    startup=
    while [ -z "$startup" ]; do
        for m in "${maps[@]}"; do
            read -r MAP_STAMP MAP_WINDOW <<<"$m"
            if [ "$MAP_STAMP" -gt "$t0" ] && [ "$((MAP_WINDOW))" -eq "$((top))" ]; then
                startup=$(awk -v a="$MAP_STAMP" -v b="$t0" 'BEGIN { printf "%.1f", (a - b) / 1000 }')
                break
            fi
        done
        if [ -z "$startup" ]; then
            next_map 5 || die "$name: no MapNotify of its window $top seen"
            maps+=("$MAP_STAMP $MAP_WINDOW")
        fi
    done
    if [ "$mode" = warmup ]; then
        log "$name warm-up: start-up ${startup} ms"
        stop_pid "$PROG_PID"; PROG_PID=
        return
    fi
    if [ "$mode" = paint ]; then
        awk -v a="$flushed" -v b="$t0" 'BEGIN { printf "%.1f\n", (a - b) / 1000 }' >>"$WORK/$name.paints"
        stop_pid "$PROG_PID"; PROG_PID=
        return
    fi
    echo "$startup" >>"$WORK/$name.starts"
    if [ "$mode" = start ]; then
        stop_pid "$PROG_PID"; PROG_PID=
        return
    fi

    sleep_until $((t0 + MEMORY_AT_US))
    mem=$(awk '/^Rss:/ { r = $2 } /^Pss:/ { p = $2 } /^Anonymous:/ { a = $2 }
        END { print r, p, a }' "/proc/$PROG_PID/smaps_rollup")
    c0=$(counters "$PROG_PID")
    if [ "$mode" = memory ]; then
        stop_pid "$PROG_PID"; PROG_PID=
        echo "$startup $mem $(echo "$c0" | cut -d' ' -f2) - - - - -" >>"$WORK/$name.runs"
        log "$name: start-up ${startup} ms, rss/pss/anon ${mem} kB"
        return
    fi
    sleep "$WINDOW"
    c1=$(counters "$PROG_PID")

    [ "$name" = kestrova ] && before=$(window_md5 "$wid")
    xdotool mousemove --window "$wid" 16 15 click 1 sleep 0.05 mousemove 600 450
    sleep "$SETTLE"
    if [ "$name" = kestrova ]; then
        after=$(window_md5 "$wid")
        [ "$before" != "$after" ] ||
            die "kestrova: the window did not change after the click; the countdown did not start"
    fi
    c2=$(counters "$PROG_PID")
    sleep "$WINDOW"
    c3=$(counters "$PROG_PID")
    is_running "$PROG_PID" || die "$name ended during the run"
    stop_pid "$PROG_PID"; PROG_PID=

    wi=$(rate "$c0" "$c1" 3)
    wr=$(rate "$c2" "$c3" 3)
    echo "$startup $mem $(echo "$c0" | cut -d' ' -f2) $(rate "$c0" "$c1" 2) $(rate "$c2" "$c3" 2)" \
        "$wi $wr $(awk -v a="$wi" -v b="$wr" 'BEGIN { printf "%.4f", (b - a) / 60 }')" >>"$WORK/$name.runs"
    log "$name: start-up ${startup} ms, rss/pss/anon ${mem} kB, wake-ups/min idle $wi running $wr"
}

run kestrova Kestrova warmup "$KESTROVA"
run minimal Minimal warmup "$MINIMAL"
[ "$TEXT_FLOOR" = 1 ] && run text "Minimal text" warmup "$MINIMAL" --text
for r in $(seq "$RUNS"); do
    log "run $r of $RUNS"
    run kestrova Kestrova full "$KESTROVA"
    run minimal Minimal full "$MINIMAL"
    [ "$TEXT_FLOOR" = 1 ] && run text "Minimal text" memory "$MINIMAL" --text
done
for r in $(seq "$STARTS"); do
    run kestrova Kestrova start "$KESTROVA"
    run minimal Minimal start "$MINIMAL"
    [ "$TEXT_FLOOR" = 1 ] && run text "Minimal text" start "$MINIMAL" --text
    run kestrova Kestrova paint "$KESTROVA"
    run minimal Minimal paint "$MINIMAL"
    [ "$TEXT_FLOOR" = 1 ] && run text "Minimal text" paint "$MINIMAL" --text
done
[ "$STARTS" -gt 0 ] && log "extra starts done"

# --- the table ----------------------------------------------------------------

# median NAME COLUMN [FILE]: the median of one column of a program's runs
# (or of FILE, e.g. starts), or "-".
median() {
    local file="$WORK/$1.${3:-runs}"
    [ -s "$file" ] || { echo -; return; }
    cut -d' ' -f"$2" "$file" | grep -v '^-$' | sort -g |
        awk '{ v[NR] = $1 } END {
            if (NR == 0) print "-"
            else if (NR % 2) print v[(NR + 1) / 2]
            else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# row LABEL COLUMN SCALE FORMAT [FILE]: one line of the table.
row() {
    local k m t
    k=$(median kestrova "$2" "${5:-runs}")
    m=$(median minimal "$2" "${5:-runs}")
    t=$(median text "$2" "${5:-runs}")
    awk -v l="$1" -v k="$k" -v m="$m" -v t="$t" -v s="$3" -v f="$4" -v text="$TEXT_FLOOR" '
        function val(x) { return x == "-" ? "-" : sprintf(f, x * s) }
        function rel(a, b) { return (a == "-" || b == "-" || b == 0) ? "-" : sprintf("%+.1f %%", (a - b) / b * 100) }
        BEGIN {
            line = sprintf("| %s | %s | %s | %s |", l, val(k), val(m), rel(k, m))
            if (text) line = line sprintf(" %s | %s |", val(t), rel(k, t))
            print line }'
}

cpu_model=$(awk -F': *' '/^model name/ { print $2; exit }' /proc/cpuinfo)
MIB=0.0009765625
echo "# Footprint: kestrova next to a minimal Qt Widgets window"
echo
echo "- machine: $(nproc) cores (nproc), ${cpu_model:-unknown CPU}, $(uname -srm)"
echo "- runs: $RUNS of each program, figures are medians; idle and running windows of ${WINDOW} s," \
    "per-minute figures scaled from them"
echo "- start-up: exec to the MapNotify of the window's frame (the window is viewable);" \
    "first frame: exec to the first flush of its contents (separate starts with Qt's painting log)"
echo "- memory: /proc/PID/smaps_rollup 3 s after the exec; CPU: utime+stime (1/${CLK_TCK} s ticks);" \
    "wake-ups: voluntary+nonvoluntary context switches of all threads"
[ "$TEXT_FLOOR" = 1 ] && echo "- minimal + text: the minimal window with one text label (start-up and memory only)"
echo
if [ "$TEXT_FLOOR" = 1 ]; then
    echo "| measure | kestrova | minimal window | kestrova vs minimal | minimal + text | kestrova vs minimal + text |"
    echo "|---|---:|---:|---:|---:|---:|"
else
    echo "| measure | kestrova | minimal window | kestrova vs minimal |"
    echo "|---|---:|---:|---:|"
fi
row "start-up, exec to window mapped (ms, $((RUNS + STARTS)) starts)" 1 1 "%.1f" starts
[ "$STARTS" -gt 0 ] &&
    row "start-up, exec to first frame, painting log on (ms, $STARTS starts)" 1 1 "%.1f" paints
row "RSS at 3 s (MiB)" 2 "$MIB" "%.2f"
row "PSS at 3 s (MiB)" 3 "$MIB" "%.2f"
row "anonymous memory at 3 s (MiB)" 4 "$MIB" "%.2f"
row "CPU used in the first 3 s (s)" 5 "$(awk -v hz="$CLK_TCK" 'BEGIN { print 1 / hz }')" "%.2f"
row "CPU idle (s/min)" 6 1 "%.3f"
row "CPU running (s/min)" 7 1 "%.3f"
row "wake-ups idle (/min)" 8 1 "%.1f"
row "wake-ups running (/min)" 9 1 "%.1f"
row "wake-ups of the countdown, running - idle (/s)" 10 1 "%.2f"
# The same against the floor: the running rate less the minimal window's
# idle rate, for an idle rate that has other causes than the countdown.
awk -v k="$(median kestrova 9)" -v m="$(median minimal 8)" -v text="$TEXT_FLOOR" 'BEGIN {
    line = sprintf("| wake-ups running above the floor, kestrova running - minimal idle (/s) | %.2f | - | - |", (k - m) / 60)
    if (text) line = line " - | - |"
    print line }'
