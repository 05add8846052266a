#!/usr/bin/env bash
# The saver's headless demo ends by itself: its turns on the demo CD differ,
# its own four pictures differ, and a key and a mouse move end it.
# Usage: headless-saver-demo-test.sh SAVER DISC-DIR DEMO-SCRIPT WORKDIR
# DISC-DIR holds the demo CD as quelby.iso.
set -euo pipefail
saver=$1
disc=$2
demo=$3
work=$4
rm -rf "$work"
mkdir -p "$work"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
[ -f "$disc/quelby.iso" ] || fail "no demo CD in $disc"
# The X libraries keep allocations at exit; the saver's own leaks are checked
# by its tests in process.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
status=0
QUELBY_DEMO_SCREEN=800x600 timeout -k 10 120 "$demo" "$saver" "$disc/quelby.iso" "$work/out" \
    >"$work/demo.log" 2>&1 || status=$?
cat "$work/demo.log"
[ "$status" -ne 124 ] || fail "the demo did not end within 120 s"
[ "$status" -eq 0 ] || fail "the demo ended with status $status"
grep -q "the saver ended on a key with status 0" "$work/demo.log" || fail "no end on a key"
grep -q "the saver ended on a mouse move with status 0" "$work/demo.log" ||
    fail "no end on a mouse move"
differ() {
    ! cmp -s "$work/out/saver-$1.png" "$work/out/saver-$2.png" || fail "$1 and $2 are the same"
}
differ cd-1 cd-2
differ cd-2 cd-3
differ builtin-165 builtin-166
differ builtin-166 builtin-169
differ builtin-169 builtin-170
echo "the saver's headless demo ended by itself"
