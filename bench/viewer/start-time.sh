#!/usr/bin/env bash
# Wall time from starting the viewer to its window showing the first picture
# (the cover, "... - Vanto CD Home" in the title), under a virtual X server,
# and, taken in turn with it, the time feh takes to show the same cover
# bitmap read from a file (the yardstick of an image viewer that does nothing
# else) and, where the build has it, the time a bare Qt window with a menu
# bar takes to show it (bench_qt_window_floor: what any Qt program pays).
# Usage: start-time.sh VIEWER DISC [RUNS]   e.g. start-time.sh /usr/bin/quelby build-rel/demo/quelby.iso 5
# Needs Xvfb, xdotool, feh and xorriso (to take the cover off the disc).
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
for tool in Xvfb xdotool feh xorriso; do
    command -v "$tool" >/dev/null || { echo "start-time.sh needs $tool" >&2; exit 1; }
done
start_virtual_display 1024x768 "$work" || exit 1
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR="$work" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
cover=$work/splash24.bmp
if [ -d "$disc" ]; then
    found=$(find "$disc" -ipath '*/quelby/images/col/splash24.bmp' | head -n 1)
    [ -n "$found" ] && cp "$found" "$cover"
else
    xorriso -osirrox on -indev "$disc" -extract /QUELBY/IMAGES/COL/SPLASH24.BMP "$cover" \
        >/dev/null 2>&1 || true
fi
[ -s "$cover" ] || { echo "no cover on $disc" >&2; exit 1; }

# time_to_window TITLE COMMAND...: milliseconds from starting COMMAND until a
# visible window whose name holds TITLE exists; the program is ended then.
time_to_window() {
    local title=$1 start end pid
    shift
    start=$(date +%s%N)
    "$@" &
    pid=$!
    until xdotool search --onlyvisible --name "$title" >/dev/null 2>&1; do
        kill -0 "$pid" 2>/dev/null || { echo "$1 ended before its first picture" >&2; return 1; }
        if [ $(($(date +%s%N) - start)) -gt 30000000000 ]; then
            kill "$pid"
            echo "no first picture within 30 s from $1" >&2
            return 1
        fi
        sleep 0.005
    done
    end=$(date +%s%N)
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    echo $(((end - start) / 1000000))
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

floor=$(dirname "$(readlink -f "$viewer")")/../bench/viewer/bench_qt_window_floor
[ -x "$floor" ] || floor=""
ours=() theirs=() floors=()
for run in $(seq "$runs"); do
    ours+=("$(time_to_window "Vanto CD Home" "$viewer" "$disc")")
    theirs+=("$(time_to_window "feh cover" feh --title "feh cover" "$cover")")
    line="run $run: viewer ${ours[-1]} ms, feh ${theirs[-1]} ms"
    if [ -n "$floor" ]; then
        floors+=("$(time_to_window "Qt window floor" "$floor" "$cover")")
        line+=", bare Qt window ${floors[-1]} ms"
    fi
    echo "$line to the first picture"
done
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
a=$(printf '%s\n' "${ours[@]}" | median)
b=$(printf '%s\n' "${theirs[@]}" | median)
summary="median (wall time): viewer $a ms, feh $b ms, viewer/feh $(ratio "$a" "$b")"
if [ -n "$floor" ]; then
    c=$(printf '%s\n' "${floors[@]}" | median)
    summary+=", bare Qt window $c ms, Qt window/feh $(ratio "$c" "$b"), viewer/Qt window $(ratio "$a" "$c")"
fi
echo "$summary"
