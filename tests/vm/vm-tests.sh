#!/usr/bin/env bash
# Usage (inside the kernel VM): vm-tests.sh ZEL_VM_TESTS ZEL1_EMULATOR ZEL1_CLI
# The driver tests, then the command-line librarian against the emulator, both on ALSA.
set -uo pipefail
tests=$1
emulator=$2
cli=$3
status=0
"$tests" || status=1

work=$(mktemp -d)
fail() {
    echo "vm cli: $*" >&2
    status=1
}
"$emulator" --api alsa --name "ZEL-1 VM" >"$work/emulator.log" 2>&1 &
pid=$!
for _ in $(seq 100); do
    grep -q listening "$work/emulator.log" && break
    sleep 0.1
done
device() {
    "$cli" ports | awk -v section="MIDI $1:" -v prefix="  $2" '
        /^MIDI / { inside = ($0 == section); next }
        inside && !found && index($0, prefix) == 1 { print substr($0, 3); found = 1 }'
}
synth=(--in "$(device In "ZEL-1 VM Out:")" --out "$(device Out "ZEL-1 VM In:")" --channel 1)
if "$cli" "${synth[@]}" get-sounds "$work/first.zas"; then
    echo "vm cli: get-sounds gave $(stat -c %s "$work/first.zas") bytes"
    # The same sounds in another order go to the synth and come back.
    tail -c +1381 "$work/first.zas" | head -c 1380 >"$work/turned.zas"
    head -c 1380 "$work/first.zas" >>"$work/turned.zas"
    tail -c 1 "$work/first.zas" >>"$work/turned.zas"
    "$cli" "${synth[@]}" put-sounds "$work/turned.zas" || fail "put-sounds failed"
    "$cli" "${synth[@]}" get-sounds "$work/again.zas" || fail "the second get-sounds failed"
    cmp -s "$work/turned.zas" "$work/again.zas" || fail "the sounds put are not the sounds got"
else
    fail "get-sounds failed"
fi
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
[ "$status" -eq 0 ] || cat "$work/emulator.log"
rm -rf "$work"
[ "$status" -eq 0 ] && echo "vm cli: get-sounds, put-sounds, get-sounds: the same sounds"
exit "$status"
