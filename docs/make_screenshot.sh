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
# DIALOG=history (Ctrl+H) shows the traffic history over six weeks of sample days (needs sqlite3):
#   DIALOG=history docs/make_screenshot.sh build/bin/quarno docs/screenshot-history.png
# QUOTA=on sets a monthly data cap of 110 GB from the 1st, which the history dialog shows:
#   QUOTA=on DIALOG=history docs/make_screenshot.sh build/bin/quarno docs/screenshot-history-quota.png
# APPS=on also fills what four applications and "Unattributed" moved on those days, which the
# dialog lists below its table and the cap's section names:
#   APPS=on QUOTA=on DIALOG=history docs/make_screenshot.sh build/bin/quarno docs/screenshot-history-apps.png
# DIALOG=quota opens "Data Cap..." from the View menu:
#   QUOTA=on DIALOG=quota docs/make_screenshot.sh build/bin/quarno docs/screenshot-quota.png
# DIALOG=ratealerts opens "Rate Alerts..." from the first watched panel's context menu:
#   WATCH=lo DIALOG=ratealerts docs/make_screenshot.sh build/bin/quarno docs/screenshot-rate-alerts.png
# FIRST=1 starts as a first start does, with no settings at all:
#   FIRST=1 docs/make_screenshot.sh build/bin/quarno docs/screenshot-first-start.png
# TRAY=traffic turns "Traffic in Tray Icon" on and takes the tray's corner of the screen, enlarged
# four times so that its pixels show; SCALE=2 takes it at twice the pixel density (a 52-pixel tray):
#   TRAY=traffic WATCH=lo WAIT=8 docs/make_screenshot.sh build/bin/quarno docs/screenshot-tray-1x.png
#   TRAY=traffic SCALE=2 WATCH=lo WAIT=8 docs/make_screenshot.sh build/bin/quarno docs/screenshot-tray-2x.png
# UI_LANG=de_DE.UTF-8 (or ru_RU.UTF-8, ...) shows the window in that language (LANG for the program,
# with LANGUAGE and LC_ALL cleared); SCALE=2 also works for the window and the dialogs:
#   UI_LANG=de_DE.UTF-8 WATCH="lo eth0" WAIT=20 docs/make_screenshot.sh build/bin/quarno docs/screenshot-de.png
#   UI_LANG=ru_RU.UTF-8 QUOTA=on DIALOG=history docs/make_screenshot.sh build/bin/quarno docs/screenshot-history-ru.png
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
SCALE=${SCALE:-1}
# The tray's picture is taken away from the screen's edge.
MARGIN=0
[ "${TRAY:-}" = traffic ] && MARGIN=16
trayer --edge bottom --align right --margin "$MARGIN" --widthtype request --height $((26 * SCALE)) --SetDockType true \
    --transparent false --tint 0x303030 >/dev/null 2>&1 &
PIDS="$PIDS $!"
sleep 1

# Settings with the interface list shown and all interfaces listed.
mkdir -p "$WORK/config/Veldo/Quarno"
printf '[Twnd_qn_Main\\Tree]\nVisible=1\nTag=0\n' >"$WORK/config/Veldo/Quarno/quarno.ini"
WATCH=${WATCH:-}
WAIT=${WAIT:-3}
if [ -n "${FIRST:-}" ]; then
    : >"$WORK/config/Veldo/Quarno/quarno.ini"
fi
if [ "${TRAY:-}" = traffic ]; then
    printf '[Twnd_qn_Main\\TrayIcon]\nShowTraffic=1\n' >>"$WORK/config/Veldo/Quarno/quarno.ini"
fi
if [ "${CAPTION:-on}" = off ]; then
    printf '[Twnd_qn_Main\\TMW]\nTag=0\n' >>"$WORK/config/Veldo/Quarno/quarno.ini"
fi
if [ "${QUOTA:-off}" = on ]; then
    printf '[Quota]\nLimit=118111600640\nPeriod=month\nStartDay=1\nDirection=total\nWarn=80,100\n' \
        >>"$WORK/config/Veldo/Quarno/quarno.ini"
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
# The traffic history lives in a data folder of its own, never the user's.
mkdir -p "$WORK/data/Veldo/Quarno"
if [ "${DIALOG:-}" = history ] || [ "${DIALOG:-}" = quota ]; then
    # Six weeks of days up to today for two interfaces, busier on weekdays, in the file's version-1
    # layout; the program adds what it sees while it runs.
    sqlite3 "$WORK/data/Veldo/Quarno/history.sqlite" >/dev/null <<'SQL'
PRAGMA journal_mode=WAL;
CREATE TABLE interface(id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE);
CREATE TABLE hour(interface INTEGER NOT NULL, period INTEGER NOT NULL, download INTEGER NOT NULL, upload INTEGER NOT NULL, PRIMARY KEY(interface, period)) WITHOUT ROWID;
CREATE TABLE day(interface INTEGER NOT NULL, period INTEGER NOT NULL, download INTEGER NOT NULL, upload INTEGER NOT NULL, PRIMARY KEY(interface, period)) WITHOUT ROWID;
CREATE TABLE month(interface INTEGER NOT NULL, period INTEGER NOT NULL, download INTEGER NOT NULL, upload INTEGER NOT NULL, PRIMARY KEY(interface, period)) WITHOUT ROWID;
INSERT INTO interface(id, name) VALUES (1, 'eth0'), (2, 'wlan0');
WITH RECURSIVE d(n) AS (SELECT 0 UNION ALL SELECT n + 1 FROM d WHERE n < 41),
days(n, key, wd) AS (SELECT n, CAST(strftime('%Y%m%d', 'now', 'localtime', '-' || n || ' days') AS INTEGER),
                           CAST(strftime('%w', 'now', 'localtime', '-' || n || ' days') AS INTEGER) FROM d)
INSERT INTO day SELECT 1, key, (CASE WHEN wd IN (0, 6) THEN 400 ELSE 2600 END + (n * 7919) % 1500) * 1048576,
                          (120 + (n * 104729) % 300) * 1048576 FROM days
UNION ALL SELECT 2, key, (300 + (n * 31) % 700) * 1048576, (40 + (n * 17) % 90) * 1048576 FROM days WHERE n % 3 <> 1;
INSERT INTO month SELECT interface, period / 100, sum(download), sum(upload) FROM day GROUP BY interface, period / 100;
PRAGMA user_version=1;
SQL
    if [ "${APPS:-off}" = on ]; then
        # The same days as a version-3 file would hold them per application.
        sqlite3 "$WORK/data/Veldo/Quarno/history.sqlite" >/dev/null <<'SQL'
ALTER TABLE interface ADD COLUMN class INTEGER NOT NULL DEFAULT 0;
CREATE TABLE quota_warning(period TEXT NOT NULL, level INTEGER NOT NULL, PRIMARY KEY(period, level)) WITHOUT ROWID;
CREATE TABLE application(id INTEGER PRIMARY KEY, kind INTEGER NOT NULL, key TEXT NOT NULL, name TEXT NOT NULL DEFAULT '', UNIQUE(kind, key));
CREATE TABLE app_day(application INTEGER NOT NULL, period INTEGER NOT NULL, download INTEGER NOT NULL, upload INTEGER NOT NULL, PRIMARY KEY(application, period)) WITHOUT ROWID;
INSERT INTO application(id, kind, key, name) VALUES (1, 1, 'org.mozilla.firefox', 'Firefox'),
    (2, 1, 'org.gnome.Fractal', 'Fractal'), (3, 2, 'flatpak-system-helper', 'flatpak-system-helper'),
    (4, 3, 'session', 'Other programs of this session'), (5, 0, '', 'Unattributed');
INSERT INTO app_day SELECT 1, period, download * 45 / 100, upload * 30 / 100 FROM day WHERE interface = 1
UNION ALL SELECT 2, period, download * 8 / 100, upload * 25 / 100 FROM day WHERE interface = 1
UNION ALL SELECT 3, period, download * 12 / 100, upload / 100 FROM day WHERE interface = 1 AND period % 7 = 2
UNION ALL SELECT 4, period, download * 5 / 100, upload * 10 / 100 FROM day WHERE interface = 1
UNION ALL SELECT 5, period, download * 30 / 100, upload * 34 / 100 FROM day WHERE interface = 1;
PRAGMA user_version=3;
SQL
    fi
fi
if [ -n "${UI_LANG:-}" ]; then
    unset LANGUAGE LC_ALL LC_MESSAGES
    export LANG="$UI_LANG"
fi
QT_SCALE_FACTOR=$SCALE XDG_CONFIG_HOME="$WORK/config" XDG_DATA_HOME="$WORK/data" QT_QPA_PLATFORM=xcb \
    "$QUARNO" >/dev/null 2>&1 &
QUARNO_PID=$!
PIDS="$PIDS $QUARNO_PID"

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
    history)
        xdotool windowactivate --sync "$window" key ctrl+h
        title='^Traffic History$'
        ;;
    quota)
        # The View menu (the third title of the menu bar), then its last item.
        xdotool mousemove --window "$window" 14 9 click 1
        sleep 0.5
        xdotool key --delay 80 Right Right Up Return
        title='^Data Cap$'
        ;;
    ratealerts)
        # A right click on the first panel's header (below the list), then the menu's last item.
        xdotool mousemove --window "$window" 200 "$((148 * SCALE))" click 3
        sleep 0.5
        xdotool key --delay 80 Up Return
        title='^Rate Alerts: '
        ;;
    *) echo "unknown DIALOG $DIALOG" >&2; exit 2 ;;
    esac
    dialog=""
    for _ in $(seq 50); do
        if [ -n "${UI_LANG:-}" ]; then
            # The titles are translated: the program's named window, not the main one nor the tray icon.
            for candidate in $(xdotool search --onlyvisible --pid "$QUARNO_PID" --name '.' 2>/dev/null); do
                [ "$candidate" = "$window" ] && continue
                width=$(xdotool getwindowgeometry "$candidate" | awk '/Geometry:/ {split($2, g, "x"); print g[1]}')
                [ "${width:-0}" -gt 100 ] && dialog=$candidate && break
            done
            [ -n "$dialog" ] && break
        else
            dialog=$(xdotool search --onlyvisible --name "$title" 2>/dev/null | head -n 1) && [ -n "$dialog" ] && break
        fi
        sleep 0.2
    done
    [ -n "$dialog" ] || { echo "the $DIALOG dialog did not appear" >&2; exit 1; }
    sleep 1
    import -window "$dialog" -frame "$OUT"
    echo "dialog: $OUT"
    exit 0
fi
if [ "${TRAY:-}" = traffic ]; then
    # The tray with the icon and a little of the desktop round it, enlarged without smoothing.
    tray=$(xdotool search --onlyvisible --class trayer | tail -n 1)
    geometry=$(xwininfo -id "$tray" | awk '/Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4}
        /Width:/ {w = $2} /Height:/ {h = $2} END {m = 6; print w + 2 * m "x" h + m "+" x - m "+" y - m}')
    import -window root -crop "$geometry" +repage -filter point -resize "$((400 / SCALE))%" "$OUT"
    echo "tray: $OUT"
    exit 0
fi
import -window "$window" -frame "$OUT"
import -window root "$WORK/desktop.png"
echo "window: $OUT; whole screen with the tray: $WORK/desktop.png (kept as ${OUT%.png}-desktop.png)"
cp "$WORK/desktop.png" "${OUT%.png}-desktop.png"
