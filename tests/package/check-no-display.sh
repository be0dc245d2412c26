#!/usr/bin/env bash
# The editor started without a display: a clear message and exit status 1, never an abort, and
# an unknown option is still named.
set -uo pipefail
editor="$1"
fail() { echo "FAIL: $*" >&2; exit 1; }

run() {
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 20 "$editor" "$@" 2>&1
}
said=$(run) ; status=$?
[ "$status" = 1 ] || fail "without options: exit status $status: $said"
grep -q "no display" <<<"$said" || fail "without options said: $said"
said=$(run --bogus) ; status=$?
[ "$status" = 1 ] || fail "--bogus: exit status $status: $said"
grep -q "bogus" <<<"$said" || fail "--bogus said: $said"
echo "zel1edit without a display: says so"
