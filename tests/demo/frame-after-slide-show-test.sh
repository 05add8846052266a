#!/usr/bin/env bash
# A full-screen slide show given up in the browse wizard gives the frame back
# exactly as it was, under a window manager that draws decorations (openbox),
# whose maximised frame has other extents than the normal one.
# Usage: frame-after-slide-show-test.sh VIEWER DISC-DIR WORKDIR
set -euo pipefail
viewer=$1
disc=$2
work=$3
rm -rf "$work"
mkdir -p "$work"
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
command -v openbox >/dev/null || fail "openbox is not installed"
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
. "$(dirname "$0")/../../scripts/virtual-display.sh"
cleanup() {
    [ -n "${viewer_pid:-}" ] && kill "$viewer_pid" 2>/dev/null
    [ -n "${wm_pid:-}" ] && kill "$wm_pid" 2>/dev/null
    stop_virtual_display
}
trap cleanup EXIT
start_virtual_display 1024x768 "$work"
openbox >"$work/openbox.log" 2>&1 &
wm_pid=$!
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data QUELBY_DRIVES="E=$disc/quelby.iso"
unset WAYLAND_DISPLAY
mkdir -p "$XDG_CONFIG_HOME/Vanto Corp"
printf '[cdrom]\ncheck=1\ndelay=1\n' >"$XDG_CONFIG_HOME/Vanto Corp/Quelby.ini"
QT_QPA_PLATFORM=xcb "$viewer" >"$work/viewer.log" 2>&1 &
viewer_pid=$!
window=""
for _ in $(seq 100); do
    window=$(xdotool search --name "Quelby: The" 2>/dev/null | head -n 1) && [ -n "$window" ] && break
    sleep 0.2
done
[ -n "$window" ] || fail "no viewer window: $(cat "$work/viewer.log")"
geometry() { xdotool getwindowgeometry "$window" | tr -s ' \n' ' '; }
# The geometry once it holds still for three seconds (the window manager
# frames the window in its own time, the viewer then fits it); at most 30 s.
settled() {
    local last="" now="" still=0
    for _ in $(seq 30); do
        now=$(geometry)
        if [ "$now" = "$last" ]; then still=$((still + 1)); else still=0; fi
        [ "$still" -ge 3 ] && break
        last=$now
        sleep 1
    done
    echo "$now"
}
before=$(settled)
xdotool key --window "$window" alt+s # Slide Show
sleep 1.5
xdotool key Return # OK: the frame is maximised and the browse wizard opens
sleep 1.5
xdotool key Escape # the wizard given up: the show ends before it began
sleep 2
after=$(settled)
echo "before: $before"
echo "after:  $after"
[ "$before" = "$after" ] || fail "the frame came back other than it was"
kill -0 "$viewer_pid" || fail "the viewer ended: $(cat "$work/viewer.log")"
