# The command line as a terminal shows it, with and without a display (ctest runs it by sh).
game=$1
nodisplay="env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb"
$nodisplay "$game" --help | grep -q -- --version || { echo "FAIL: --help"; exit 1; }
$nodisplay "$game" --version | grep -q "^Tolvanmere [0-9]" || { echo "FAIL: --version"; exit 1; }
"$game" --no-such-option 2>/dev/null; [ $? -eq 2 ] || { echo "FAIL: unknown option"; exit 1; }
[ "$($nodisplay "$game" 2>&1 | grep -c "no display")" -eq 1 ] || { echo "FAIL: no display"; exit 1; }
