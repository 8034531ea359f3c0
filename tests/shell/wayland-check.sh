# Usage: wayland-check.sh <test program> <test function> <width>x<height>...: runs the test
# on a headless weston of each size; skips (77) where weston cannot run.
program=$1 function=$2 && shift 2
export XDG_RUNTIME_DIR="$(mktemp -d)" WAYLAND_DISPLAY=tolvanmere-test QT_QPA_PLATFORM=wayland
export QT_IM_MODULE=none  # typed keys need no input method (headless weston has no seat)
# Under the sanitizers, Mesa's EGL (loaded by Qt's Wayland client) keeps a buffer that it
# never frees and whose library is gone by exit, so no suppression can name it. The same
# window code is leak-checked by the offscreen tests; here only the leak check is off.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
trap 'kill $weston 2>/dev/null; rm -rf "$XDG_RUNTIME_DIR"' EXIT
for size in "$@"; do
    weston --backend=headless-backend.so --width="${size%x*}" --height="${size#*x}" \
        --socket=$WAYLAND_DISPLAY --idle-time=0 >"$XDG_RUNTIME_DIR/log" 2>&1 & weston=$!
    for i in $(seq 50); do [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] || sleep 0.1; done
    [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] || { echo "SKIP: no weston:"; cat "$XDG_RUNTIME_DIR/log"; exit 77; }
    "$program" "$function" || exit 1
    kill $weston; wait $weston 2>/dev/null
done
