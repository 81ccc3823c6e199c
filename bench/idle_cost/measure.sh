#!/bin/sh
# Idle cost of Quarno next to the qt_floor yardstick (and GKrellM when installed), side by side in one
# run: CPU as utime+stime from /proc/PID/stat over 60 s after a 5 s warm-up, memory as VmRSS and as
# private memory (Pss_Anon from /proc/PID/smaps_rollup: the anonymous pages the program alone pays
# for, which shared libraries and fonts do not blur), each program on its own Xvfb display, with
# steady loopback traffic running. Quarno shows its interface
# list; as root the run happens in a private network namespace with 8 interfaces (lo, three veth
# pairs and an ifb device).
#
#   bench/idle_cost/measure.sh [path/to/quarno] [runs] [yardstick source folder]
#
# QN_IDLE_BESIDE=path/to/other/quarno runs a second Quarno (an earlier build, say) on a fourth
# display in the same namespace and sitting, so that before and after are measured side by side.
#
# A chart's time window starts at the first tick and scrolls only once it is full, five minutes
# later: the default warm-up measures charts that fill. QN_IDLE_WARMUP=310 measures them scrolling;
# build-bench/bin/quarno-four-panels scrolls from its first tick, so a short warm-up does for it.
#
# The yardstick's sources are looked for next to the repository (../shared/yardsticks/qt_floor).
set -eu

REPO=$(cd "$(dirname "$0")/../.." && pwd)

QUARNO=$(realpath "${1:-build/bin/quarno}")
RUNS=${2:-3}
FLOOR_SRC=$(realpath "${3:-$REPO/../shared/yardsticks/qt_floor}")
WARMUP=${QN_IDLE_WARMUP:-5}
SPAN=60
WORK=$(mktemp -d /tmp/qn-idle.XXXXXX)
FLOOR_BUILD=$WORK/qt_floor
NETNS=qn-idle-$$
PIDS=""

cleanup() {
    for p in $PIDS; do kill "$p" 2>/dev/null || true; done
    [ "$(id -u)" -eq 0 ] && ip netns del "$NETNS" 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT INT TERM

[ -x "$QUARNO" ] || { echo "no quarno at $QUARNO (make build first)" >&2; exit 1; }
BESIDE=""
if [ -n "${QN_IDLE_BESIDE:-}" ]; then
    BESIDE=$(realpath "$QN_IDLE_BESIDE")
    [ -x "$BESIDE" ] || { echo "no quarno at $BESIDE" >&2; exit 1; }
fi
cmake -S "$FLOOR_SRC" -B "$FLOOR_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$FLOOR_BUILD" >/dev/null
FLOOR=$(find "$FLOOR_BUILD" -maxdepth 2 -type f -name qt_floor -perm -u+x | head -n 1)

# Run a command inside the namespace when there is one.
IN_NS=""
if [ "$(id -u)" -eq 0 ] && ip netns add "$NETNS" 2>/dev/null; then
    IN_NS="ip netns exec $NETNS"
    $IN_NS ip link set lo up
    for i in 1 2 3; do
        $IN_NS ip link add "qn${i}a" type veth peer name "qn${i}b"
        $IN_NS ip link set "qn${i}a" up
        $IN_NS ip link set "qn${i}b" up
        $IN_NS ip addr add "10.99.$i.1/24" dev "qn${i}a"
    done
    $IN_NS ip link add qn4 type ifb
    $IN_NS ip link set qn4 up
    echo "network namespace $NETNS: $($IN_NS ls /sys/class/net | wc -l) interfaces"
else
    echo "not root: measuring with the host's interfaces ($(ls /sys/class/net | wc -l) of them)"
fi

# Steady loopback traffic: fifty 1000-byte datagrams a second.
$IN_NS python3 -c '
import socket, time
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
while True:
    s.sendto(b"x" * 1000, ("127.0.0.1", 9))
    time.sleep(0.02)
' >/dev/null 2>&1 &
PIDS="$PIDS $!"

# Quarno's settings: the interface list shown.
CONFIG=$WORK/config
mkdir -p "$CONFIG/Veldo/Quarno"
printf '[Twnd_qn_Main\\Tree]\nVisible=1\nTag=0\n' >"$CONFIG/Veldo/Quarno/quarno.ini"
cp "$QUARNO" "$WORK/quarno"
# Under the same file name: the settings file is named after the program, and a Quarno under
# another name would find no settings and show no interface list.
if [ -n "$BESIDE" ]; then
    mkdir -p "$WORK/beside"
    cp "$BESIDE" "$WORK/beside/quarno"
fi

# A sleep that lets the traps run at once.
pause() {
    sleep "$1" &
    wait $!
}

ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
# The same CPU time in microseconds from the scheduler's nanosecond counts of every thread, finer
# than clock ticks.
cpu_us() { cat /proc/"$1"/task/*/schedstat | awk '{ns += $1} END {printf "%d", ns / 1000}'; }
rss_kb() { awk '/^VmRSS:/ {print $2}' "/proc/$1/status"; }
# Private memory: Pss_Anon where the kernel reports it (5.10 and later), else Private_Dirty.
private_kb() {
    awk '/^Pss_Anon:/ {a = $2} /^Private_Dirty:/ {d = $2} END {print (a != "" ? a : d)}' "/proc/$1/smaps_rollup"
}

start_display() {
    Xvfb ":$1" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    PIDS="$PIDS $!"
}

HZ=$(getconf CLK_TCK)
RESULTS=$WORK/results
: >"$RESULTS"
run=1
while [ "$run" -le "$RUNS" ]; do
    base=$((90 + run * 4))
    start_display "$base"; start_display "$((base + 1))"; start_display "$((base + 2))"
    [ -n "$BESIDE" ] && start_display "$((base + 3))"
    pause 1
    # Each Quarno keeps its own history: the second one to start would otherwise wait for the
    # history's lock and skip its recording.
    DISPLAY=":$base" XDG_CONFIG_HOME="$CONFIG" XDG_DATA_HOME="$WORK/data" QT_QPA_PLATFORM=xcb $IN_NS \
        "$WORK/quarno" >/dev/null 2>&1 &
    q=$!; PIDS="$PIDS $q"
    DISPLAY=":$((base + 1))" QT_QPA_PLATFORM=xcb "$FLOOR" --aliased >/dev/null 2>&1 &
    f=$!; PIDS="$PIDS $f"
    g=""
    if command -v gkrellm >/dev/null 2>&1; then
        mkdir -p "$WORK/home/.gkrellm2"
        echo "update_HZ 1" >"$WORK/home/.gkrellm2/user-config"
        HOME=$WORK/home DISPLAY=":$((base + 2))" $IN_NS gkrellm >/dev/null 2>&1 &
        g=$!; PIDS="$PIDS $g"
    fi
    b=""
    if [ -n "$BESIDE" ]; then
        mkdir -p "$WORK/config-beside"
        cp -r "$CONFIG/Veldo" "$WORK/config-beside/"
        DISPLAY=":$((base + 3))" XDG_CONFIG_HOME="$WORK/config-beside" XDG_DATA_HOME="$WORK/data-beside" \
            QT_QPA_PLATFORM=xcb $IN_NS "$WORK/beside/quarno" >/dev/null 2>&1 &
        b=$!; PIDS="$PIDS $b"
    fi
    pause "$WARMUP"
    q0=$(ticks "$q"); f0=$(ticks "$f"); g0=0; [ -n "$g" ] && g0=$(ticks "$g")
    qu0=$(cpu_us "$q"); fu0=$(cpu_us "$f"); gu0=0; [ -n "$g" ] && gu0=$(cpu_us "$g")
    bu0=0; [ -n "$b" ] && bu0=$(cpu_us "$b")
    pause "$SPAN"
    q1=$(ticks "$q"); f1=$(ticks "$f"); g1=0; [ -n "$g" ] && g1=$(ticks "$g")
    qu1=$(cpu_us "$q"); fu1=$(cpu_us "$f"); gu1=0; [ -n "$g" ] && gu1=$(cpu_us "$g")
    bu1=0; [ -n "$b" ] && bu1=$(cpu_us "$b")
    qr=$(rss_kb "$q"); fr=$(rss_kb "$f"); gr=0; [ -n "$g" ] && gr=$(rss_kb "$g")
    qp=$(private_kb "$q"); fp=$(private_kb "$f"); gp=0; [ -n "$g" ] && gp=$(private_kb "$g")
    echo "$run $((q1 - q0)) $qr $((f1 - f0)) $fr $((g1 - g0)) $gr $((qu1 - qu0)) $((fu1 - fu0)) $((gu1 - gu0)) $qp $fp $gp $((bu1 - bu0))" >>"$RESULTS"
    echo "run $run: quarno $((q1 - q0)) ticks $((qu1 - qu0)) us RSS ${qr} kB private ${qp} kB," \
        "qt_floor $((f1 - f0)) ticks $((fu1 - fu0)) us RSS ${fr} kB private ${fp} kB," \
        "gkrellm $((g1 - g0)) ticks $((gu1 - gu0)) us RSS ${gr} kB private ${gp} kB"
    [ -n "$b" ] && echo "  beside: quarno $BESIDE $((bu1 - bu0)) us RSS $(rss_kb "$b") kB private $(private_kb "$b") kB"
    kill "$q" "$f" $g $b 2>/dev/null || true
    run=$((run + 1))
done

# Medians of the runs; CPU as percent of one core over the span.
# The list alone may cost 1.5 times the yardstick's CPU, 20 MB more RSS and 4 MB of private memory;
# with four panels holding a day of points (quarno-four-panels), twice its CPU, 12 MB more RSS and
# 8 MB of private memory.
CPU_TARGET=1.5
RSS_TARGET=20
PRIVATE_TARGET=4
case "$(basename "$QUARNO")" in
*four-panels*)
    CPU_TARGET=2
    RSS_TARGET=12
    PRIVATE_TARGET=8
    ;;
esac
awk -v hz="$HZ" -v span="$SPAN" -v cpu_target="$CPU_TARGET" -v rss_target="$RSS_TARGET" \
    -v private_target="$PRIVATE_TARGET" '
function median(a, n,   i, j, t) {
    for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (a[j] < a[i]) { t = a[i]; a[i] = a[j]; a[j] = t }
    return (n % 2) ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
}
{ n++; qc[n] = $2; qm[n] = $3; fc[n] = $4; fm[n] = $5; gc[n] = $6; gm[n] = $7; qu[n] = $8; fu[n] = $9; gu[n] = $10
  qp[n] = $11; fp[n] = $12; gp[n] = $13; bu[n] = $14 }
END {
    q = median(qc, n); f = median(fc, n); g = median(gc, n)
    qr = median(qm, n); fr = median(fm, n); gr = median(gm, n)
    qpm = median(qp, n); fpm = median(fp, n); gpm = median(gp, n)
    pct = 100 / (hz * span)
    printf "median over %d runs of %d s:\n", n, span
    printf "  quarno    CPU %.3f %% of a core (%d ticks), RSS %.1f MB, private %.1f MB\n", q * pct, q, qr / 1024, qpm / 1024
    printf "  qt_floor  CPU %.3f %% of a core (%d ticks), RSS %.1f MB, private %.1f MB\n", f * pct, f, fr / 1024, fpm / 1024
    if (gr > 0) printf "  gkrellm   CPU %.3f %% of a core (%d ticks), RSS %.1f MB, private %.1f MB\n", g * pct, g, gr / 1024, gpm / 1024
    qus = median(qu, n); fus = median(fu, n); gus = median(gu, n)
    printf "  scheduler time: quarno %.1f ms, qt_floor %.1f ms, gkrellm %.1f ms\n", qus / 1000, fus / 1000, gus / 1000
    bus = median(bu, n)
    if (bus > 0) printf "  scheduler time of the quarno beside it: %.1f ms\n", bus / 1000
    if (gus > 0) printf "  quarno / gkrellm CPU ratio by scheduler time %.2f\n", qus / gus
    if (fus > 0) printf "  quarno / qt_floor CPU ratio by scheduler time %.2f (target <= %s)\n", qus / fus, cpu_target
    if (f > 0) printf "  quarno / qt_floor CPU ratio %.2f (target <= %s)\n", q / f, cpu_target
    else printf "  qt_floor used no measurable CPU; quarno %d ticks\n", q
    printf "  quarno RSS - qt_floor RSS %.1f MB (target <= %s)\n", (qr - fr) / 1024, rss_target
    printf "  quarno private memory %.1f MB (target <= %s)\n", qpm / 1024, private_target
}' "$RESULTS"
