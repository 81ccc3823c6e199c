#!/bin/sh
# Renders docs/screenshot.png: Quarno with its interface list, under Xvfb with the openbox window
# manager and a trayer system tray, as on a small desktop. Needs xvfb, openbox, trayer, xdotool
# and imagemagick.
#
#   docs/make_screenshot.sh [path/to/quarno] [output.png]
#
# WATCH="lo eth0" watches those interfaces and WAIT=60 waits that many seconds before the picture,
# with loopback traffic of a changing rate running meanwhile:
#   WATCH="lo eth0" WAIT=60 docs/make_screenshot.sh build/bin/quarno docs/screenshot-watchers.png
# CAPTION=off takes the picture of the window without its caption and menu bar:
#   CAPTION=off WATCH=lo WAIT=20 docs/make_screenshot.sh build/bin/quarno docs/screenshot-captionless.png
# DIALOG=about (F1) or DIALOG=properties (a double click on the first listed interface) takes the
# picture of that dialog instead of the window:
#   DIALOG=properties docs/make_screenshot.sh build/bin/quarno docs/screenshot-properties.png
set -eu

QUARNO=$(realpath "${1:-build/bin/quarno}")
OUT=${2:-docs/screenshot.png}
DISPLAY_NUMBER=${DISPLAY_NUMBER:-77}
WORK=$(mktemp -d /tmp/qn-shot.XXXXXX)
PIDS=""
cleanup() {
    for p in $PIDS; do kill "$p" 2>/dev/null || true; done
    rm -rf "$WORK"
}
trap cleanup EXIT INT TERM

export DISPLAY=":$DISPLAY_NUMBER"
Xvfb "$DISPLAY" -screen 0 1024x720x24 -nolisten tcp >/dev/null 2>&1 &
PIDS="$PIDS $!"
sleep 1
openbox >/dev/null 2>&1 &
PIDS="$PIDS $!"
trayer --edge bottom --align right --widthtype request --height 26 --SetDockType true \
    --transparent false --tint 0x303030 >/dev/null 2>&1 &
PIDS="$PIDS $!"
sleep 1

# Settings with the interface list shown and all interfaces listed.
mkdir -p "$WORK/config/Veldo/Quarno"
printf '[Twnd_qn_Main\\Tree]\nVisible=1\nTag=0\n' >"$WORK/config/Veldo/Quarno/quarno.ini"
WATCH=${WATCH:-}
WAIT=${WAIT:-3}
if [ "${CAPTION:-on}" = off ]; then
    printf '[Twnd_qn_Main\\TMW]\nTag=0\n' >>"$WORK/config/Veldo/Quarno/quarno.ini"
fi
if [ -n "$WATCH" ]; then
    # Tall enough for the list and two panels.
    printf '[Twnd_qn_Main]\nPos=60,30\nSize=477,650\n[Settings]\n' >>"$WORK/config/Veldo/Quarno/quarno.ini"
    for i in $WATCH; do printf '%s=1\n' "$i" >>"$WORK/config/Veldo/Quarno/quarno.ini"; done
    python3 -c '
import math, socket, time
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
t0 = time.time()
while True:
    t = time.time() - t0
    n = int(40 + 35 * math.sin(t / 6.0) + 25 * math.sin(t / 1.7))
    for _ in range(max(n, 1)):
        s.sendto(b"x" * 1400, ("127.0.0.1", 9))
    time.sleep(0.05)
' >/dev/null 2>&1 &
    PIDS="$PIDS $!"
fi
XDG_CONFIG_HOME="$WORK/config" QT_QPA_PLATFORM=xcb "$QUARNO" >/dev/null 2>&1 &
PIDS="$PIDS $!"

window=""
for _ in $(seq 50); do
    window=$(xdotool search --onlyvisible --name '^Quarno$' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
    sleep 0.2
done
[ -n "$window" ] || { echo "the Quarno window did not appear" >&2; exit 1; }
sleep "$WAIT" # at least two ticks of the counters
DIALOG=${DIALOG:-}
if [ -n "$DIALOG" ]; then
    case "$DIALOG" in
    about)
        xdotool windowactivate --sync "$window" key F1
        title='^About\.\.\.\.$'
        ;;
    properties)
        # The first row of the list, just below the menu bar and the list's header.
        xdotool mousemove --window "$window" 120 52 click --repeat 2 --delay 80 1
        title='^Properties$'
        ;;
    *) echo "unknown DIALOG $DIALOG" >&2; exit 2 ;;
    esac
    dialog=""
    for _ in $(seq 50); do
        dialog=$(xdotool search --onlyvisible --name "$title" 2>/dev/null | head -n 1) && [ -n "$dialog" ] && break
        sleep 0.2
    done
    [ -n "$dialog" ] || { echo "the $DIALOG dialog did not appear" >&2; exit 1; }
    sleep 1
    import -window "$dialog" -frame "$OUT"
    echo "dialog: $OUT"
    exit 0
fi
import -window "$window" -frame "$OUT"
import -window root "$WORK/desktop.png"
echo "window: $OUT; whole screen with the tray: $WORK/desktop.png (kept as ${OUT%.png}-desktop.png)"
cp "$WORK/desktop.png" "${OUT%.png}-desktop.png"
