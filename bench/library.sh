#!/usr/bin/env bash
# The sound library's figures: a generated tree of 10,000 files (about 50,000 sounds) for the
# scan, rescan and duplicates, and one of 20,000 files (about 100,000 sounds) for the search and
# the opening of the list. The goals: first scan at most 10 s, unchanged rescan at most 1 s,
# search p95 at most 20 ms, opened in at most 0.3 s and under 80 MB, duplicates exactly the
# planted ones. Nothing here runs in the test command.
#   bench/library.sh [build dir] [work dir]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
work=${2:-$(mktemp -d /tmp/zel-library-bench.XXXXXX)}
for tool in zel1-library-tree zel1-library-bench; do
    [ -x "$build/$tool" ] || { echo "build $tool first" >&2; exit 1; }
done
mkdir -p "$work"
for files in 10000 20000; do
    tree="$work/tree-$files"
    [ -d "$tree" ] || "$build/zel1-library-tree" "$tree" "$files" | sed "s/^/tree: /"
    echo "== $files files"
    "$build/zel1-library-bench" "$work/library-$files.sqlite" "$tree"
done
echo "(files in $work)"
