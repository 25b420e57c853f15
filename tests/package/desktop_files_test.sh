#!/bin/sh
# The AppStream metainfo, the desktop entry and the manual pages as their validators and man
# see them: no error, no warning. Skipped (77) when a tool is missing.
# usage: desktop_files_test.sh SOURCE_DIR APP_ID
set -u
for tool in appstreamcli desktop-file-validate man groff; do
    command -v $tool >/dev/null || { echo "SKIPPED: $tool is not installed"; exit 77; }
done
status=0
check() {  # the command must succeed and say nothing worse than a hint or a pedantic note
    out=$("$@" 2>&1) && ! echo "$out" | grep -E '^(E|W):|: (error|warning): ' >/dev/null ||
        { echo "FAILED: $*"; echo "$out"; status=1; }
}
check appstreamcli validate --no-net "$1/tools/desktop/$2.metainfo.xml"
check desktop-file-validate "$1/tools/desktop/$2.desktop"
for page in "$1"/docs/man/*.6; do
    check sh -c 'MANWIDTH=80 man --warnings -l "$0" 2>&1 >/dev/null | grep . && exit 1 || exit 0' "$page"
done
exit $status
