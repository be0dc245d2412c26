#!/usr/bin/env bash
# Usage: cli-e2e.sh ZEL1_CLI
# Runs zel1-cli through the real MIDI system against the emulators that run-e2e.sh started
# (ZEL_E2E_JACK_NAME, ZEL_E2E_PROTECTED_NAME): a backup of all sounds and groups, one sound
# copied to another slot and read back, the groups put back, refusals by the memory-protected
# emulator and a wrong usage.
set -euo pipefail
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "cli-e2e: $*" >&2
    exit 1
}

# The first device of a section ("In" or "Out") of `zel1-cli ports` whose name starts with
# "EMULATOR WORD:" (an emulator's MIDI Out is our input, its MIDI In our output).
device() {
    "$cli" ports | awk -v section="MIDI $1:" -v prefix="  $2 $3:" '
        /^MIDI / { inside = ($0 == section); next }
        inside && !found && index($0, prefix) == 1 { print substr($0, 3); found = 1 }'
}

size_is() {
    local actual
    actual=$(stat -c %s "$1")
    [ "$actual" -eq "$2" ] || fail "$(basename "$1") has $actual bytes, not $2"
}

in=$(device In "$ZEL_E2E_JACK_NAME" Out)
out=$(device Out "$ZEL_E2E_JACK_NAME" In)
[ -n "$in" ] && [ -n "$out" ] || fail "zel1-cli ports does not list $ZEL_E2E_JACK_NAME"
synth=(--in "$in" --out "$out" --channel 1)

"$cli" "${synth[@]}" get-sounds "$work/all.zas" || fail "get-sounds failed"
size_is "$work/all.zas" 2761
"$cli" "${synth[@]}" get-groups "$work/all.zag" || fail "get-groups failed"
size_is "$work/all.zag" 1640
"$cli" "${synth[@]}" get-sound 3 "$work/three.zel" || fail "get-sound failed"
size_is "$work/three.zel" 138
cmp -s <(head -c $((138 * 4)) "$work/all.zas" | tail -c 138) "$work/three.zel" ||
    fail "sound 3 differs from its place in the all-sounds file"
"$cli" "${synth[@]}" put-sound 5 "$work/three.zel" || fail "put-sound failed"
"$cli" "${synth[@]}" get-sound 5 "$work/five.zel" || fail "get-sound of the copy failed"
cmp -s "$work/three.zel" "$work/five.zel" || fail "sound 5 is not the copy of sound 3"
"$cli" "${synth[@]}" put-groups "$work/all.zag" || fail "put-groups failed"
"$cli" "${synth[@]}" get-group 7 "$work/seven.zeg" || fail "get-group failed"
cmp -s <(head -c $((82 * 8)) "$work/all.zag" | tail -c 82) "$work/seven.zeg" ||
    fail "group 7 differs from its place in the all-groups file"

pin=$(device In "$ZEL_E2E_PROTECTED_NAME" Out)
pout=$(device Out "$ZEL_E2E_PROTECTED_NAME" In)
status=0
"$cli" --in "$pin" --out "$pout" --channel 1 put-sound 1 "$work/three.zel" 2>"$work/err" ||
    status=$?
[ "$status" -eq 1 ] || fail "put-sound to a protected synth ended with $status, not 1"
grep -qx "System Exclusive: Cannot write to ZEL-1 as memory protect is ON" "$work/err" ||
    fail "no memory-protect message: $(cat "$work/err")"
# That emulator runs at cable speed: its refusal of all sounds comes after 1.77 s on the wire.
status=0
"$cli" --in "$pin" --out "$pout" --channel 1 put-sounds "$work/all.zas" >"$work/out" 2>"$work/err" ||
    status=$?
[ "$status" -eq 1 ] || fail "put-sounds to a protected synth ended with $status, not 1"
grep -qx "System Exclusive: Cannot write to ZEL-1 as memory protect is ON" "$work/err" ||
    fail "no memory-protect message for put-sounds: $(cat "$work/err")"
! grep -q "^Sent" "$work/out" || fail "a refused put-sounds said $(cat "$work/out")"

status=0
"$cli" "${synth[@]}" get-sound 20 "$work/x.zel" 2>/dev/null || status=$?
[ "$status" -eq 2 ] || fail "a sound number of 20 ended with $status, not 2"
[ ! -e "$work/x.zel" ] || fail "a wrong usage wrote a file"

# A full disk (a file-size limit, its signal ignored): a backup and the virtual ZEL-1's memory file
# keep what they held, and the command fails with the system's reason.
export XDG_DATA_HOME="$work/data"
memory="$XDG_DATA_HOME/ZEL1Edit/virtual-zel1.mem"
"$cli" --virtual-synth put-sound 2 "$work/three.zel" >/dev/null || fail "virtual put-sound failed"
cp "$memory" "$work/memory.before"
cp "$work/all.zas" "$work/all.before"
status=0
(trap '' XFSZ; ulimit -f 1; "$cli" --virtual-synth get-sounds "$work/all.zas") 2>"$work/err" ||
    status=$?
[ "$status" -eq 1 ] || fail "get-sounds onto a full disk ended with $status, not 1"
grep -q "File too large" "$work/err" || fail "no reason for the failed save: $(cat "$work/err")"
cmp -s "$work/all.zas" "$work/all.before" || fail "a failed save changed the old backup"
status=0
(trap '' XFSZ; ulimit -f 1; "$cli" --virtual-synth put-sound 4 "$work/three.zel") \
    >/dev/null 2>"$work/err" || status=$?
[ "$status" -eq 1 ] || fail "a memory file that cannot be saved ended with $status, not 1"
grep -q "File too large" "$work/err" || fail "no reason for the lost memory: $(cat "$work/err")"
cmp -s "$memory" "$work/memory.before" || fail "a failed save changed the memory file"
echo "cli-e2e: zel1-cli passed against $ZEL_E2E_JACK_NAME"
