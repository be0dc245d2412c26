#!/usr/bin/env bash
# Starts the editor on the virtual ZEL-1 under a virtual X display with the settings dialog open
# and has it write a picture of the screen, or of one child window on the synth's first sound
# when a window name is given (nodes, envelope, modulation, lfo, vary). Fails when the editor does not start, does not end by
# itself, or leaves no PNG behind. The editor's settings and the synth's memory go to a folder of
# the test's own.
#   screenshot.sh <zel1edit> <picture.png> [window...]
# Naming windows ("Groups") pictures them instead of the settings dialog. ZEL_SCREEN sets the
# virtual screen (default 1024x768x24), for pictures at another QT_SCALE_FACTOR.
set -euo pipefail
program=$1
picture=$2
shift 2
windows=()
for window in "$@"; do
    windows+=(--screenshot-window "$window")
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p -m 700 "$work/runtime"
rm -f "$picture"

export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/runtime"
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY

if ! timeout 60 xvfb-run -a -s "-screen 0 ${ZEL_SCREEN:-1024x768x24}" \
        "$program" --virtual-synth --screenshot "$picture" "${windows[@]}"; then
    echo "zel1edit did not start and end cleanly under Xvfb" >&2
    exit 1
fi
if [ ! -s "$picture" ] || [ "$(head -c 8 "$picture" | od -An -tx1 | tr -d ' \n')" != "89504e470d0a1a0a" ]; then
    echo "zel1edit wrote no PNG to $picture" >&2
    exit 1
fi
# The virtual synth kept its memory for the next run.
if [ ! -s "$work/data/ZEL1Edit/virtual-zel1.mem" ]; then
    echo "the virtual ZEL-1 did not keep its memory" >&2
    exit 1
fi
echo "screenshot: $picture ($(stat -c %s "$picture") bytes)"
