#!/bin/sh
# Checks the built package with lintian: no error and no warning but the one kept on purpose.
set -eu
command -v lintian >/dev/null || { echo "SKIPPED: lintian is not installed (make deps installs it)"; exit 77; }
deb=$(ls "$1"/quarno_*.deb)
# initial-upload-closes-no-bugs: the package is not uploaded to Debian, so there is no ITP bug
# for its first changelog entry to close.
status=0
lintian --fail-on error,warning --suppress-tags initial-upload-closes-no-bugs "$deb" >"$1/lintian.txt" 2>&1 \
    || status=$?
cat "$1/lintian.txt"
[ "$status" -eq 0 ] || echo "lintian finds errors or warnings in $deb"
exit "$status"
