#!/bin/sh
# Validates the desktop entry and the AppStream metainfo as a software centre would.
# usage: validate-packaging.sh <packaging/linux dir>
set -eu
dir="$1"
id=org.tolvanmere.Tolvanmere
for tool in desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null || { echo "missing tool: $tool (scripts/install-deps installs it)"; exit 1; }
done
desktop-file-validate "$dir/$id.desktop"
appstreamcli validate --no-net --explain "$dir/$id.metainfo.xml"
# The entry, the metainfo and the icon must agree on the id.
grep -qx "Icon=$id" "$dir/$id.desktop" || { echo "Icon= is not $id"; exit 1; }
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$dir/$id.metainfo.xml" \
    || { echo "metainfo does not launch $id.desktop"; exit 1; }
for lang in de fr; do
    grep -q "^Comment\[$lang\]=" "$dir/$id.desktop" || { echo "no Comment[$lang] in the entry"; exit 1; }
    grep -q "<summary xml:lang=\"$lang\">" "$dir/$id.metainfo.xml" \
        || { echo "no summary in $lang in the metainfo"; exit 1; }
done
grep -q '<release version="0.3.9"' "$dir/$id.metainfo.xml" || { echo "no release 0.3.9"; exit 1; }
echo "packaging files valid"
