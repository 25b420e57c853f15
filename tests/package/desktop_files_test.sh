#!/bin/sh
# The AppStream metainfo, the desktop entry and the manual pages, as their validators and
# man see them: no error and no warning. Skipped (77) when a validator is missing.
# usage: desktop_files_test.sh SOURCE_DIR APP_ID
set -u
src=$1
id=$2
status=0
missing=""
check() {  # the output of a command that must say nothing worse than pedantic notes
    out=$("$@" 2>&1) || { echo "FAILED: $*"; echo "$out"; status=1; return; }
    if echo "$out" | grep -E '^(E|W):|: (error|warning): ' >/dev/null; then echo "FAILED: $*"; echo "$out"; status=1; fi
}
if command -v appstreamcli >/dev/null; then
    check appstreamcli validate --no-net "$src/tools/desktop/$id.metainfo.xml"
else missing="$missing appstreamcli"; fi
if command -v desktop-file-validate >/dev/null; then
    check desktop-file-validate "$src/tools/desktop/$id.desktop"
else missing="$missing desktop-file-validate"; fi
if command -v man >/dev/null && command -v groff >/dev/null; then
    for page in "$src"/docs/man/*.6; do
        warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
        [ -z "$warnings" ] || { echo "FAILED: man $page"; echo "$warnings"; status=1; }
    done
else missing="$missing man"; fi
[ $status -ne 0 ] && exit $status
[ -n "$missing" ] && { echo "SKIPPED: not installed:$missing"; exit 77; }
exit 0
