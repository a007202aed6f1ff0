#!/usr/bin/env bash
# Installs the Debian packages the project needs, and only those that are missing.
#   scripts/setup.sh run    what building and running Pallisto need
#   scripts/setup.sh test   that, plus the tools of the tests, benchmarks, fuzzing,
#                           screenshots and the Debian package
# Safe to run again and again: when everything is present it does nothing.
set -euo pipefail

layer=${1:-run}

run_packages=(
    # build
    g++ cmake ninja-build make qt6-base-dev
    # opening a document in its application on Linux
    xdg-utils
    # a native window under Wayland, and the desktop's theme on GNOME
    qt6-wayland qt6-gtk-platformtheme
)
test_packages=(
    # benchmarks (in-process and whole-process) and fuzzing
    libbenchmark-dev hyperfine clang-14 libclang-rt-14-dev
    # validators run by the tests
    desktop-file-utils appstream
    # screenshots and the real-display checks, also under Wayland and a dark theme
    xvfb xauth xdotool x11-utils imagemagick weston gnome-themes-extra
    # the drag source of the screenshots (GTK from the system's python3)
    python3-gi gir1.2-gtk-3.0
    # ImageMagick's SVG reader, for data/render-artwork.sh
    libmagickcore-6.q16-6-extra
    # fonts, so that headless renders show text
    fonts-dejavu-core
    # copies on a file system that shares blocks
    btrfs-progs
    # the Debian package: dpkg-shlibdeps, and its checker
    dpkg-dev lintian
)

case "$layer" in
    run) packages=("${run_packages[@]}") ;;
    test) packages=("${run_packages[@]}" "${test_packages[@]}") ;;
    *) echo "usage: $0 [run|test]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
    echo "Pallisto needs these Debian packages, which are not installed:" >&2
    echo "  ${missing[*]}" >&2
    echo "Install them with:" >&2
    echo "  sudo apt-get update && sudo apt-get install -y --no-install-recommends ${missing[*]}" >&2
    exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
