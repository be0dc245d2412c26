#!/usr/bin/env bash
# What the editor's MIDI thru adds to the latency, on a JACK server of its own (dummy driver,
# 48 kHz, 128 frames a period: no sound card needed). jack_midi_latency_test (from jackd2) sends
# note messages and times their return, once through a wire that passes them on within the same
# cycle (JACK does not loop a client's output into its own input), once through the thru:
# its output -> the audition input -> the synth's output port -> its input. Prints p50, p99 and
# the maximum of both runs (from the tool's 0.1 ms histogram: a bin's upper edge) and their
# difference. The goals: the thru adds at most one period plus 1 ms at p99, and loses nothing.
# Both paths are measured in RUNS runs of MESSAGES each; every message that did not come back is
# counted as lost, and the runs in which the server reported late cycles are counted apart.
# With BENCH_LOADED=1 every processor is kept busy meanwhile. The server runs with real-time scheduling where it may (as
# on a stage; BENCH_JACK_RT=--no-realtime to refuse it): without it, on a loaded machine the
# server abandons cycles whose clients did not finish in time, and a message written in such a
# cycle is lost on any path that crosses it.
#   bench/thru-latency.sh [build dir] [messages] [runs]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
messages=${2:-500}
runs=${3:-1}
period=128
rate=48000

for tool in jackd jack_midi_latency_test jack_wait jack_connect; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (Debian package jackd2)" >&2; exit 1; }
done
[ -x "$build/zel1-thru-bench" ] || { echo "build zel1-thru-bench first" >&2; exit 1; }

work=$(mktemp -d)
pids=()
if [ -z "${BENCH_JACK_RT:-}" ]; then
    chrt -f 10 true 2>/dev/null && BENCH_JACK_RT="-R -P 70" || BENCH_JACK_RT=--no-realtime
fi
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
if [ -n "${BENCH_LOADED:-}" ]; then
    for _ in $(seq "$(nproc)"); do
        sh -c 'while :; do :; done' &
        pids+=($!)
    done
fi

c++ -O2 -std=c++20 "$here/jack-wire.cpp" -o "$work/jack-wire" $(pkg-config --cflags --libs jack)

export JACK_DEFAULT_SERVER="zel-bench-$$" JACK_NO_AUDIO_RESERVATION=1
jackd $BENCH_JACK_RT --timeout 10000 -d dummy --rate $rate --period $period >"$work/jackd.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do
    jack_wait --check 2>/dev/null | grep -qx running && break
    sleep 0.1
done
jack_wait --check 2>/dev/null | grep -qx running || { echo "the JACK server did not start" >&2; exit 1; }

# Runs the latency test $runs times on each path; $1 names the path, the rest sets up what it
# goes through and leaves the two ports for the tool in $ports (where its output goes, where its
# input comes from). The tool connects them itself before it sends, so no message goes out before
# the connections carry. It gives up at the first message that does not come back: that message
# is counted as lost, with the run. Each run also counts the cycles the server reported late
# (its log's XRun lines): a cycle the kernel did not give the server's threads in time loses
# what was in flight on any path, and says nothing about the path itself.
declare -A sent lost tries complete xrun_runs lost_clean
failed=()
measure_runs() {
    local name=$1
    shift
    sent[$name]=0 lost[$name]=0 tries[$name]=0 complete[$name]=0 xrun_runs[$name]=0 lost_clean[$name]=0
    for run in $(seq "$runs"); do
        "$@"
        local before after s r missing
        before=$(grep -c XRun "$work/jackd.log" || true)
        tries[$name]=$((tries[$name] + 1))
        if timeout 120 jack_midi_latency_test -s "$messages" "${ports[@]}" >"$work/$name.try" 2>&1; then
            complete[$name]=$((complete[$name] + 1))
            cp "$work/$name.try" "$work/$name.txt"
            missing=0
            s=$messages
        else
            s=$(awk '/^Messages sent:/ { print $3 }' "$work/$name.try")
            r=$(awk '/^Messages received:/ { print $3 }' "$work/$name.try")
            s=${s:-0}
            missing=$((s - ${r:-0}))
        fi
        after=$(grep -c XRun "$work/jackd.log" || true)
        "${name}_end"
        sent[$name]=$((sent[$name] + s))
        lost[$name]=$((lost[$name] + missing))
        if [ "$after" -gt "$before" ]; then
            xrun_runs[$name]=$((xrun_runs[$name] + 1))
        else
            lost_clean[$name]=$((lost_clean[$name] + missing))
        fi
        if [ "$missing" -gt 0 ]; then
            local ports=""
            [ "$name" = thru ] && ports="; the thru's $(grep '^port in' "$work/bench.txt" || true)"
            failed+=("$name run $run: $(grep -E '^Messages (sent|received)' "$work/$name.try" | tr '\n' ' ')server XRun lines $((after - before))$ports")
        fi
    done
    [ "${complete[$name]}" -gt 0 ] || { echo "no $name run completed" >&2; cat "$work/$name.try" >&2; exit 1; }
}

wait_for_port() {
    for _ in $(seq 50); do
        jack_lsp | grep -q "$1" && return
        sleep 0.1
    done
    echo "no JACK port $1" >&2
    exit 1
}

direct() {
    "$work/jack-wire" wire &
    wire=$!
    wait_for_port '^wire:out$'
    ports=(wire:in wire:out)
}
direct_end() {
    kill "$wire" 2>/dev/null || true
    wait "$wire" 2>/dev/null || true
}

# The thru opens its ports onto two idle wires (nothing comes from the one, what goes to the other
# ends there), so they exist before the tool connects itself to them.
thru() {
    "$work/jack-wire" idle-in &
    idle_in=$!
    "$work/jack-wire" idle-out &
    idle_out=$!
    wait_for_port '^idle-out:in$'
    wait_for_port '^idle-in:out$'
    : >"$work/bench.txt"
    "$build/zel1-thru-bench" jack idle-in:out idle-out:in >"$work/bench.txt" 2>&1 &
    bench=$!
    for _ in $(seq 100); do
        grep -q ready "$work/bench.txt" && break
        sleep 0.1
    done
    # Its ports: the audition input and the synth's output.
    local input output
    input=$(jack_lsp | grep -E '^zel1-thru[^:]*:audition in$' | head -1)
    output=$(jack_lsp | grep -E '^zel1-thru[^:]*:ZEL-1 out$' | head -1)
    ports=("$input" "$output")
}
thru_end() {
    kill -INT "$bench" 2>/dev/null || true
    wait "$bench" 2>/dev/null || true
    kill "$idle_in" "$idle_out" 2>/dev/null || true
    wait "$idle_in" "$idle_out" 2>/dev/null || true
}

measure_runs direct direct
measure_runs thru thru

# p50, p99 and maximum in ms from the tool's report.
stats() {
    awk '
        BEGIN { n = 0 }
        # A message stamped earlier than it was sent (RtMidi writes at the start of a cycle) makes
        # the tool'"'"'s unsigned maximum wrap round.
        /^Highest latency:/ { max = ($3 > 1000000) ? "wrapped" : $3 }
        /^Messages received:/ { received = $3 }
        /^Latency Plot:/ { plot = 1; next }
        plot && / - [0-9.]+ ms: [0-9]+$/ { upper[n] = $3; count[n] = $5; n++ }
        plot && /> [0-9.]+ ms: [0-9]+$/ { upper[n] = ">" $2; count[n] = $NF; n++ }
        /^$/ { plot = 0 }
        END {
            total = 0; for (i = 0; i < n; i++) total += count[i]
            p50 = ""; p99 = ""; seen = 0
            for (i = 0; i < n; i++) {
                seen += count[i]
                if (p50 == "" && seen >= 0.50 * total) p50 = upper[i]
                if (p99 == "" && seen >= 0.99 * total) p99 = upper[i]
            }
            printf "%s %s %s %d %d\n", p50, p99, max, received, total
        }' "$1"
}
[ -n "${BENCH_KEEP:-}" ] && cp "$work/direct.txt" "$work/thru.txt" "$work/jackd.log" "$BENCH_KEEP"/
read -r d50 d99 dmax dn dh < <(stats "$work/direct.txt")
read -r t50 t99 tmax tn th < <(stats "$work/thru.txt")
printf 'JACK dummy driver (%s), %d Hz, %d frames a period (%.2f ms); %s messages a run%s\n' \
    "$BENCH_JACK_RT" $rate $period "$(echo "$period * 1000 / $rate" | bc -l)" "$messages" \
    "${BENCH_LOADED:+, every processor kept busy}"
# The percentiles come from the tool's latency histogram (0.1 ms bins, upper edge; ">x" is its
# overflow bin), the maximum from its "Highest latency" line.
difference() {
    case "$1$2" in *'>'* | *wrapped*) echo n/a ;; *) printf '%.2f' "$(echo "$2 - $1" | bc -l)" ;; esac
}
printf '%-8s %8s %8s %8s  (ms; messages received, in the histogram)\n' run p50 p99 max
printf '%-8s %8s %8s %8s  (%s, %s)\n' direct "$d50" "$d99" "$dmax" "$dn" "$dh"
printf '%-8s %8s %8s %8s  (%s, %s)\n' thru "$t50" "$t99" "$tmax" "$tn" "$th"
printf '%-8s %8s %8s %8s\n' added "$(difference "$d50" "$t50")" "$(difference "$d99" "$t99")" \
    "$(difference "$dmax" "$tmax")"
for name in direct thru; do
    printf '%-8s %d runs, %d complete, %d messages sent, %d lost; %d runs with late server cycles, %d lost in the others\n' \
        "$name:" "${tries[$name]}" "${complete[$name]}" "${sent[$name]}" "${lost[$name]}" \
        "${xrun_runs[$name]}" "${lost_clean[$name]}"
done
for line in "${failed[@]}"; do echo "failed $line"; done
