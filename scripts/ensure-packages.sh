# Installs the Debian packages that are missing; quick when all are there.
# Usage: ensure_packages NAME...
ensure_packages() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# dpkg-dev: the package's dependencies come from its dpkg-shlibdeps; libxss-dev:
# the X server's idle time for the saver's idle mode; libwayland-dev,
# libwayland-bin (wayland-scanner), wayland-protocols and
# plasma-wayland-protocols: the Wayland compositor's idle notifications for it
# (and the tests' stand-in compositor).
BUILD_PACKAGES=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-qpa-plugins libgl-dev libxcb1-dev
    libxss-dev libwayland-dev libwayland-bin wayland-protocols
    plasma-wayland-protocols libcdio-dev genisoimage xorriso
    fonts-dejavu-core dpkg-dev)
DEMO_PACKAGES=(xvfb xdotool imagemagick x11-utils)
# A window manager that draws decorations, for the frame's test.
WINDOW_MANAGER_PACKAGES=(openbox)
# The tests run the headless demo too, a session bus of their own for the
# wallpaper's D-Bus stand-ins, and make the .deb, check what it installs and
# have lintian check it.
TEST_PACKAGES=(libgtest-dev libgmock-dev dbus-daemon desktop-file-utils appstream man-db lintian
    "${DEMO_PACKAGES[@]}" "${WINDOW_MANAGER_PACKAGES[@]}")
# The benchmarks and the fuzz targets (README); the tests need neither.
BENCH_PACKAGES=(libbenchmark-dev feh xorriso xvfb xdotool)
FUZZ_PACKAGES=(clang libclang-rt-14-dev)
