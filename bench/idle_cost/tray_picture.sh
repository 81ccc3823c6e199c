#!/bin/sh
# Idle CPU of the tray's traffic picture: the same Quarno binary twice at once, "Traffic in Tray
# Icon" on in one and off in the other, each on its own Xvfb display with a trayer tray to dock in,
# with loopback traffic that changes every quarter second (so the picture changes nearly every
# tick: its worst case). CPU is the scheduler's time of every thread over 60 s after a 5 s warm-up;
# the two swap displays from run to run. As root both run in one private network namespace with
# lo and three veth pairs.
#
#   bench/idle_cost/tray_picture.sh [path/to/quarno-four-panels] [runs]
#
# The four-panel binary (build-bench/bin/quarno-four-panels, -DQN_BENCH=ON) watches four interfaces
# whose charts already hold a day of points; the picture shows the first of them, lo.
set -eu

QUARNO=$(realpath "${1:-build-bench/bin/quarno-four-panels}")
RUNS=${2:-3}
WARMUP=5
SPAN=60
WORK=$(mktemp -d /tmp/qn-tray.XXXXXX)
NETNS=qn-tray-$$
PIDS=""

cleanup() {
    for p in $PIDS; do kill "$p" 2>/dev/null || true; done
    [ "$(id -u)" -eq 0 ] && ip netns del "$NETNS" 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT INT TERM

[ -x "$QUARNO" ] || { echo "no quarno at $QUARNO (cmake -DQN_BENCH=ON build first)" >&2; exit 1; }
command -v trayer >/dev/null || { echo "trayer is not installed (make deps installs it)" >&2; exit 1; }

IN_NS=""
if [ "$(id -u)" -eq 0 ] && ip netns add "$NETNS" 2>/dev/null; then
    IN_NS="ip netns exec $NETNS"
    $IN_NS ip link set lo up
    for i in 1 2 3; do
        $IN_NS ip link add "qn${i}a" type veth peer name "qn${i}b"
        $IN_NS ip link set "qn${i}a" up
        $IN_NS ip link set "qn${i}b" up
    done
fi

# Loopback traffic between 0 and 2 MB/s, a new rate every quarter second.
$IN_NS python3 -c '
import random, socket, time
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
while True:
    for _ in range(random.randint(0, 500)):
        s.sendto(b"x" * 1000, ("127.0.0.1", 9))
    time.sleep(0.25)
' >/dev/null 2>&1 &
PIDS="$PIDS $!"

for side in on off; do
    mkdir -p "$WORK/$side/Veldo/Quarno"
done
# The settings file is named after the executable.
INI=$(basename "$QUARNO").ini
printf '[Twnd_qn_Main\\TrayIcon]\nShowTraffic=1\n' >"$WORK/on/Veldo/Quarno/$INI"
printf '[Twnd_qn_Main\\TrayIcon]\nShowTraffic=0\n' >"$WORK/off/Veldo/Quarno/$INI"

pause() {
    sleep "$1" &
    wait $!
}
# Whether the screen shows the picture's field colour (0x202020) in its bottom-right corner, where the tray is.
picture_shown() {
    DISPLAY=":$1" xwd -root -silent | python3 -c '
import struct, sys
data = sys.stdin.buffer.read()
f = struct.unpack(">25I", data[:100])
width, height, order, bpp, stride = f[4], f[5], f[7], f[11] // 8, f[12]
start = f[0] + 12 * f[19]
found = any(int.from_bytes(data[start + y * stride + x * bpp:start + y * stride + x * bpp + 3],
                           "little" if order == 0 else "big") & 0xFFFFFF == 0x202020
            for y in range(height - 30, height) for x in range(width - 80, width))
print("yes" if found else "no")'
}
cpu_us() { cat /proc/"$1"/task/*/schedstat | awk '{ns += $1} END {printf "%d", ns / 1000}'; }

RESULTS=$WORK/results
: >"$RESULTS"
run=1
while [ "$run" -le "$RUNS" ]; do
    base=$((70 + run * 2))
    for d in "$base" "$((base + 1))"; do
        Xvfb ":$d" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        PIDS="$PIDS $!"
    done
    pause 1
    for d in "$base" "$((base + 1))"; do
        DISPLAY=":$d" trayer --edge bottom --align right --widthtype request --height 26 --SetDockType true \
            --transparent false >/dev/null 2>&1 &
        PIDS="$PIDS $!"
    done
    pause 1
    # The sides swap displays every run.
    if [ $((run % 2)) -eq 1 ]; then d_on=$base; d_off=$((base + 1)); else d_on=$((base + 1)); d_off=$base; fi
    DISPLAY=":$d_on" XDG_CONFIG_HOME="$WORK/on" QT_QPA_PLATFORM=xcb $IN_NS "$QUARNO" >/dev/null 2>&1 &
    on=$!; PIDS="$PIDS $on"
    DISPLAY=":$d_off" XDG_CONFIG_HOME="$WORK/off" QT_QPA_PLATFORM=xcb $IN_NS "$QUARNO" >/dev/null 2>&1 &
    off=$!; PIDS="$PIDS $off"
    pause "$WARMUP"
    docked=$(DISPLAY=":$d_on" xwininfo -root -tree | grep -cE '"Quarno"\) +2[0-9]x2[0-9]\+0\+0' || true)
    on0=$(cpu_us "$on"); off0=$(cpu_us "$off")
    pause "$SPAN"
    on1=$(cpu_us "$on"); off1=$(cpu_us "$off")
    echo "$run $((on1 - on0)) $((off1 - off0))" >>"$RESULTS"
    echo "run $run: picture on $((on1 - on0)) us, off $((off1 - off0)) us (icon docked: $docked," \
        "picture shown: on $(picture_shown "$d_on"), off $(picture_shown "$d_off"))"
    kill "$on" "$off" 2>/dev/null || true
    run=$((run + 1))
done

awk -v span="$SPAN" '
function median(a, n,   i, j, t) {
    for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (a[j] < a[i]) { t = a[i]; a[i] = a[j]; a[j] = t }
    return (n % 2) ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
}
{ n++; on[n] = $2; off[n] = $3 }
END {
    a = median(on, n); b = median(off, n)
    printf "median over %d runs of %d s:\n", n, span
    printf "  picture on  %.1f ms CPU (%.3f %% of a core)\n", a / 1000, a / (span * 10000)
    printf "  picture off %.1f ms CPU (%.3f %% of a core)\n", b / 1000, b / (span * 10000)
    if (b > 0) printf "  on / off %.3f (target <= 1.10)\n", a / b
}' "$RESULTS"
