#!/usr/bin/env bash
# Installs the build into a staging folder without root and checks what a desktop needs there:
# every file in its place, the desktop entry and the metadata valid, the file types known, the
# manual pages rendering without warnings and naming every command and option their programs
# list, and the programs answering --help and --version without a display.
#   check-staged.sh <build folder>
set -euo pipefail
build=$1
id=org.zel1edit.ZEL1Edit
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$stage/usr" >/dev/null
share=$stage/usr/share

for file in bin/zel1edit bin/zel1-cli bin/zel1-emulator \
            share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
            share/mime/packages/$id.xml share/icons/hicolor/scalable/apps/$id.svg \
            share/man/man1/zel1edit.1.gz share/man/man1/zel1-cli.1.gz \
            share/man/man1/zel1-emulator.1.gz share/zel1edit/manual.html \
            share/doc/zel1edit/copyright share/doc/zel1edit/changelog.gz; do
    [ -s "$stage/usr/$file" ] || fail "the staged install has no $file"
done
for size in 16 32 48 64 128 256; do
    png=$share/icons/hicolor/${size}x${size}/apps/$id.png
    file "$png" | grep -q "PNG image data, $size x $size," || fail "no $size px icon: $png"
done

desktop-file-validate "$share/applications/$id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" || fail "appstreamcli"

# The file types: the definition is read and each extension names its type.
update-mime-database "$share/mime" >/dev/null 2>&1 || fail "update-mime-database"
for pair in zel:sound zas:all-sounds zeg:group zag:all-groups; do
    grep -q "^application/x-zel1-${pair#*:}:\*\.${pair%%:*}$" "$share/mime/globs" ||
        fail "no file type for .${pair%%:*}"
done
grep -q "<h2>Command-line librarian</h2>" "$share/zel1edit/manual.html" &&
    ! grep -q "<h2>Layout</h2>" "$share/zel1edit/manual.html" || fail "the user manual's sections"

export -n DISPLAY WAYLAND_DISPLAY
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
version=$(sed -n 's/^project(ZEL1Edit VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../../CMakeLists.txt")
for program in zel1edit zel1-cli zel1-emulator; do
    answer=$(timeout 20 "$stage/usr/bin/$program" --version) || fail "$program --version"
    [ "$answer" = "$program $version" ] || fail "$program --version said \"$answer\""
    help=$(timeout 20 "$stage/usr/bin/$program" --help) || fail "$program --help"

    page=$share/man/man1/$program.1.gz
    warnings=$(LC_ALL=C.UTF-8 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$program(1) renders with warnings: $warnings"
    text=$(LC_ALL=C.UTF-8 MANWIDTH=250 man -E UTF-8 -l "$page" 2>/dev/null)
    # Every option --help lists, and every command of zel1-cli, is in the manual page.
    names=$(grep -o -- '--[a-z][a-z-]*' <<<"$help" | sort -u)
    if [ "$program" = zel1-cli ]; then
        names+=$'\n'$(sed -n '/^Commands:/,/^$/s/^  \([a-z][a-z-]*\) .*/\1/p' <<<"$help" | sort -u)
    fi
    for name in $names; do
        grep -qw -- "$name" <<<"$text" || fail "$program(1) does not mention $name"
    done
    echo "$program: --version, --help and $(wc -w <<<"$names") names in its manual page"
done
echo "staged install: every file in place and valid"
