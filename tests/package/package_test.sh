#!/bin/sh
# The Debian package of a built tree: CPack makes it, lintian finds no error or warning in
# it, and unpacked into a temporary root both programs run from there with a fresh home
# folder. Skipped (77) when a Debian tool is missing.
# usage: package_test.sh CPACK BUILD_DIR APP_ID VERSION
set -u
cpack=$1 build=$2 id=$3 version=$4
for tool in dpkg-deb dpkg-shlibdeps lintian; do
    command -v $tool >/dev/null || { echo "SKIPPED: $tool is not installed"; exit 77; }
done
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAILED: $*"; exit 1; }

out=$("$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$tmp/out" 2>&1) || fail "cpack: $out"
deb=$(ls "$tmp"/out/zelkor_*.deb)
fields=$(dpkg-deb -f "$deb" Section Depends | tr '\n' ' ')
echo "$fields" | grep -E '^Section: games Depends: .*libqt6widgets6' >/dev/null || fail "$fields"
out=$(lintian --fail-on error,warning "$deb" 2>&1) || fail "lintian: $out"

root=$tmp/root
dpkg-deb -x "$deb" "$root" || fail dpkg-deb
for file in games/zelkor games/zelkor-cli share/zelkor/manual.md share/man/man6/zelkor.6.gz \
    share/man/man6/zelkor-cli.6.gz share/metainfo/$id.metainfo.xml \
    share/icons/hicolor/scalable/apps/$id.svg share/icons/hicolor/48x48/apps/$id.png; do
    [ -f "$root/usr/$file" ] || fail "$file is missing"
done
grep -x "Icon=$id" "$root/usr/share/applications/$id.desktop" >/dev/null || fail "the entry's icon"

# The first start in a fresh home copies the shipped files; then a game is played.
home=$tmp/home
mkdir "$home"
out=$(env -u XDG_DATA_HOME HOME="$home" "$root/usr/games/zelkor-cli" selfplay --depth 1 2>&1)
echo "$out" | grep '^total: 1 games' >/dev/null || fail "selfplay: $out"
for file in variants.ini zelkor.bok "white bookgames/01-halma.zlk" "black bookgames/11-rank-race.zlk"; do
    cmp -s "$root/usr/share/zelkor/$file" "$home/.local/share/zelkor/$file" || fail "$file not copied"
done
out=$(env -u DISPLAY -u WAYLAND_DISPLAY HOME="$home" QT_QPA_PLATFORM=offscreen \
    "$root/usr/games/zelkor" --version 2>&1)
[ "$out" = "Zelkor $version" ] || fail "zelkor --version: $out"
echo "$(basename "$deb"): $(stat -c %s "$deb") bytes"
