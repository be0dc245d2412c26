#!/usr/bin/env bash
# What the editor costs a JACK system while it sits idle, and how long it takes to show its
# window with and without a JACK server, on a JACK server of its own (dummy driver).
#   bench/idle-and-start.sh [build dir] [idle seconds] [starts]
# Prints the median start-to-window time of STARTS starts without and with the server, then, for
# an editor left idle for IDLE SECONDS: the client registrations, unregistrations and graph
# reorders jack_evmon saw, and the share of one processor the editor used. The editor runs on
# the offscreen platform with a settings folder of its own, on the built-in virtual ZEL-1 (so no
# dialog waits for ports), with every MIDI system it finds started as always.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
idle=${2:-60}
starts=${3:-11}
for tool in jackd jack_evmon jack_wait; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (Debian package jackd2)" >&2; exit 1; }
done
[ -x "$build/zel1edit" ] || { echo "build zel1edit first" >&2; exit 1; }

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
export QT_QPA_PLATFORM=offscreen JACK_DEFAULT_SERVER="zel-idle-$$" JACK_NO_AUDIO_RESERVATION=1
mkdir -p "$XDG_CONFIG_HOME"

# Median time of the editor from its launch to its shown window (the editor prints the moment
# it showed it, in ms since the epoch), and median time of the whole run to its end.
median() {
    sort -n -k"$1,$1" "$work/starts" | awk -v c="$1" '{ v[NR] = $c } END { printf "%.3f", v[int((NR + 1) / 2)] / 1000 }'
}
start_time() {
    for _ in $(seq "$starts"); do
        local launched shown ended
        launched=$(date +%s%3N)
        shown=$("$build/zel1edit" --virtual-synth --quit-when-shown 2>/dev/null | awk '/^shown-at-ms/ { print $2 }')
        ended=$(date +%s%3N)
        echo "$((shown - launched)) $((ended - launched))"
    done >"$work/starts"
    printf '%s %s\n' "$(median 1)" "$(median 2)"
}
without=$(start_time)

jackd --no-realtime -d dummy --rate 48000 --period 128 >"$work/jackd.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do
    jack_wait --check 2>/dev/null | grep -qx running && break
    sleep 0.1
done
with=$(start_time)

"$build/zel1edit" --virtual-synth >"$work/editor.log" 2>&1 &
editor=$!
pids+=($editor)
sleep 3
jack_evmon >"$work/evmon.log" 2>&1 &
pids+=($!)
sleep 0.5
ticks=$(getconf CLK_TCK)
cpu() { awk '{ print $14 + $15 }' "/proc/$editor/stat"; }
before=$(cpu)
sleep "$idle"
after=$(cpu)
registered=$(grep -c 'Client .* registered' "$work/evmon.log" || true)
unregistered=$(grep -c 'Client .* unregistered' "$work/evmon.log" || true)
reorders=$(grep -ci 'graph reorder' "$work/evmon.log" || true)
read -r without_shown without_run <<<"$without"
read -r with_shown with_run <<<"$with"
printf 'start to shown window (median of %d): %s s without JACK, %s s with JACK (ratio %.2f)\n' \
    "$starts" "$without_shown" "$with_shown" "$(echo "$with_shown / $without_shown" | bc -l)"
printf 'whole run to its end: %s s without JACK, %s s with JACK\n' "$without_run" "$with_run"
printf 'idle %d s: %d client registrations, %d unregistrations, %d graph reorders; %.2f %% of a processor\n' \
    "$idle" "$registered" "$unregistered" "$reorders" \
    "$(echo "($after - $before) * 100 / $ticks / $idle" | bc -l)"
