#!/bin/sh
# The Debian package of a built tree: CPack makes it, lintian finds no error or warning in
# it, and unpacked into a temporary root both programs run from there with a fresh data
# folder. Skipped (77) when the Debian tools are missing.
# usage: package_test.sh CPACK BUILD_DIR APP_ID VERSION
set -u
cpack=$1
build=$2
id=$3
version=$4
for tool in dpkg-deb dpkg-shlibdeps lintian; do
    command -v $tool >/dev/null || { echo "SKIPPED: $tool is not installed"; exit 77; }
done
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAILED: $*"; exit 1; }

"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$tmp/out" >"$tmp/cpack.log" 2>&1 ||
    { cat "$tmp/cpack.log"; fail cpack; }
deb=$(ls "$tmp"/out/zelkor_*.deb)
dpkg-deb -f "$deb" Section Depends | tr '\n' ' ' | grep -E '^Section: games Depends: .*libqt6widgets6' >/dev/null ||
    fail "section and dependencies: $(dpkg-deb -f "$deb" Section Depends)"
tags=$(lintian --fail-on error,warning "$deb" 2>&1) || { echo "$tags"; fail lintian; }

root=$tmp/root
dpkg-deb -x "$deb" "$root" || fail dpkg-deb
for file in usr/games/zelkor usr/games/zelkor-cli usr/share/zelkor/manual.md \
    usr/share/applications/$id.desktop usr/share/metainfo/$id.metainfo.xml \
    usr/share/icons/hicolor/scalable/apps/$id.svg usr/share/icons/hicolor/48x48/apps/$id.png \
    usr/share/man/man6/zelkor.6.gz usr/share/man/man6/zelkor-cli.6.gz; do
    [ -f "$root/$file" ] || fail "$file is missing"
done
grep -x "Icon=$id" "$root/usr/share/applications/$id.desktop" >/dev/null || fail "the entry's icon"

# A first start in a fresh home copies the shipped files and plays a game.
home=$tmp/home
mkdir "$home"
played=$(env -u XDG_DATA_HOME HOME="$home" "$root/usr/games/zelkor-cli" selfplay --depth 1 2>&1) ||
    fail "selfplay: $played"
echo "$played" | grep '^total: 1 games' >/dev/null || fail "selfplay: $played"
for file in variants.ini zelkor.bok "white bookgames/01-halma.zlk" "black bookgames/11-rank-race.zlk"; do
    cmp -s "$root/usr/share/zelkor/$file" "$home/.local/share/zelkor/$file" || fail "$file was not copied"
done
answer=$(env -u DISPLAY -u WAYLAND_DISPLAY HOME="$home" QT_QPA_PLATFORM=offscreen \
    "$root/usr/games/zelkor" --version 2>&1)
[ "$answer" = "Zelkor $version" ] || fail "zelkor --version: $answer"
echo "$(basename "$deb"): $(stat -c %s "$deb") bytes"
