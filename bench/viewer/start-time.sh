#!/usr/bin/env bash
# Wall time from starting the viewer to its window showing the first picture
# (the cover, "... - Vanto CD Home" in the title), under a virtual X server.
# Usage: start-time.sh VIEWER DISC [RUNS]   e.g. start-time.sh /usr/bin/quelby build-rel/demo/quelby.iso 5
set -euo pipefail
. "$(dirname "$0")/../../scripts"/virtual-display.sh
viewer=$1
disc=$(readlink -f "$2")
runs=${3:-5}
work=$(mktemp -d)
xvfb_pid=""
cleanup() {
    stop_virtual_display
    rm -rf "$work"
}
trap cleanup EXIT
start_virtual_display 1024x768 "$work" || exit 1
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR="$work" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
for run in $(seq "$runs"); do
    start=$(date +%s%N)
    "$viewer" "$disc" &
    pid=$!
    until xdotool search --onlyvisible --name "Vanto CD Home" >/dev/null 2>&1; do
        kill -0 "$pid" 2>/dev/null || { echo "the viewer ended before its first picture" >&2; exit 1; }
        if [ $(($(date +%s%N) - start)) -gt 30000000000 ]; then
            kill "$pid"
            echo "no first picture within 30 s (is the disc there?)" >&2
            exit 1
        fi
        sleep 0.005
    done
    end=$(date +%s%N)
    echo "run $run: $(((end - start) / 1000000)) ms to the first picture"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
done
