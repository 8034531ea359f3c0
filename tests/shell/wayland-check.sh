#!/bin/sh
# Plays into a round on a headless weston of each size; skips (77) where weston cannot run.
# Usage: wayland-check.sh <tst_wayland> <width>x<height>...
set -u
test_program=$1
shift
command -v weston >/dev/null || { echo "SKIP: weston is not installed"; exit 77; }
runtime=$(mktemp -d)
trap 'kill $weston 2>/dev/null; rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR=$runtime
for size in "$@"; do
    weston --backend=headless-backend.so --width="${size%x*}" --height="${size#*x}" \
        --socket=tolvanmere-test --idle-time=0 >"$runtime/weston.log" 2>&1 &
    weston=$!
    tries=0
    while [ ! -S "$runtime/tolvanmere-test" ]; do
        tries=$((tries + 1))
        if [ $tries -gt 100 ] || ! kill -0 $weston 2>/dev/null; then
            echo "SKIP: weston could not start here:"; cat "$runtime/weston.log"; exit 77
        fi
        sleep 0.1
    done
    echo "== $size"
    # Typed keys go through no input method: headless weston has no seat for one.
    WAYLAND_DISPLAY=tolvanmere-test QT_QPA_PLATFORM=wayland QT_IM_MODULE=none "$test_program" || exit 1
    kill $weston; wait $weston 2>/dev/null
done
