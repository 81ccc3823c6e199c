#!/bin/sh
# Quarno's CPU among hundreds of links and under container-like churn, with GKrellM's idle figure as a
# yardstick, all in one private network namespace and one run (root only):
#   1. Quarno idle with 501 links (lo and 250 veth pairs);
#   2. Quarno while one more veth pair is created and deleted every second;
#   3. GKrellM idle (1 s updates) with the same 501 links;
#   4. Quarno at 101 links (lo and 50 veth pairs) under the same churn.
# Each program runs on its own Xvfb display with fresh settings and the interface list hidden; CPU is
# the scheduler time of all its threads over SPAN seconds after a WARMUP, as percent of one core.
#
#   bench/churn/measure.sh [path/to/quarno]        (SPAN=30 WARMUP=5 by default)
#
# GKrellM is installed from the distribution when missing (it is only the yardstick).
set -eu

QUARNO=$(realpath "${1:-build/bin/quarno}")
SPAN=${SPAN:-30}
WARMUP=${WARMUP:-5}
WORK=$(mktemp -d /tmp/qn-churn.XXXXXX)
NETNS=qn-churn-$$
PIDS=""
CHURN=""

cleanup() {
    [ -n "$CHURN" ] && kill "$CHURN" 2>/dev/null
    for p in $PIDS; do kill "$p" 2>/dev/null || true; done
    ip netns del "$NETNS" 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT INT TERM

[ "$(id -u)" -eq 0 ] || { echo "needs root (a private network namespace)" >&2; exit 1; }
[ -x "$QUARNO" ] || { echo "no quarno at $QUARNO (build the Release program first)" >&2; exit 1; }
if ! command -v gkrellm >/dev/null 2>&1; then
    apt-get install -y -q --no-install-recommends gkrellm >/dev/null
fi

ip netns add "$NETNS"
IN_NS="ip netns exec $NETNS"
$IN_NS ip link set lo up

# Brings the namespace to lo plus $1 veth pairs, all up.
set_pairs() {
    have=$($IN_NS ls /sys/class/net | grep -c '^qv.*a$' || true)
    : >"$WORK/batch"
    i=$have
    while [ "$i" -lt "$1" ]; do
        echo "link add qv${i}a type veth peer name qv${i}b" >>"$WORK/batch"
        echo "link set qv${i}a up" >>"$WORK/batch"
        echo "link set qv${i}b up" >>"$WORK/batch"
        i=$((i + 1))
    done
    i=$1
    while [ "$i" -lt "$have" ]; do
        echo "link del qv${i}a" >>"$WORK/batch"
        i=$((i + 1))
    done
    [ -s "$WORK/batch" ] && $IN_NS ip -batch "$WORK/batch"
    return 0
}

pause() {
    sleep "$1" &
    wait $!
}

# Scheduler time of every thread of a process, in microseconds.
cpu_us() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ns += $1} END {printf "%d", ns / 1000}'; }

start_display() {
    Xvfb ":$1" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    PIDS="$PIDS $!"
    pause 1
}

start_quarno() {
    rm -rf "$WORK/config"
    mkdir -p "$WORK/config/Veldo/Quarno"
    printf '[Twnd_qn_Main\\Tree]\nVisible=0\nTag=0\n' >"$WORK/config/Veldo/Quarno/quarno.ini"
    DISPLAY=":$1" XDG_CONFIG_HOME="$WORK/config" XDG_DATA_HOME="$WORK/data" QT_QPA_PLATFORM=xcb \
        $IN_NS "$QUARNO" >/dev/null 2>&1 &
    Q=$!
    PIDS="$PIDS $Q"
}

# One veth pair made and dropped every second.
start_churn() {
    $IN_NS sh -c 'while :; do ip link add qnc0 type veth peer name qnc1; ip link set qnc0 up; sleep 0.5;
                   ip link del qnc0; sleep 0.5; done' >/dev/null 2>&1 &
    CHURN=$!
}

stop_churn() {
    kill "$CHURN" 2>/dev/null || true
    wait "$CHURN" 2>/dev/null || true
    CHURN=""
    $IN_NS ip link del qnc0 2>/dev/null || true
}

# Percent of a core that process $1 used over the span.
measure() {
    a=$(cpu_us "$1")
    pause "$SPAN"
    b=$(cpu_us "$1")
    awk -v a="$a" -v b="$b" -v s="$SPAN" 'BEGIN {printf "%.2f", (b - a) / (s * 10000)}'
}

links() { $IN_NS ls /sys/class/net | wc -l; }

DISPLAY_BASE=$((170 + $$ % 50))
start_display "$DISPLAY_BASE"
start_display "$((DISPLAY_BASE + 1))"

set_pairs 250
N501=$(links)
start_quarno "$DISPLAY_BASE"
q501=$Q
mkdir -p "$WORK/home/.gkrellm2"
echo "update_HZ 1" >"$WORK/home/.gkrellm2/user-config"
HOME=$WORK/home DISPLAY=":$((DISPLAY_BASE + 1))" $IN_NS gkrellm >/dev/null 2>&1 &
G=$!
PIDS="$PIDS $G"
pause "$WARMUP"
idle=$(measure "$q501")
gkrellm=$(measure "$G")
start_churn
pause "$WARMUP"
churn=$(measure "$q501")
stop_churn
kill "$q501" "$G" 2>/dev/null || true

set_pairs 50
N101=$(links)
start_quarno "$DISPLAY_BASE"
pause "$WARMUP"
start_churn
pause "$WARMUP"
churn101=$(measure "$Q")
stop_churn

echo "% of a core over $SPAN s ($(basename "$QUARNO") at $QUARNO):"
echo "  Quarno idle, $N501 links:                          $idle"
echo "  Quarno, one veth pair made and dropped each second: $churn"
echo "  GKrellM idle (1 s updates), $N501 links:           $gkrellm"
echo "  Quarno at $N101 links, the same churn:             $churn101"
