#!/usr/bin/env bash
# Installs what is missing, builds, and makes the Debian package in build/package, checked by
# lintian. Beside it, in build/package/screenshots, go the pictures that the AppStream metadata
# names, for publishing where its screenshot address points.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
mkdir -p build/package/screenshots
for window in Sounds Groups envelope; do
    tests/ui/screenshot.sh build/zel1edit \
        "build/package/screenshots/zel1edit-${window,,}.png" "$window" >/dev/null
done
tests/package/check-deb.sh build
