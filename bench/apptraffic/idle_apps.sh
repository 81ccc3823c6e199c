#!/bin/sh
# Quarno's idle CPU with 200 open TCP sockets (100 idle connections) and one watched interface,
# with the applications layer
# on and off (QUARNO_APPS=0), in one run: utime+stime from /proc/PID/stat over SPAN seconds after a
# warm-up, each copy on its own Xvfb display, both in one private network namespace (needs root).
#
#   bench/apptraffic/idle_apps.sh [path/to/quarno] [span seconds]
set -eu
QUARNO=$(realpath "${1:-build/bin/quarno}")
SPAN=${2:-60}
WARMUP=5
NETNS=qn-apps-$$
WORK=$(mktemp -d /tmp/qn-apps.XXXXXX)
PIDS=""
cleanup() {
    for p in $PIDS; do kill "$p" 2>/dev/null || true; done
    ip netns del "$NETNS" 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT INT TERM
[ "$(id -u)" -eq 0 ] || { echo "needs root for a private network namespace" >&2; exit 77; }
ip netns add "$NETNS"
IN_NS="ip netns exec $NETNS"
$IN_NS ip link set lo up
$IN_NS ip link add qa0 type veth peer name qa1
$IN_NS ip link set qa0 up
$IN_NS ip link set qa1 up
$IN_NS ip addr add 10.89.0.1/24 dev qa0
$IN_NS python3 -c '
import socket, time
l = socket.socket(); l.bind(("10.89.0.1", 7100)); l.listen(256)
keep = []
for i in range(100):
    c = socket.create_connection(("10.89.0.1", 7100)); a, _ = l.accept(); keep += [c, a]
time.sleep(100000)
' &
PIDS="$PIDS $!"
sleep 1

# CPU in microseconds from the scheduler's own count of every thread (finer than the 10 ms ticks).
cpu_us() { cat /proc/"$1"/task/*/schedstat | awk '{ns += $1} END {printf "%d", ns / 1000}'; }
start() { # display, QUARNO_APPS value
    Xvfb ":$1" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    PIDS="$PIDS $!"
    sleep 1
    mkdir -p "$WORK/$1/Veldo/Quarno"
    # As a user has it: one interface watched in a panel, the interface list shown.
    printf '[Settings]\nqa0=1\n[Twnd_qn_Main\\Tree]\nVisible=1\nTag=0\n' > "$WORK/$1/Veldo/Quarno/quarno.ini"
    DISPLAY=":$1" HOME="$WORK/$1" XDG_CONFIG_HOME="$WORK/$1" QUARNO_APPS="$2" $IN_NS "$QUARNO" >/dev/null 2>&1 &
    PIDS="$PIDS $!"
    echo $!
}
ON=$(start 91 1)
OFF=$(start 92 0)
sleep "$WARMUP"
ON0=$(cpu_us "$ON"); OFF0=$(cpu_us "$OFF")
sleep "$SPAN"
ON1=$(cpu_us "$ON"); OFF1=$(cpu_us "$OFF")
awk -v on=$((ON1 - ON0)) -v off=$((OFF1 - OFF0)) -v span="$SPAN" 'BEGIN {
    printf "applications layer on:  %.3f%% CPU (%.1f ms)\n", 100 * on / 1e6 / span, on / 1000
    printf "applications layer off: %.3f%% CPU (%.1f ms)\n", 100 * off / 1e6 / span, off / 1000
    if (off > 0) printf "ratio: %.2f\n", on / off
}'
