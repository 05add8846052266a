#!/usr/bin/env bash
# Installs what is missing, builds, makes the demo CD and runs the viewer on it.
# Without a display the viewer runs under a virtual X server: the script pages
# forward a few times as a user would and prints the paths of the screenshots.
set -euo pipefail
cd "$(dirname "$0")"
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
cmake --build "$build" -j"$(nproc)" --target quelby democd

iso="$PWD/$build/demo/quelby.iso"
viewer=$(find "$build" -type f -name quelby -perm -u+x | head -n 1)
[ -f "$iso" ] || { echo "demo CD missing: $iso" >&2; exit 1; }
[ -n "$viewer" ] || { echo "viewer not built" >&2; exit 1; }

# The demo CD goes into drive E for this run only; the user's settings stay as they are.
export QUELBY_DRIVES="E=$iso"

if [ "$headless" = 0 ]; then
    exec "$viewer" "$@"
fi

exec scripts/headless-demo.sh "$viewer" "$PWD/out/demo"
