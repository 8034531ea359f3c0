#!/bin/sh
# Builds the Debian package from the build tree and checks it as the distribution would:
# its files, its dependencies and lintian. Exits 77 (skipped) when a tool is missing.
# usage: package-check.sh <cpack> <build dir>
set -eu
cpack_exe="$1"
build="$2"
for tool in "$cpack_exe" dpkg-deb dpkg-shlibdeps lintian; do
    command -v "$tool" >/dev/null 2>&1 || {
        echo "SKIPPED: $tool is missing (scripts/install-deps installs dpkg-dev and lintian)"
        exit 77
    }
done
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
"$cpack_exe" -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 \
    || { cat "$out/cpack.log"; exit 1; }
deb=$(ls "$out"/tolvanmere_*.deb)
echo "built $(basename "$deb")"

status=0
dpkg-deb --contents "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$out/files"
id=org.tolvanmere.Tolvanmere
for path in /usr/games/tolvanmere /usr/games/tolvanmere-selfplay \
    /usr/share/applications/$id.desktop /usr/share/metainfo/$id.metainfo.xml \
    /usr/share/icons/hicolor/scalable/apps/$id.svg /usr/share/icons/hicolor/48x48/apps/$id.png \
    /usr/share/man/man6/tolvanmere.6.gz /usr/share/man/man6/tolvanmere-selfplay.6.gz \
    /usr/share/doc/tolvanmere/copyright /usr/share/doc/tolvanmere/changelog.gz; do
    if grep -qx "$path" "$out/files"; then echo "ok: $path"; else echo "MISSING: $path"; status=1; fi
done
if grep -q '^/usr/bin/' "$out/files"; then echo "a program landed in /usr/bin, not /usr/games"; status=1; fi

field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = tolvanmere ] || { echo "package is not named tolvanmere"; status=1; }
[ "$(field Section)" = games ] || { echo "section is not games"; status=1; }
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || { echo "wrong architecture"; status=1; }
depends="$(field Depends)"
echo "Depends: $depends"
case "$depends" in
    *libqt6widgets6*) ;;
    *) echo "dependencies were not computed from the programs"; status=1 ;;
esac
if echo "$depends" | tr ',' '\n' | grep -q -- '-dev\b'; then echo "depends on a development package"; status=1; fi

# The menu entry must start the program the package installs.
dpkg-deb --fsys-tarfile "$deb" | tar -xO "./usr/share/applications/$id.desktop" >"$out/entry"
exec_line=$(sed -n 's/^Exec=//p' "$out/entry")
grep -qx "${exec_line%% *}" "$out/files" || { echo "Exec=$exec_line is not in the package"; status=1; }

# Errors and warnings fail; what remains on purpose is in packaging/debian/tolvanmere.lintian-overrides.
lintian --pedantic --info "$deb" >"$out/lintian" 2>&1 || true
grep -v '^running with root' "$out/lintian" || true
if grep -q '^[EW]:' "$out/lintian"; then echo "lintian reports errors or warnings"; status=1; fi
[ $status -eq 0 ] && echo "package valid"
exit $status
