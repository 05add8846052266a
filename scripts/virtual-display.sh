# Sourced by the scripts that run a program under a virtual X server.
# start_virtual_display SIZE WORKDIR: starts Xvfb with a SIZE ("1024x768")
# screen of 24 bits on a free display, waits until it accepts clients, sets
# xvfb_pid and exports DISPLAY. The server does not reset when its last client
# leaves, so a program started after a short-lived client (xdotool) finds it.
# stop_virtual_display: ends it; for the caller's clean-up trap.
start_virtual_display() {
    local size=$1 work=$2
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset 3>"$work/display" \
        2>"$work/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        kill -0 "$xvfb_pid" 2>/dev/null || { echo "Xvfb did not start: $(cat "$work/xvfb.log")" >&2; return 1; }
        sleep 0.1
    done
    [ -s "$work/display" ] || { echo "Xvfb did not start within 10 s" >&2; return 1; }
    export DISPLAY=":$(head -n 1 "$work/display")"
}

stop_virtual_display() {
    if [ -n "${xvfb_pid:-}" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
}
