#!/usr/bin/env bash
# Makes the .deb from a built tree, installs it with dpkg into a scratch root,
# checks what a Debian user gets there, and removes it again without a trace;
# lintian must find no error in it.
# Usage: package-test.sh BUILD_DIR (status 77: all passed but lintian is missing)
set -euo pipefail
build=$(cd "$1" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

(cd "$scratch" && cpack --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1) ||
    { cat "$scratch/cpack.log" >&2; fail "cpack did not make the package"; }
deb=$(find "$scratch/out" -maxdepth 1 -name 'quelby_*.deb' | head -n 1)
[ -n "$deb" ] || fail "no quelby_*.deb in $scratch/out"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libc6 libqt6core6 libqt6widgets6 libcdio qt6-qpa-plugins; do
    grep -q "$needed" <<<"$depends" || fail "Depends lacks $needed: $depends"
done

root=$scratch/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
# The scratch root has none of the dependencies: only the files are checked here.
dpkg --root="$root" --force-not-root --force-depends --force-script-chrootless \
    --log=/dev/null -i "$deb" >/dev/null || fail "dpkg could not install $deb"

usr=$root/usr
expected=(bin/quelby share/applications/com.vantocorp.quelby.desktop
    share/metainfo/com.vantocorp.quelby.metainfo.xml share/man/man1/quelby.1.gz
    share/icons/hicolor/scalable/apps/com.vantocorp.quelby.svg
    share/doc/quelby/copyright share/doc/quelby/changelog.gz)
for size in 16 22 24 32 48 64 128 256; do
    expected+=("share/icons/hicolor/${size}x${size}/apps/com.vantocorp.quelby.png")
done
saver=0
[ -e "$usr/bin/wendle" ] && saver=1
if [ "$saver" = 1 ]; then
    expected+=(share/applications/com.vantocorp.quelby.wendle.desktop share/man/man1/wendle.1.gz
        share/xscreensaver/config/wendle.xml libexec/xscreensaver/wendle
        share/wendle/com.vantocorp.quelby.wendle-idle.desktop)
fi
for file in "${expected[@]}"; do
    [ -e "$usr/$file" ] || fail "not installed: /usr/$file"
done
if [ "$saver" = 1 ]; then
    [ "$(readlink -f "$usr/libexec/xscreensaver/wendle")" = "$(readlink -f "$usr/bin/wendle")" ] ||
        fail "xscreensaver's wendle is not the installed program"
fi
ldd "$usr/bin/quelby" | grep -q "not found" && fail "quelby misses libraries"

shopt -s nullglob # the idle mode's autostart entry comes with the saver
for entry in "$usr"/share/applications/*.desktop "$usr"/share/wendle/*.desktop; do
    desktop-file-validate "$entry" || fail "invalid desktop entry $entry"
    program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
    [ -x "$usr/bin/$program" ] || fail "$entry starts $program, which is not installed"
done
appstreamcli validate-tree --no-net "$root" >"$scratch/appstream.log" 2>&1 ||
    { cat "$scratch/appstream.log" >&2; fail "AppStream metadata does not validate"; }
for manual in "$usr"/share/man/man1/*.1.gz; do
    warnings=$(MANWIDTH=80 man --warnings -l "$manual" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$manual: $warnings"
done

dpkg --root="$root" --force-not-root --force-script-chrootless --log=/dev/null -P quelby >/dev/null ||
    fail "dpkg could not remove quelby"
left=$(find "$root" -path "$root/var" -prune -o ! -type d -print)
[ -z "$left" ] || fail "left after removal: $left"
echo "package $(basename "$deb") ($(stat -c %s "$deb") bytes) installs and removes cleanly"

if ! command -v lintian >/dev/null; then
    echo "SKIP: lintian is not installed (scripts/ensure-packages.sh lists it)"
    exit 77
fi
lintian --fail-on error "$deb" >"$scratch/lintian.log" 2>&1 ||
    { cat "$scratch/lintian.log" >&2; fail "lintian finds errors in $(basename "$deb")"; }
