#!/usr/bin/env bash
# Usage: run-e2e.sh ZEL1_EMULATOR E2E_TESTS [gtest options...]
# Starts a JACK server of its own (dummy driver: no sound card needed) and virtual ZEL-1s on it,
# runs the end-to-end tests against them, and stops everything it started, whatever happens.
set -euo pipefail
emulator=$1
tests=$2
shift 2

# A private server name, so a JACK the user runs, or a parallel run, is never touched.
export JACK_DEFAULT_SERVER="zel-e2e-$$"
export JACK_NO_AUDIO_RESERVATION=1
workdir=$(mktemp -d)
pids=()

cleanup() {
    local status=$?
    # Emulators first, the server last.
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null || true
        wait "${pids[i]}" 2>/dev/null || true
    done
    if [ "$status" -ne 0 ]; then
        for log in "$workdir"/*.log; do
            [ -e "$log" ] && { echo "--- $(basename "$log")"; cat "$log"; }
        done
    fi
    rm -rf "$workdir"
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

if ! command -v jackd >/dev/null; then
    echo "jackd is missing (Debian package jackd2)" >&2
    exit 1
fi

# As a user's server runs: asynchronous, with the default client time-out. (A synchronous server
# waits for a client that was killed, for its whole time-out on every cycle, until it gives up:
# with 10 s that stalled every client for minutes.)
jackd --no-realtime -d dummy --rate 48000 --period 256 >"$workdir/jackd.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
    if jack_wait --check 2>/dev/null | grep -qx running; then break; fi
    sleep 0.1
done
if ! jack_wait --check 2>/dev/null | grep -qx running; then
    echo "the JACK server did not start" >&2
    exit 1
fi

# Starts one emulator (or another program given as PROGRAM=path) and waits until it says where
# it listens.
start_emulator() {
    local name=$1
    shift
    "${PROGRAM:-$emulator}" --name "$name" "$@" >"$workdir/$name.log" 2>&1 &
    pids+=($!)
    for _ in $(seq 100); do
        if grep -q listening "$workdir/$name.log"; then return 0; fi
        if ! kill -0 "${pids[-1]}" 2>/dev/null; then break; fi
        sleep 0.1
    done
    echo "zel1-emulator \"$name\" did not start" >&2
    exit 1
}

# Tests that start and stop an emulator of their own.
export ZEL_E2E_EMULATOR="$emulator"
export ZEL_E2E_JACK_NAME="ZEL-1 E2E"
export ZEL_E2E_PROTECTED_NAME="ZEL-1 E2E Protected"
start_emulator "$ZEL_E2E_JACK_NAME" --api jack --cable-speed
start_emulator "$ZEL_E2E_PROTECTED_NAME" --api jack --protect --cable-speed
if [ -n "${ZEL_E2E_PEER:-}" ]; then
    export ZEL_E2E_PEER_NAME="ZEL-1 E2E Peer"
    export ZEL_E2E_PEER_MODE="$workdir/peer-mode"
    echo normal >"$ZEL_E2E_PEER_MODE"
    PROGRAM=$ZEL_E2E_PEER start_emulator "$ZEL_E2E_PEER_NAME" "$ZEL_E2E_PEER_MODE"
fi
if [ -e /dev/snd/seq ]; then
    export ZEL_E2E_ALSA_NAME="ZEL-1 E2E ALSA"
    start_emulator "$ZEL_E2E_ALSA_NAME" --api alsa
fi

"$tests" "$@"

# The command-line librarian against the same emulators, when it was built.
if [ -n "${ZEL1_CLI:-}" ]; then
    cli_round() {
        local start
        start=$(date +%s%N)
        "$(dirname "$0")/cli-e2e.sh" "$ZEL1_CLI" >&2 || exit 1
        echo $((($(date +%s%N) - start) / 1000000))
    }
    before=$(cli_round)
    if [ -n "${ZEL_E2E_PEER:-}" ]; then
        "$(dirname "$0")/peer-e2e.sh" "$ZEL1_CLI"
    fi
    # A client killed without a word must not stall the server for everyone else: the same
    # round of the librarian takes about as long after it as before.
    start_emulator "ZEL-1 E2E Doomed" --api jack
    { kill -KILL "${pids[-1]}" && wait "${pids[-1]}"; } 2>/dev/null || true
    after=$(cli_round)
    echo "run-e2e: the librarian's round took $before ms, $after ms after a client was killed"
    if [ "$after" -gt $((before + 10000)) ]; then
        echo "run-e2e: the server stalled after a client was killed" >&2
        exit 1
    fi
fi
