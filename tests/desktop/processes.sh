# Process helpers shared by the desktop tests and the footprint benchmark.

# is_running PID: the process exists and has not exited (a zombie has exited).
is_running() {
    local state
    [ -r "/proc/$1/stat" ] || return 1
    state=$(sed 's/.*) //' "/proc/$1/stat" 2>/dev/null | cut -d' ' -f1)
    [ -n "$state" ] && [ "$state" != Z ] && [ "$state" != X ]
}

# stop_pid PID: ends a process the script started, politely, then after 3 s
# firmly.
stop_pid() {
    local pid=$1
    [ -n "$pid" ] || return 0
    if is_running "$pid"; then
        kill "$pid" 2>/dev/null
        for _ in $(seq 60); do is_running "$pid" || break; sleep 0.05; done
        is_running "$pid" && kill -KILL "$pid" 2>/dev/null
    fi
    wait "$pid" 2>/dev/null
    return 0
}
