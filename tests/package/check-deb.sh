#!/usr/bin/env bash
# Builds the Debian package from a build folder, has lintian look at it, and unpacks it into a
# temporary folder, where the programs must answer --version without a display.
#   check-deb.sh <build folder>
set -euo pipefail
build=$(realpath "$1")
fail() { echo "FAIL: $*" >&2; exit 1; }

rm -f "$build"/package/*.deb
(cd "$build" && cpack --config CPackConfig.cmake >/dev/null) || fail "cpack"
deb=$(ls "$build"/package/*.deb)
echo "package: $deb"
dpkg-deb -f "$deb" Package Version Depends

start=$(date +%s)
lintian --fail-on error --tag-display-limit 0 "$deb" || fail "lintian found errors"
echo "lintian: no errors ($(($(date +%s) - start)) s)"

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
for program in zel1edit zel1-cli zel1-emulator; do
    answer=$(timeout 20 "$unpacked/usr/bin/$program" --version) || fail "$program --version"
    echo "unpacked: $answer"
done
