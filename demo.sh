#!/usr/bin/env bash
# Installs what is missing, builds, makes the demo CD and runs the viewer on it.
# Without a display the viewer runs under a virtual X server: the script pages
# forward a few times as a user would and prints the paths of the screenshots.
# ./demo.sh saver runs the screen saver on the demo CD instead (`wendle s`);
# headless, it leaves screenshots of its turns with and without the CD.
set -euo pipefail
cd "$(dirname "$0")"
program=quelby
if [ "${1:-}" = saver ]; then
    program=wendle
    shift
fi
. scripts/ensure-packages.sh
headless=0
[ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && headless=1
if [ "$headless" = 1 ]; then
    ensure_packages "${BUILD_PACKAGES[@]}" "${DEMO_PACKAGES[@]}"
else
    ensure_packages "${BUILD_PACKAGES[@]}"
fi

build=build
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUELBY_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target "$program" democd

iso="$PWD/$build/demo/quelby.iso"
viewer=$(find "$build" -type f -name "$program" -perm -u+x | head -n 1)
[ -f "$iso" ] || { echo "demo CD missing: $iso" >&2; exit 1; }
[ -n "$viewer" ] || { echo "$program not built" >&2; exit 1; }

if [ "$program" = wendle ]; then
    if [ "$headless" = 0 ]; then
        QUELBY_DRIVES="E=$iso" exec "$viewer" s
    fi
    exec scripts/headless-saver-demo.sh "$viewer" "$iso" "$PWD/out/demo"
fi

# The demo CD goes into drive E for this run only; the user's settings stay as they are.
export QUELBY_DRIVES="E=$iso"

if [ "$headless" = 0 ]; then
    exec "$viewer" "$@"
fi

exec scripts/headless-demo.sh "$viewer" "$PWD/out/demo"
