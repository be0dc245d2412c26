#!/usr/bin/env bash
# Installs what is missing, builds, and starts the editor on the built-in virtual ZEL-1.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "zel1edit needs a display (DISPLAY or WAYLAND_DISPLAY is not set)." >&2
    echo "Run it inside a desktop session, or under Xvfb: xvfb-run build/zel1edit --virtual-synth" >&2
    exit 1
fi
exec build/zel1edit --virtual-synth "$@"
