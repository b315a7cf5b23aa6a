#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""A blind pupil's whole lesson, keyboard only, with the Orca screen reader listening.

    orca_lesson.py PROGRAM [TRANSCRIPT]

Starts a virtual X display, a private D-Bus session with the accessibility bus, the program and
Orca with a debug log of its own; presses the lesson's keys 2.5 s apart, marking the time of
each; then matches Orca's SPEECH OUTPUT lines to the keys by time and checks that each key was
answered with what it brought. Exits 0 when every check holds, 1 when one fails, and 77 (skip)
when Orca or Xvfb is missing. Writes the transcript to TRANSCRIPT, or to standard output.
"""

import datetime
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

SKIP = 77
KEY_GAP = 2.5  # [s] Orca needs this long to speak and settle

# The lesson, key by key, with words Orca must say after each key (before the next one).
LESSON = [
    ("Down", ["Kalium 40", "Zerfallsfrist 1280 Millionen Jahre", "Zerfallskurve ist gezeichnet"]),
    ("Down", ["Thorium 232", "14050 Millionen Jahre"]),
    ("Down", ["Uran 235", "703,8 Millionen Jahre"]),
    ("Down", ["Uran 238", "4468 Millionen Jahre", "Zerfallskurve ist gezeichnet"]),
    ("Tab", ["Weiter"]),
    ("space", ["Wenn Du Dir die verschiedenen Kurven anschaust",
               "Abhängigkeit der jeweiligen Zerfallsfrist des ausgewählten Isotops"]),
    ("space", ["Was versteht man unter dem Begriff", "zerfällt entsprechend schnell"]),
    ("space", ["Betrachte im Diagramm", "Hilfslinien", "6,25"]),
    ("space", ["erste Zerfallsfrist", "zwischen 0 und 4468 Millionen Jahren",
               "von 100", "auf 50"]),
    ("space", ["zweite Zerfallsfrist", "zwischen 4468 und 8936"]),
    ("space", ["dritte Zerfallsfrist", "zwischen 8936 und 13404"]),
    ("space", ["vierte Zerfallsfrist", "zwischen 13404 und 17872", "auf 6,25"]),
    ("space", ["Hervorhebung ist aufgehoben", "beendet das Programm"]),
    ("Tab", ["Exkurs"]),
    ("space", ["Der radioaktive Zerfall ausgewählter Isotope im Vergleich"]),
    ("space", ["Cs-137", "Am-241", "Ra-226", "C-14", "Pu-239"]),
    ("Tab", ["Zurück"]),
    ("space", ["Zurück im Fenster", "Die Zerfallsfrist", "nach Schritt 8 von 9"]),
]

# "10:25:28.913396 - SPEECH OUTPUT: 'Uran 238.'{'established': False}"
SPEECH = re.compile(r"^(\d\d):(\d\d):(\d\d)\.(\d+) - SPEECH OUTPUT: '(.*)'\s*(\{.*\})?\s*$")


def wait_for(predicate, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if predicate():
            return True
        time.sleep(0.1)
    return False


def run_inside_bus(program, workdir):
    """Runs the session; we are inside dbus-run-session. Returns (marks, log text)."""
    env = dict(os.environ)
    runtime_dir = os.path.join(workdir, "runtime")
    os.mkdir(runtime_dir, 0o700)
    env.update(XDG_RUNTIME_DIR=runtime_dir, HOME=workdir, LANG="de_DE.UTF-8",
               LANGUAGE="de", NO_AT_BRIDGE="0", GTK_A11Y="atspi")
    display = ":%d" % (170 + os.getpid() % 20)
    env["DISPLAY"] = display
    children = []
    try:
        children.append(subprocess.Popen(
            ["Xvfb", display, "-screen", "0", "1280x1024x24", "-noreset", "-nolisten", "tcp"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        socket = "/tmp/.X11-unix/X" + display[1:]
        if not wait_for(lambda: os.path.exists(socket), 10):
            raise RuntimeError("Xvfb did not start")
        children.append(subprocess.Popen(
            ["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"], env=env,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        time.sleep(1)
        app_env = dict(env, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
        children.append(subprocess.Popen([program], env=app_env, stdout=subprocess.DEVNULL,
                                         stderr=subprocess.DEVNULL))
        log = os.path.join(workdir, "orca.log")
        prefs = os.path.join(workdir, "orca-prefs")
        os.mkdir(prefs)
        children.append(subprocess.Popen(
            ["orca", "--debug-file=" + log, "-u", prefs], env=env,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        time.sleep(8)
        subprocess.run(["xdotool", "search", "--sync", "--name", "Die Zerfallsfrist",
                        "windowfocus", "--sync"], env=env, check=True, timeout=20,
                       stdout=subprocess.DEVNULL)
        time.sleep(KEY_GAP)
        marks = []
        for key, _ in LESSON:
            marks.append(datetime.datetime.now())
            subprocess.run(["xdotool", "key", "--clearmodifiers", key], env=env, check=True)
            time.sleep(KEY_GAP)
        marks.append(datetime.datetime.now())
        with open(log, encoding="utf-8", errors="replace") as f:
            return marks, f.read()
    finally:
        for child in reversed(children):
            child.terminate()
        for child in reversed(children):
            try:
                child.wait(5)
            except subprocess.TimeoutExpired:
                child.kill()


def speech_by_key(marks, log):
    """Orca's speech between one key's mark and the next, per key."""
    day = marks[0].date()
    lines = []
    for line in log.splitlines():
        m = SPEECH.match(line)
        if m:
            h, mi, s, frac, text = m.groups()
            stamp = datetime.datetime.combine(
                day, datetime.time(int(h), int(mi), int(s), int(frac[:6].ljust(6, "0"))))
            lines.append((stamp, text))
    spoken = []
    for start, end in zip(marks, marks[1:]):
        spoken.append([text for stamp, text in lines if start <= stamp < end])
    return spoken


def main():
    if len(sys.argv) < 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    program = os.path.abspath(sys.argv[1])
    for tool in ("orca", "Xvfb", "xdotool", "dbus-run-session"):
        if not shutil.which(tool):
            print("%s is not installed: the screen-reader check is skipped" % tool)
            return SKIP
    if os.environ.get("ZF_INSIDE_BUS") != "1":
        # Everything below runs on a bus of its own that ends with it.
        env = dict(os.environ, ZF_INSIDE_BUS="1")
        return subprocess.run(["dbus-run-session", "--", sys.executable] + sys.argv,
                              env=env).returncode

    with tempfile.TemporaryDirectory(prefix="zf-orca-") as workdir:
        marks, log = run_inside_bus(program, workdir)
    spoken = speech_by_key(marks, log)

    failures = 0
    out = []
    for (key, expected), said in zip(LESSON, spoken):
        text = " | ".join(said)
        missing = [words for words in expected if words not in text]
        out.append("%-6s %s" % (key, text if text else "(nothing)"))
        if missing:
            failures += 1
            out.append("       MISSING: %s" % "; ".join(missing))
    transcript = "\n".join(out) + "\n"
    if len(sys.argv) > 2:
        with open(sys.argv[2], "w", encoding="utf-8") as f:
            f.write(transcript)
        with open(sys.argv[2] + ".orca.log", "w", encoding="utf-8") as f:
            f.write(log)
    sys.stdout.write(transcript)
    print("%d passed, %d failed" % (len(LESSON) - failures, failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
