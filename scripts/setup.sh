#!/usr/bin/env bash
# Installs the Debian packages the project needs, and only those that are missing.
# Safe to run again and again: when everything is present it does nothing.
set -euo pipefail

packages=(
    # build
    cmake g++ ninja-build make qt6-base-dev
    # opening a document in its application on Linux
    xdg-utils
    # benchmarks and fuzzing
    libbenchmark-dev clang-14 libclang-rt-14-dev
    # the Qt-free dimension model is tested with GoogleTest
    libgtest-dev
    # validators run by the tests
    desktop-file-utils appstream
    # screenshots and the real-display checks
    xvfb xauth xdotool x11-utils imagemagick weston qt6-wayland
    # fonts, so that headless renders show text
    fonts-dejavu-core
)

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
    echo "  sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
    exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
