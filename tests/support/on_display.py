"""Runs a command on a private Xvfb display of its own, with Qt's X11 platform: the widget tests
that must see what a real display server keeps. Exits 77 (skipped) when there is no Xvfb."""
import os
import select
import shutil
import subprocess
import sys

if not shutil.which("Xvfb"):
    print("no Xvfb: skipped")
    sys.exit(77)
read_end, write_end = os.pipe()
xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                        pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
os.close(write_end)
try:
    # Xvfb writes the number it picked once it listens.
    number = b""
    while not number.endswith(b"\n"):
        ready, _, _ = select.select([read_end], [], [], 30)
        chunk = os.read(read_end, 16) if ready else b""
        if not chunk:
            print("Xvfb did not start", file=sys.stderr)
            sys.exit(1)
        number += chunk
    env = dict(os.environ, DISPLAY=":" + number.decode().strip(), QT_QPA_PLATFORM="xcb")
    sys.exit(subprocess.call(sys.argv[1:], env=env))
finally:
    xvfb.terminate()
    xvfb.wait()
