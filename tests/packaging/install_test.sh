#!/usr/bin/env bash
# `cmake --install` lays out a desktop game: both programs (the game finding
# its audio module), a desktop entry, a metainfo file, the icon in three
# forms, the manual page and the documents, and the desktop's own validators
# accept what it installed.
# Usage: install_test.sh BUILD_DIR
set -euo pipefail
. "$(dirname "$0")/lib.sh"
build=$1

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix=$scratch/prefix
cmake --install "$build" --prefix "$prefix" >"$scratch/install.log"

app_id=org.example.Ludomyra
desktop=$prefix/share/applications/$app_id.desktop
metainfo=$prefix/share/metainfo/$app_id.metainfo.xml
icons=$prefix/share/icons/hicolor
docs=$prefix/share/doc/ludomyra

for file in "$prefix/bin/ludomyra" "$prefix/bin/ludomyra-tally"; do
    [ -x "$file" ] || fail "$file is not an installed program"
done
expect_audio_module "$prefix/bin/ludomyra" "$scratch"
for file in "$desktop" "$metainfo" "$icons/scalable/apps/$app_id.svg" \
    "$prefix/share/man/man6/ludomyra.6" "$docs/LICENSE" "$docs/SCOWL-COPYRIGHT.txt" \
    "$docs/ludomyra.service"; do
    [ -s "$file" ] || fail "$file is missing or empty"
done

# A PNG's width and height are the big-endian words at bytes 16 and 20.
png_size() {
    od -An -tu1 -j16 -N8 "$1" | awk '{ print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8 }'
}
for size in 48 256; do
    png=$icons/${size}x${size}/apps/$app_id.png
    [ -s "$png" ] || fail "no $size pixel icon"
    [ "$(png_size "$png")" = "${size}x${size}" ] || fail "$png is $(png_size "$png")"
done

desktop-file-validate "$desktop" || fail "desktop-file-validate refuses $desktop"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli refuses $metainfo"

# The entry starts a program and shows an icon that this install provides.
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[ -x "$prefix/bin/$exec_name" ] || fail "Exec=$exec_name is not installed"
# A click on a ludomyra:// link in a browser or chat program opens the game with it.
grep -q '^MimeType=.*x-scheme-handler/ludomyra;' "$desktop" ||
    fail "the entry does not take ludomyra:// links"
grep -q '^Exec=ludomyra %u$' "$desktop" || fail "the entry does not pass the link on"
icon_name=$(sed -n 's/^Icon=//p' "$desktop")
[ "$icon_name" = "$app_id" ] || fail "Icon=$icon_name does not name the installed icon"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
    fail "the metainfo does not launch the desktop entry"
grep -q '<release version="1.0.8"' "$metainfo" || fail "the metainfo lacks release 1.0.8"

warnings=$(groff -man -ww -z "$prefix/share/man/man6/ludomyra.6" 2>&1)
[ -z "$warnings" ] || fail "the manual page does not format cleanly: $warnings"

# Installed paths are the install's own, not the build's default prefix.
grep -q "^ExecStart=$prefix/bin/ludomyra --serve$" "$docs/ludomyra.service" ||
    fail "the service does not start this install's program"
echo "installed layout, desktop entry, metainfo, icons and manual page are valid"
