#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, only those missing.
set -euo pipefail

packages=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-qpa-plugins libqt6sql6-sqlite libgl-dev
          librtmidi-dev libasound2-dev libgtest-dev jackd2 xvfb xauth libxtst6
          qemu-system-x86 busybox-static)
# Icons, manual pages and the user manual made at build time; the Debian package and the
# validators of what is installed.
packages+=(librsvg2-bin scdoc cmark dpkg-dev fakeroot file man-db shared-mime-info
           desktop-file-utils appstream lintian)
# The fuzz targets: clang and its libFuzzer runtime.
packages+=(clang libclang-rt-14-dev)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
