#!/usr/bin/env bash
# Usage: peer-e2e.sh ZEL1_CLI
# zel1-cli against zel_e2e_peer (started by run-e2e.sh as ZEL_E2E_PEER_NAME, its behaviour in the
# file ZEL_E2E_PEER_MODE): every misbehaviour ends with its message and exit code, writes no
# file when it fails, and leaves the next command working.
set -euo pipefail
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "peer-e2e: $*" >&2
    exit 1
}

device() {
    "$cli" ports | awk -v section="MIDI $1:" -v prefix="  $ZEL_E2E_PEER_NAME $2:" '
        /^MIDI / { inside = ($0 == section); next }
        inside && !found && index($0, prefix) == 1 { print substr($0, 3); found = 1 }'
}
peer=(--in "$(device In Out)" --out "$(device Out In)" --channel 1)

# run MODE EXPECTED_STATUS ARGS...: one command with the peer in MODE; its stderr in $work/err.
run() {
    local mode=$1 expected=$2 status=0
    shift 2
    echo "$mode" >"$ZEL_E2E_PEER_MODE"
    "$cli" "${peer[@]}" "$@" >"$work/out" 2>"$work/err" || status=$?
    echo normal >"$ZEL_E2E_PEER_MODE"
    [ "$status" -eq "$expected" ] ||
        fail "$mode: $* ended with $status, not $expected: $(cat "$work/err")"
}

# The reference: sound 3 and all sounds as the synth holds them.
run normal 0 get-sound 3 "$work/three.zel"
run normal 0 get-sounds "$work/all.zas"

# next_works: the command after a failure gets the right data.
next_works() {
    run normal 0 get-sound 3 "$work/again.zel"
    cmp -s "$work/three.zel" "$work/again.zel" || fail "after $1 the next command got other data"
    rm -f "$work/again.zel"
}

run cut 0 get-sound 3 "$work/cut.zel"
cmp -s "$work/three.zel" "$work/cut.zel" || fail "a cut-off SysEx spoilt the reply after it"

run clock 0 get-sounds "$work/clock.zas"
cmp -s "$work/all.zas" "$work/clock.zas" || fail "a timing clock inside the dump spoilt it"

for mode in eight foreign late silent; do
    run "$mode" 1 get-sound 3 "$work/$mode.zel"
    [ ! -e "$work/$mode.zel" ] || fail "$mode: a failed get-sound wrote a file"
    [ -s "$work/err" ] || fail "$mode: failed without a message"
    case $mode in
    foreign) want="System Exclusive: Invalid manufacturer or product ID" ;;
    late | silent) want="System Exclusive: Timeout waiting for message from ZEL-1" ;;
    *) want="" ;;
    esac
    [ -z "$want" ] || grep -qx "$want" "$work/err" || fail "$mode: said $(cat "$work/err")"
    next_works "$mode"
done

# Silence after a put is no refusal, so only reading the sound back tells: the verified put
# fails and says why; without the check the put counts as taken.
run silent 1 put-sound 5 "$work/three.zel"
grep -q "could not be read back" "$work/err" || fail "a silent verified put said $(cat "$work/err")"
run silent 0 --no-verify put-sound 5 "$work/three.zel"
grep -q "^Sent .* to sound 5$" "$work/out" || fail "a silent put said $(cat "$work/out")"
echo "peer-e2e: every misbehaving reply ended as it should"
