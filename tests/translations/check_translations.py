#!/usr/bin/env python3
"""Checks the translation files against the sources: lupdate is run on copies, and then no entry may be
unfinished or vanished, every form must be filled, and each translation must keep its source's
placeholders (%1, %n, %s, ...) and keyboard accelerator."""
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
from pathlib import Path

PLACEHOLDER = re.compile(r"%(?:L?\d+|n|s|d)")


def accelerators(text):
    return len(re.findall(r"&(?!&)\S", text.replace("&&", "")))


def check(ts_file, problems):
    root = ET.parse(ts_file).getroot()
    language = root.get("language", "")
    count = 0
    for context in root.iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            count += 1
            source = message.findtext("source") or ""
            where = f"{ts_file.name} [{language}] {name}: {source!r}"
            translation = message.find("translation")
            kind = translation.get("type") if translation is not None else "missing"
            if kind in ("unfinished", "vanished", "obsolete", "missing"):
                problems.append(f"{where}: {kind}")
                continue
            forms = [f.text or "" for f in translation.iter("numerusform")] or [translation.text or ""]
            wanted = sorted(set(PLACEHOLDER.findall(source)))
            for form in forms:
                if not form.strip():
                    problems.append(f"{where}: empty translation")
                    continue
                have = set(PLACEHOLDER.findall(form))
                missing = [p for p in wanted if p not in have]
                if missing:
                    problems.append(f"{where}: {form!r} lacks {', '.join(missing)}")
                if accelerators(source) != accelerators(form):
                    problems.append(f"{where}: {form!r} differs in its keyboard accelerator")
    return count


def main():
    lupdate, sources, ts_dir = sys.argv[1], Path(sys.argv[2]), Path(sys.argv[3])
    files = sorted(ts_dir.glob("quarno_*.ts"))
    if not files:
        print(f"no translation files in {ts_dir}")
        return 1
    problems = []
    with tempfile.TemporaryDirectory() as tmp:
        copies = []
        for f in files:
            copy = Path(tmp) / f.name
            shutil.copy(f, copy)
            copies.append(copy)
        # Without -no-obsolete: a text that left the sources stays, marked vanished.
        run = subprocess.run([lupdate, "-silent", "-locations", "none", str(sources), "-ts", *map(str, copies)],
                             capture_output=True, text=True)
        if run.returncode != 0:
            print(run.stdout, run.stderr)
            return 1
        for copy in copies:
            count = check(copy, problems)
            print(f"{copy.name}: {count} texts")
    for p in problems:
        print(p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
