#!/usr/bin/env bash
# Runs the viewer under Xvfb, pages forward with mouse clicks on the forward
# button as a user would, and leaves a screenshot after each step.
# Usage: headless-demo.sh VIEWER OUTDIR
set -euo pipefail
viewer=$1
out=$2
mkdir -p "$out"
rm -f "$out"/*.png

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
viewer_pid=""
cleanup() {
    [ -n "$viewer_pid" ] && kill "$viewer_pid" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

# A profile of its own, so the demo neither reads nor changes the user's.
demo_home=$(mktemp -d)
export XDG_RUNTIME_DIR="$demo_home"
XDG_CONFIG_HOME="$demo_home/config" XDG_DATA_HOME="$demo_home/data" "$viewer" &
viewer_pid=$!

win=$(timeout 20 xdotool search --sync --onlyvisible --name "Quelby" | head -n 1) || {
    echo "the viewer's window did not appear" >&2
    exit 1
}
sleep 1

shot() {
    local file="$out/$1.png"
    import -window root -crop 700x480+162+144 +repage "$file"
    echo "screenshot: $file ($(xdotool getwindowname "$win"))"
}

shot 0-cover
# The forward button sits at (630, 373) of the view, below the menu bar.
eval "$(xdotool getwindowgeometry --shell "$win")"
for step in 1 2 3 4; do
    xdotool mousemove --window "$win" 649 410 click 1
    sleep 0.7
    shot "$step-forward"
done
# And one step back with the back button at (1, 373).
xdotool mousemove --window "$win" 20 410 click 1
sleep 0.7
shot 5-back

xdotool windowclose "$win" 2>/dev/null || kill "$viewer_pid"
wait "$viewer_pid" 2>/dev/null || true
viewer_pid=""
rm -rf "$demo_home"
