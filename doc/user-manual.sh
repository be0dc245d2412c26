#!/bin/sh
# Makes the user manual, one HTML page, from the README: every section except those for the
# program's developers (how the sources are laid out, the latency bench).
#   user-manual.sh README.md manual.html VERSION
set -eu
readme=$1
out=$2
version=$3
tmp="$out.tmp"
{
    cat <<HEAD
<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<title>ZEL-1 Edit $version: user manual</title>
<style>
body { font-family: sans-serif; max-width: 50em; margin: 2em auto; padding: 0 1em; line-height: 1.45; }
pre { background: #f2f2f2; padding: 0.6em; overflow-x: auto; }
code { font-size: 95%; }
</style>
</head>
<body>
HEAD
    awk '
        /^## / { skip = ($0 == "## Layout" || $0 == "## MIDI thru latency") }
        !skip
    ' "$readme" | cmark --safe
    printf '<hr>\n<p>ZEL-1 Edit %s</p>\n</body>\n</html>\n' "$version"
} > "$tmp"
mv "$tmp" "$out"
