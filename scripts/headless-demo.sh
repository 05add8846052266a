#!/usr/bin/env bash
# Runs the viewer under a virtual X server, pages forward and back with mouse
# clicks on its buttons as a user would, leaves a screenshot after each step,
# and ends the viewer with File, Exit, naming the bookmark it offers. Exits non-zero with a message when the
# viewer does not start, ends during the tour, fails or does not end.
# Usage: headless-demo.sh VIEWER OUTDIR
# QUELBY_DEMO_SCREEN sets the virtual screen (default 1024x768);
# QUELBY_DEMO_WAIT the seconds allowed for the window to appear and for the
# viewer to end after Exit (default 30).
set -euo pipefail
. "$(dirname "$0")"/virtual-display.sh
viewer=$1
out=$2
screen=${QUELBY_DEMO_SCREEN:-1024x768}
wait_s=${QUELBY_DEMO_WAIT:-30}

fail() {
    echo "headless demo: $*" >&2
    exit 1
}
for tool in Xvfb xdotool import; do
    command -v "$tool" >/dev/null || fail "$tool is not installed"
done
mkdir -p "$out"
rm -f "$out"/*.png

# Everything the demo starts or makes is undone here, on every path.
work=$(mktemp -d)
xvfb_pid=""
viewer_pid=""
cleanup() {
    if [ -n "$viewer_pid" ]; then
        kill -KILL "$viewer_pid" 2>/dev/null || true
        wait "$viewer_pid" 2>/dev/null || true
    fi
    stop_virtual_display
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

start_virtual_display "$screen" "$work" || fail "no virtual X server"
export QT_QPA_PLATFORM=xcb

# A profile of its own, so the demo neither reads nor changes the user's.
export XDG_RUNTIME_DIR="$work" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
"$viewer" &
viewer_pid=$!

alive() {
    kill -0 "$viewer_pid" 2>/dev/null
}
# The first visible window whose name matches, once it shows; nothing when
# the viewer ends or the wait runs out first.
window_named() {
    for _ in $(seq $((wait_s * 10))); do
        alive || return 0
        local found
        found=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) || true
        [ -n "$found" ] && { echo "$found"; return 0; }
        sleep 0.1
    done
}
win=$(window_named "^Quelby")
[ -n "$win" ] || fail "the viewer's window did not appear"
sleep 1

# The window's place and size, and the screen's width, which places the
# forward button.
eval "$(xdotool getwindowgeometry --shell "$win")"
read -r screen_w _ < <(xdotool getdisplaygeometry)

# The viewer's windows other than the main one; a search by process also
# names the root window.
root_win=$(xdotool search --maxdepth 0 --name "")
popups() {
    xdotool search --onlyvisible --pid "$viewer_pid" --name "" 2>/dev/null |
        grep -vx -e "$win" -e "$root_win" || true
}
# Opens the File menu with a click on its title; prints the popup's top edge,
# which is the bottom of the menu bar.
open_file_menu() {
    xdotool mousemove "$((X + 12))" "$((Y + 6))" click 1
    local popup=""
    for _ in $(seq 50); do
        popup=$(popups | head -n 1)
        [ -n "$popup" ] && break
        sleep 0.1
    done
    [ -n "$popup" ] || fail "the File menu did not open"
    (
        eval "$(xdotool getwindowgeometry --shell "$popup")"
        echo "$Y"
    )
}

menu_bottom=$(open_file_menu)
xdotool key Escape
menu_h=$((menu_bottom - Y))
[ "$menu_h" -gt 0 ] && [ "$menu_h" -lt 100 ] || fail "the menu bar is $menu_h pixels high"

# The buttons are 39 by 30 at (1, 373) and (630, 373) of the view, the forward
# one at (590, 373) on a screen at most 641 pixels wide.
button_y=$((Y + menu_h + 373 + 15))
back_x=$((X + 1 + 19))
forward_x=$((X + 630 + 19))
[ "$screen_w" -le 641 ] && forward_x=$((X + 590 + 19))

shot() {
    alive || fail "the viewer ended during the tour"
    local file="$out/$1.png"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$file"
    echo "screenshot: $file ($(xdotool getwindowname "$win"))"
}
click() {
    xdotool mousemove "$1" "$button_y" click 1
    sleep 0.7
}

shot 0-cover
for step in 1 2 3 4; do
    click "$forward_x"
    shot "$step-forward"
done
click "$back_x"
shot 5-back

# File, Exit, as a person ends the program. Having paged, the viewer offers
# to save a bookmark: the demo names one.
open_file_menu >/dev/null
xdotool key x
offer=$(window_named "^Enter Name For Bookmark$")
if [ -n "$offer" ]; then
    sleep 0.5
    xdotool type --delay 20 "Demo tour"
    import -window "$offer" "$out/6-exit-bookmark.png"
    echo "screenshot: $out/6-exit-bookmark.png ($(xdotool getwindowname "$offer"))"
    xdotool key Return
fi
for _ in $(seq $((wait_s * 10))); do
    alive || break
    sleep 0.1
done
alive && fail "the viewer did not end within $wait_s s of File, Exit"
status=0
wait "$viewer_pid" || status=$?
viewer_pid=""
[ "$status" -eq 0 ] || fail "the viewer ended with status $status"
echo "the viewer ended with status 0"
if [ -n "$offer" ]; then
    grep -q "^1=Demo tour$" "$XDG_CONFIG_HOME/Vanto Corp/Quelby.ini" ||
        fail "the bookmark offered at exit was not saved"
    echo "bookmark saved at exit: Demo tour"
fi
