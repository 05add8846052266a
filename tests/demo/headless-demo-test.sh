#!/usr/bin/env bash
# The headless demo ends by itself, in bounded time, on two screen sizes: it
# pages through the demo disc with clicks placed from the window's geometry and
# closes the viewer with File, Exit. The disc is the ISO image on the first
# screen and a BIN/CUE rip of raw sectors on the second.
# Usage: headless-demo-test.sh VIEWER DISC-DIR DEMO-SCRIPT WORKDIR
# DISC-DIR holds the demo CD as quelby.iso and as quelby.cue with its .bin.
set -euo pipefail
viewer=$1
disc=$2
demo=$3
work=$4
rm -rf "$work"
mkdir -p "$work"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
[ -f "$disc/quelby.iso" ] && [ -f "$disc/quelby.cue" ] || fail "no demo CD in $disc"
# What is tried here is the script's ending; the desktop session's system
# libraries (D-Bus over X) keep allocations at exit that the leak checker
# does not always attribute, and other tests check the viewer's own leaks.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

# Screen size, the frame's outer size on it, and the disc.
for case in 800x600:680x450:quelby.iso 640x480:640x450:quelby.cue; do
    screen=${case%%:*}
    rest=${case#*:}
    frame=${rest%:*}
    export QUELBY_DRIVES="E=$disc/${rest#*:}"
    out="$work/$screen"
    status=0
    QUELBY_DEMO_SCREEN=$screen timeout -k 10 180 "$demo" "$viewer" "$out" >"$out.log" 2>&1 ||
        status=$?
    cat "$out.log"
    [ "$status" -ne 124 ] || fail "$screen: the demo did not end within 180 s"
    [ "$status" -eq 0 ] || fail "$screen: the demo ended with status $status"
    grep -q "0-cover.png (.* - Vanto CD Home)" "$out.log" || fail "$screen: no cover"
    grep -q "1-forward.png (.*Page: 5 " "$out.log" || fail "$screen: forward click missed"
    grep -q "the viewer ended with status 0" "$out.log" || fail "$screen: no exit status"
    for shot in "$out"/{0-cover,1-forward,2-forward,3-forward,4-forward,5-back}.png; do
        size=$(identify -format '%wx%h' "$shot") || fail "$screen: $shot unreadable"
        [ "$size" = "$frame" ] || fail "$screen: $shot is $size, the frame $frame"
    done
    [ -f "$out/6-exit-bookmark.png" ] || fail "$screen: no bookmark offered at exit"
    grep -q "bookmark saved at exit: Demo tour" "$out.log" || fail "$screen: bookmark not saved"
    # The back click landed: the picture changed.
    ! cmp -s "$out/4-forward.png" "$out/5-back.png" || fail "$screen: back click missed"
done
echo "the headless demo ended by itself on both screens"
