#!/bin/sh
# Installs the built package with dpkg, starts the installed quarno on a private X display until
# its window shows, runs the installed quarno-netdump, then removes and purges the package and
# checks that none of its files is left. The package is removed also when a step fails.
#
#   install_package.sh <folder with the .deb> <cmake> <check_netdump_json.cmake>
set -eu
DEB_DIR=$1
CMAKE=$2
JSON_CHECK=$3

skip() {
    echo "SKIPPED: $*"
    exit 77
}
fail() {
    echo "FAILED: $*" >&2
    exit 1
}

[ "$(id -u)" -eq 0 ] || skip "installing a package with dpkg needs root"
for tool in dpkg dpkg-deb Xvfb xdotool; do
    command -v "$tool" >/dev/null || fail "$tool is missing (make deps installs it)"
done
deb=$(ls "$DEB_DIR"/quarno_*.deb)

# Never replace or remove an installation this test did not make: a quarno package already
# installed, or files of an installation into /usr without the package manager.
status=$(dpkg-query -W -f='${db:Status-Status}' quarno 2>/dev/null || true)
case "$status" in
    "" | not-installed) ;;
    *) skip "the quarno package is already on this machine ($status); the test would replace and remove it" ;;
esac
WORK=$(mktemp -d /tmp/qn-package-test.XXXXXX)
dpkg-deb --fsys-tarfile "$deb" | tar -tf - | sed -e 's|^\./|/|' -e 's|/$||' | grep -v '^$' >"$WORK/paths"
: >"$WORK/existing"
while read -r path; do
    if [ -d "$path" ] && ! [ -L "$path" ]; then
        echo "$path" >>"$WORK/existing"
    elif [ -e "$path" ] || [ -L "$path" ]; then
        rm -rf "$WORK"
        skip "$path exists without the quarno package (installed with PREFIX=/usr?); the test would overwrite it"
    fi
done <"$WORK/paths"

XVFB_PID=""
QUARNO_PID=""
INSTALLED=0
cleanup() {
    [ -z "$QUARNO_PID" ] || kill "$QUARNO_PID" 2>/dev/null || true
    [ -z "$XVFB_PID" ] || kill "$XVFB_PID" 2>/dev/null || true
    if [ "$INSTALLED" -eq 1 ]; then
        echo "Removing the package after a failed step"
        dpkg --purge quarno >/dev/null 2>&1 || true
    fi
    rm -rf "$WORK"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

echo "Installing $deb"
INSTALLED=1
dpkg -i "$deb" || fail "dpkg -i failed"
[ "$(dpkg-query -W -f='${db:Status-Status}' quarno)" = installed ] || fail "the package is not installed after dpkg -i"
dpkg-query -L quarno >"$WORK/installed"
for program in /usr/bin/quarno /usr/bin/quarno-netdump; do
    grep -qx "$program" "$WORK/installed" || fail "the package does not own $program"
    [ -x "$program" ] || fail "$program is not executable"
done

# A private X display and a private home. The display number comes from a high range, away
# from :0 and the low numbers that desktops and other tools take for granted; a number in use
# makes Xvfb end at once, and the next one is tried.
mkdir -p "$WORK/home" "$WORK/config" "$WORK/data" "$WORK/cache" "$WORK/runtime"
chmod 700 "$WORK/runtime"
number=$((400 + $$ % 200))
tries=0
while :; do
    # Xvfb writes the number to the -displayfd descriptor once it accepts clients.
    Xvfb ":$number" -displayfd 1 -screen 0 1024x768x24 -nolisten tcp >"$WORK/display" 2>"$WORK/xvfb.log" &
    XVFB_PID=$!
    deadline=$(($(date +%s) + 20))
    while ! [ -s "$WORK/display" ] && kill -0 "$XVFB_PID" 2>/dev/null; do
        [ "$(date +%s)" -lt "$deadline" ] || fail "Xvfb :$number did not get ready within 20 s"
        sleep 0.1
    done
    [ -s "$WORK/display" ] && break
    XVFB_PID=""
    tries=$((tries + 1))
    [ "$tries" -lt 20 ] || fail "no free X display from :$((number - 19)) to :$number: $(cat "$WORK/xvfb.log")"
    number=$((number + 1))
done
display=":$(head -n 1 "$WORK/display")"
run_installed() {
    env -i PATH=/usr/bin:/bin HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/config" XDG_DATA_HOME="$WORK/data" \
        XDG_CACHE_HOME="$WORK/cache" XDG_RUNTIME_DIR="$WORK/runtime" DISPLAY="$display" LANG=C.UTF-8 "$@"
}

echo "Starting /usr/bin/quarno on $display"
run_installed /usr/bin/quarno >"$WORK/quarno.log" 2>&1 &
QUARNO_PID=$!
deadline=$(($(date +%s) + 30))
window=""
while [ -z "$window" ]; do
    kill -0 "$QUARNO_PID" 2>/dev/null || fail "quarno ended before its window showed: $(cat "$WORK/quarno.log")"
    [ "$(date +%s)" -lt "$deadline" ] || fail "no visible Quarno window within 30 s: $(cat "$WORK/quarno.log")"
    window=$(DISPLAY=$display timeout 5 xdotool search --onlyvisible --pid "$QUARNO_PID" --name '^Quarno$' 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] || sleep 0.2
done
echo "Window $window shows: $(DISPLAY=$display xdotool getwindowgeometry "$window" | tr '\n' ' ')"
kill "$QUARNO_PID"
wait "$QUARNO_PID" 2>/dev/null || true
QUARNO_PID=""

echo "Running /usr/bin/quarno-netdump"
run_installed /usr/bin/quarno-netdump >"$WORK/snapshot.json" || fail "quarno-netdump failed"
run_installed /usr/bin/quarno-netdump --traffic >"$WORK/traffic.json" || fail "quarno-netdump --traffic failed"
"$CMAKE" -DSNAPSHOT="$WORK/snapshot.json" -DTRAFFIC="$WORK/traffic.json" -P "$JSON_CHECK" \
    || fail "quarno-netdump printed unexpected JSON"

echo "Removing and purging the package"
dpkg -r quarno || fail "dpkg -r failed"
# Purging is only left to do when removing kept configuration files.
if [ "$(dpkg-query -W -f='${db:Status-Status}' quarno 2>/dev/null || true)" = config-files ]; then
    dpkg --purge quarno || fail "dpkg --purge failed"
fi
INSTALLED=0
status=$(dpkg-query -W -f='${db:Status-Status}' quarno 2>/dev/null || true)
case "$status" in
    "" | not-installed) ;;
    *) fail "the package is still known to dpkg after the purge ($status)" ;;
esac
left=""
while read -r path; do
    [ "$path" != /. ] || continue
    grep -qx "$path" "$WORK/existing" && continue
    if [ -e "$path" ] || [ -L "$path" ]; then left="$left $path"; fi
done <"$WORK/installed"
[ -z "$left" ] || fail "left behind after the purge:$left"
echo "Installed, started, removed: nothing left behind"
