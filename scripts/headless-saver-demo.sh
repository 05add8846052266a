#!/usr/bin/env bash
# Runs the screen saver under a virtual X server as a person would see it:
# first on the demo CD, leaving screenshots of three turns, until a key ends
# it; then without the CD, leaving screenshots of its four own pictures, until
# the mouse moves. Exits non-zero with a message when the saver does not
# start, does not end on the key or the mouse, or fails.
# Usage: headless-saver-demo.sh SAVER ISO OUTDIR
# QUELBY_DEMO_SCREEN sets the virtual screen (default 1024x768).
set -euo pipefail
. "$(dirname "$0")"/virtual-display.sh
saver=$1
iso=$2
out=$3
screen=${QUELBY_DEMO_SCREEN:-1024x768}

fail() {
    echo "headless saver demo: $*" >&2
    exit 1
}
for tool in Xvfb xdotool import; do
    command -v "$tool" >/dev/null || fail "$tool is not installed"
done
mkdir -p "$out"
rm -f "$out"/saver-*.png

work=$(mktemp -d)
xvfb_pid=""
saver_pid=""
cleanup() {
    if [ -n "$saver_pid" ]; then
        kill -KILL "$saver_pid" 2>/dev/null || true
        wait "$saver_pid" 2>/dev/null || true
    fi
    stop_virtual_display
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

start_virtual_display "$screen" "$work" || fail "no virtual X server"
export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work"

# A profile of its own for each run: two seconds a picture (1.75 s of wait
# and the time to load and draw), the place kept.
start_saver() {
    export XDG_CONFIG_HOME="$work/$1/config" XDG_DATA_HOME="$work/$1/data"
    mkdir -p "$XDG_CONFIG_HOME/Vanto Corp"
    printf '[ScreenSaver]\ndelay=2\nsaveOnExit=1\n' >"$XDG_CONFIG_HOME/Vanto Corp/Quelby.ini"
    "$saver" s &
    saver_pid=$!
    win=""
    for _ in $(seq 300); do
        kill -0 "$saver_pid" 2>/dev/null || fail "the saver ended at start"
        win=$(xdotool search --onlyvisible --name '^Quelby$' 2>/dev/null | head -n 1) || true
        [ -n "$win" ] && break
        sleep 0.1
    done
    [ -n "$win" ] || fail "the saver's window did not appear"
    shown_ms=$(now_ms)
}
now_ms() {
    echo $(($(date +%s%N) / 1000000))
}
# Turn N is drawn 1.75 s x N after the window shows: each screenshot is taken
# in the middle of its turn, timed from the start, so slow screenshots do not
# drift into the next turn.
shot() {
    local at=$((shown_ms + 1750 * $2 + 800)) left
    left=$((at - $(now_ms)))
    [ "$left" -gt 0 ] && sleep "$(printf '%d.%03d' $((left / 1000)) $((left % 1000)))"
    kill -0 "$saver_pid" 2>/dev/null || fail "the saver ended during the demo"
    import -window root "$out/saver-$1.png"
    echo "screenshot: $out/saver-$1.png"
}
ended_by() {
    for _ in $(seq 100); do
        kill -0 "$saver_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$saver_pid" 2>/dev/null && fail "the saver did not end on $1"
    local status=0
    wait "$saver_pid" || status=$?
    saver_pid=""
    [ "$status" -eq 0 ] || fail "the saver ended with status $status"
    echo "the saver ended on $1 with status 0"
}

# On the demo CD.
export QUELBY_DRIVES="E=$iso"
start_saver cd
for turn in 1 2 3; do
    shot "cd-$turn" "$turn"
done
xdotool windowfocus --sync "$win" key space
ended_by "a key"
grep -q '^imageCounter=[1-9]' "$XDG_CONFIG_HOME/Vanto Corp/Quelby.ini" ||
    fail "the place reached was not stored"
echo "stored on exit: $(grep '^imageCounter=' "$XDG_CONFIG_HOME/Vanto Corp/Quelby.ini")"

# Without the CD: its own four pictures, the notice above the first.
export QUELBY_DRIVES=""
start_saver nocd
turn=0
for picture in 165 166 169 170; do
    turn=$((turn + 1))
    shot "builtin-$picture" "$turn"
done
# The first move is where the mouse stands; the next one away ends the saver.
xdotool mousemove 100 100
sleep 0.3
xdotool mousemove 140 120
ended_by "a mouse move"
