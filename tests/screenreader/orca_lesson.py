#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""A blind pupil's whole lesson, keyboard only, with the Orca screen reader listening.

    orca_lesson.py PROGRAM [TRANSCRIPT]

Starts a virtual X display (tests/support/with-xvfb.sh), a private D-Bus session with the
accessibility bus, the program and Orca with a debug log and settings of its own; presses the lesson's keys 2.5 s apart, marking
the time of each, and now and then has Orca read the whole window by flat review, as a pupil
explores it. Then it matches Orca's SPEECH OUTPUT lines to the keys by time and checks that each
key was answered with what it brought, and that this was the last thing said, so nothing cut it
off. Exits 0 when every check holds, 1 when one fails, and 77 (skip) when Orca, Xvfb or another
tool is missing. Writes the transcript to TRANSCRIPT, and Orca's log beside it, or the
transcript to standard output.
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
WITH_XVFB = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support",
                         "with-xvfb.sh")
BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"
KEY_GAP = 2.5  # [s] Orca needs this long to speak and settle

# The lesson, step by step: the keys of one step (xdotool's names), and how Orca must answer.
#   RESULT: the last thing Orca says is the result, with all the words given; nothing said
#           after it cuts it off.
#   SAYS:   Orca says the words somewhere, as when it speaks a window or control it enters.
#   REVIEW: the double press of keypad plus has Orca read the whole window by flat review; it
#           must find the words, and none of the unsaid ones.
RESULT, SAYS, REVIEW = "result", "says", "review"
FLAT_REVIEW = "KP_Add KP_Add"
LESSON = [
    # The pupil explores the window before choosing: the texts to come must still be found
    # later, and nothing empty shows up.
    (FLAT_REVIEW, REVIEW, ["Wähle aus der Liste ein Isotop aus", "Isotop", "Diagramm ohne Kurve"],
     ["notification"]),
    ("Down", RESULT, ["Kalium 40", "Zerfallsfrist 1280 Millionen Jahre",
                      "Zerfallskurve ist gezeichnet"]),
    ("Down", RESULT, ["Thorium 232", "14050 Millionen Jahre", "Zerfallskurve ist gezeichnet"]),
    ("Down", RESULT, ["Uran 235", "703,8 Millionen Jahre", "Zerfallskurve ist gezeichnet"]),
    ("Down", RESULT, ["Uran 238", "4468 Millionen Jahre", "Zerfallskurve ist gezeichnet",
                      "bis 22340 Millionen Jahre"]),
    ("Tab", SAYS, ["Weiter"]),
    ("space", RESULT, ["Wenn Du Dir die verschiedenen Kurven anschaust",
                       "Abhängigkeit der jeweiligen Zerfallsfrist des ausgewählten Isotops."]),
    ("space", RESULT, ["Was versteht man unter dem Begriff",
                       "Dann ist das Isotop sehr stark radioaktiv und zerfällt entsprechend "
                       "schnell."]),
    ("space", RESULT, ["Betrachte im Diagramm", "als Exponentialgesetz.",
                       "Gepunktete Hilfslinien markieren jetzt die ersten fünf Zerfallsfristen",
                       "25%, 12,5% und 6,25%"]),
    (FLAT_REVIEW, REVIEW, ["Wenn Du Dir die verschiedenen Kurven anschaust",
                           "Was versteht man unter dem Begriff", "Betrachte im Diagramm",
                           "25%", "12,5%", "6,25%", "Gepunktete Hilfslinien"], []),
    ("space", RESULT, ["erste Zerfallsfrist", "zwischen 0 und 4468 Millionen Jahren",
                       "von 100% auf 50%"]),
    ("space", RESULT, ["zweite Zerfallsfrist", "zwischen 4468 und 8936 Millionen Jahren",
                       "von 50% auf 25%"]),
    ("space", RESULT, ["dritte Zerfallsfrist", "zwischen 8936 und 13404 Millionen Jahren",
                       "von 25% auf 12,5%"]),
    ("space", RESULT, ["vierte Zerfallsfrist", "zwischen 13404 und 17872 Millionen Jahren",
                       "von 12,5% auf 6,25%"]),
    ("space", RESULT, ["Hervorhebung ist aufgehoben", "„Ende“", "beendet das Programm"]),
    ("Tab", SAYS, ["Exkurs"]),
    ("space", SAYS, ["Der radioaktive Zerfall ausgewählter Isotope im Vergleich frame", "Start"]),
    ("space", RESULT, ["Cs-137 (Cäsium -137) in Hellrot, Am-241 (Americium -241) in Dunkelblau, "
                       "Ra-226 (Radium -226) in Rot, C-14 (Kohlenstoff -14) in Dunkelorange, "
                       "Pu-239 (Plutonium -239) in Magenta."]),
    (FLAT_REVIEW, REVIEW, ["Cs-137 (Cäsium -137)", "Am-241 (Americium -241)",
                           "Ra-226 (Radium -226)", "C-14 (Kohlenstoff -14)",
                           "Pu-239 (Plutonium -239)"], []),
    ("Tab", SAYS, ["Zurück"]),
    ("space", RESULT, ["Zurück im Fenster „Die Zerfallsfrist“, nach Schritt 8 von 9."]),
    (FLAT_REVIEW, REVIEW, ["Betrachte im Diagramm", "6,25%",
                           "Zurück im Fenster „Die Zerfallsfrist“"], []),
]

# "10:25:28.913396 - SPEECH OUTPUT: 'Uran 238.'{'established': False}"
SPEECH = re.compile(r"^(\d\d):(\d\d):(\d\d)\.(\d+) - SPEECH OUTPUT: '(.*)'\s*(\{.*\}|None)?\s*$")


def run_inside_bus(program, workdir):
    """Runs the session; we are on the X server of DISPLAY, inside dbus-run-session. Returns
    (marks, log text)."""
    env = dict(os.environ)
    runtime_dir = os.path.join(workdir, "runtime")
    os.mkdir(runtime_dir, 0o700)
    env.update(XDG_RUNTIME_DIR=runtime_dir, HOME=workdir, LANG="de_DE.UTF-8",
               LANGUAGE="de", NO_AT_BRIDGE="0", GTK_A11Y="atspi")
    children = []
    try:
        children.append(subprocess.Popen(
            [BUS_LAUNCHER, "--launch-immediately"], env=env,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        time.sleep(1)
        app_env = dict(env, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
        children.append(subprocess.Popen([program], env=app_env, stdout=subprocess.DEVNULL,
                                         stderr=subprocess.DEVNULL))
        log = os.path.join(workdir, "orca.log")
        prefs = os.path.join(workdir, "orca-prefs")
        os.mkdir(prefs)
        orca = subprocess.Popen(["orca", "--debug-file=" + log, "-u", prefs], env=env,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        children.append(orca)
        time.sleep(8)
        subprocess.run(["xdotool", "search", "--sync", "--name", "Die Zerfallsfrist",
                        "windowfocus", "--sync"], env=env, check=True, timeout=20,
                       stdout=subprocess.DEVNULL)
        time.sleep(KEY_GAP)
        marks = []
        for keys, *_ in LESSON:
            marks.append(datetime.datetime.now())
            # A double press must come within Orca's half second.
            subprocess.run(["xdotool", "key", "--clearmodifiers", "--delay", "100"] + keys.split(),
                           env=env, check=True)
            time.sleep(KEY_GAP)
        marks.append(datetime.datetime.now())
        # Orca writes its log through a buffer; it is complete once Orca has ended. It runs
        # its handler for the signal only once it has a key to answer.
        orca.terminate()
        time.sleep(0.5)
        subprocess.run(["xdotool", "key", "shift"], env=env, check=False)
        try:
            orca.wait(10)
        except subprocess.TimeoutExpired:
            orca.kill()
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
            h, mi, s, frac, text = m.groups()[:5]
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
    for tool in ("orca", "Xvfb", "xdotool", "dbus-run-session", BUS_LAUNCHER):
        if not shutil.which(tool):
            print("%s is not installed: the screen-reader check is skipped "
                  "(scripts/setup-debian.sh installs it)" % tool)
            return SKIP
    if os.environ.get("ZF_INSIDE_BUS") != "1":
        # Everything below runs on an X server and a bus of its own that end with it.
        env = dict(os.environ, ZF_INSIDE_BUS="1")
        return subprocess.run(["sh", WITH_XVFB, "--", "dbus-run-session", "--", sys.executable]
                              + sys.argv, env=env).returncode

    with tempfile.TemporaryDirectory(prefix="zf-orca-") as workdir:
        marks, log = run_inside_bus(program, workdir)
    spoken = speech_by_key(marks, log)

    failures = 0
    out = []
    for (keys, kind, words, *unsaid), said in zip(LESSON, spoken):
        heard = said[-1:] if kind == RESULT else said
        missing = [w for w in words if not any(w in text for text in heard)]
        wrong = [w for w in (unsaid[0] if unsaid else []) if any(w in text for text in said)]
        out.append("%-6s %s" % ("review" if keys == FLAT_REVIEW else keys,
                                " | ".join(said) if said else "(nothing)"))
        if missing or wrong:
            failures += 1
            where = "in the last words" if kind == RESULT else "anywhere"
            if missing:
                out.append("       MISSING %s: %s" % (where, "; ".join(missing)))
            if wrong:
                out.append("       SAID, BUT MUST NOT BE: %s" % "; ".join(wrong))
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
