#!/bin/sh
# The command line as a terminal user meets it. Usage: cli-check.sh <tolvanmere>
set -u
game=$1
fail() { echo "FAIL: $*"; exit 1; }
out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$game" --help 2>&1) || fail "--help exits $?"
echo "$out" | grep -q -- "--version" || fail "--help lists no options: $out"
out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$game" --version 2>&1) || fail "--version exits $?"
echo "$out" | grep -q "^Tolvanmere [0-9]" || fail "--version prints: $out"
out=$("$game" --no-such-option 2>&1)
[ $? -eq 2 ] && [ "$(echo "$out" | wc -l)" -eq 1 ] || fail "an unknown option gives: $out"
out=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$game" 2>&1)
[ $? -eq 1 ] && [ "$(echo "$out" | wc -l)" -eq 1 ] && echo "$out" | grep -q "no display" \
    || fail "without a display: $out"
echo "command line fine"
