#!/bin/sh
# Installs the build into a temporary prefix and checks that the program, its desktop
# entry, its metainfo and its icons land in their standard places.
# usage: install-check.sh <cmake> <build dir>
set -eu
cmake_exe="$1"
build="$2"
id=org.tolvanmere.Tolvanmere
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
"$cmake_exe" --install "$build" --prefix "$prefix" >/dev/null

status=0
expect() {
    if [ -e "$prefix/$1" ]; then echo "ok: $1"; else echo "MISSING: $1"; status=1; fi
}
expect bin/tolvanmere
expect share/applications/$id.desktop
expect share/metainfo/$id.metainfo.xml
expect share/icons/hicolor/scalable/apps/$id.svg
[ -x "$prefix/bin/tolvanmere" ] || { echo "bin/tolvanmere is not executable"; status=1; }
pngs=$(find "$prefix/share/icons/hicolor" -path '*x*/apps/'"$id"'.png' | wc -l)
if [ "$pngs" -ge 1 ]; then echo "ok: $pngs PNG icon sizes"; else echo "MISSING: PNG icons"; status=1; fi
for png in $(find "$prefix/share/icons/hicolor" -name "$id.png"); do
    size=$(basename "$(dirname "$(dirname "$png")")")
    case "$size" in
        [0-9]*x[0-9]*) ;;
        *) echo "PNG icon in a non-size folder: $png"; status=1 ;;
    esac
done
# Nothing may land outside the prefix's standard folders.
stray=$(find "$prefix" -mindepth 1 -maxdepth 1 ! -name bin ! -name share ! -name lib ! -name lib64 | wc -l)
[ "$stray" -eq 0 ] || { echo "unexpected top-level entries in the prefix"; status=1; }
exit $status
