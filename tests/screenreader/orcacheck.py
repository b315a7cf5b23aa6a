# SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""What the screen-reader checks share: a blind pupil's whole lesson, keyboard only, with the
Orca screen reader listening, and what Orca must say after each key; the desktop program
(orca_lesson.py) and the web page in Chromium (orca_web.py) are held to the same words.

A check starts a virtual X display (tests/support/with-xvfb.sh), a private D-Bus session with
the accessibility bus, the program and Orca with a debug log and settings of its own; presses
the lesson's keys 2.5 s apart, marking the time of each, and now and then has Orca read the
whole window by flat review, as a pupil explores it. Then it matches Orca's SPEECH OUTPUT lines
to the keys by time and checks that each key was answered with what it brought, and that this
was the last thing said, so nothing cut it off. It exits 0 when every check holds, 1 when one
fails, and 77 (skip) when Orca, Xvfb or another tool is missing, and writes the transcript to
TRANSCRIPT, and Orca's log beside it, or the transcript to standard output.
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

# How Orca must answer a step:
#   RESULT: the last thing Orca says is the result, with all the words given; nothing said
#           after it cuts it off.
#   SAYS:   Orca says the words somewhere, as when it speaks a window or control it enters.
#   REVIEW: the double press of keypad plus has Orca read the whole window by flat review; it
#           must find the words, and none of the unsaid ones.
RESULT, SAYS, REVIEW = "result", "says", "review"
FLAT_REVIEW = "KP_Add KP_Add"

ISOTOPES = ["Kalium 40", "Thorium 232", "Uran 235", "Uran 238"]


class Step:
    """One step of the lesson: its keys (xdotool's names, none for what the start brings), how
    Orca must answer, the words, the words it must not say, and the list entry it must name
    on its own as the key chooses it."""

    def __init__(self, keys, kind, words, unsaid=(), entry=None):
        self.keys, self.kind, self.words = keys, kind, list(words)
        self.unsaid, self.entry = list(unsaid), entry


def lesson(face):
    """The lesson's steps as a face must answer them: "desktop" or "web". They differ where
    the platforms do: a desktop window is a frame to Orca, which names its role; the page names
    the window it switches to through its live region. In Chromium the list's entry is spoken
    as the choice moves to it, before the result; on the desktop Orca leaves that out for the
    first choice, so it is asked of the page only. Orca calls an empty notification a bare
    "notification" in flat review; a page's empty live region is a "statusbar"."""
    web = face == "web"
    steps = []
    if web:
        # The page gives the list the focus as it starts: Orca names the list, with its
        # entries. Whether it names the window too depends on which came first: a Chromium
        # window that was active before Orca ran is one Orca never hears activated (without a
        # window manager, focusing another window does not take that back).
        steps.append(Step("", SAYS, ["Isotope", "Liste mit 5 Einträgen"]))
    # The pupil explores the window before choosing: the texts to come must still be found
    # later, and nothing empty shows up.
    steps.append(Step(FLAT_REVIEW, REVIEW,
                      ["Wähle aus der Liste ein Isotop aus", "Isotop", "Diagramm ohne Kurve"],
                      ["statusbar" if web else "notification"]))
    results = [["Zerfallsfrist 1280 Millionen Jahre", "Zerfallskurve ist gezeichnet"],
               ["14050 Millionen Jahre", "Zerfallskurve ist gezeichnet"],
               ["703,8 Millionen Jahre", "Zerfallskurve ist gezeichnet"],
               ["4468 Millionen Jahre", "Zerfallskurve ist gezeichnet",
                "bis 22340 Millionen Jahre"]]
    for choice, (isotope, words) in enumerate(zip(ISOTOPES, results)):
        # An entry that is chosen is not said to be not chosen. In Chromium Orca says so of the
        # first choice all the same, in the page's listbox as in the <select> before it: Chromium
        # tells of the list's selection before the entry's state has changed, and Orca reads
        # the state then.
        steps.append(Step("Down", RESULT, [isotope] + words,
                          ["nicht ausgewählt"] if web and choice > 0 else [],
                          isotope if web else None))
    excursion = "Der radioaktive Zerfall ausgewählter Isotope im Vergleich"
    steps += [
        Step("Tab", SAYS, ["Weiter"]),
        Step("space", RESULT, ["Wenn Du Dir die verschiedenen Kurven anschaust",
                               "Abhängigkeit der jeweiligen Zerfallsfrist des ausgewählten "
                               "Isotops."]),
        Step("space", RESULT, ["Was versteht man unter dem Begriff",
                               "Dann ist das Isotop sehr stark radioaktiv und zerfällt "
                               "entsprechend schnell."]),
        Step("space", RESULT, ["Betrachte im Diagramm", "als Exponentialgesetz.",
                               "Gepunktete Hilfslinien markieren jetzt die ersten fünf "
                               "Zerfallsfristen", "25%, 12,5% und 6,25%"]),
        Step(FLAT_REVIEW, REVIEW, ["Wenn Du Dir die verschiedenen Kurven anschaust",
                                   "Was versteht man unter dem Begriff", "Betrachte im Diagramm",
                                   "25%", "12,5%", "6,25%", "Gepunktete Hilfslinien"]),
        Step("space", RESULT, ["erste Zerfallsfrist", "zwischen 0 und 4468 Millionen Jahren",
                               "von 100% auf 50%"]),
        Step("space", RESULT, ["zweite Zerfallsfrist", "zwischen 4468 und 8936 Millionen Jahren",
                               "von 50% auf 25%"]),
        Step("space", RESULT, ["dritte Zerfallsfrist", "zwischen 8936 und 13404 Millionen Jahren",
                               "von 25% auf 12,5%"]),
        Step("space", RESULT, ["vierte Zerfallsfrist",
                               "zwischen 13404 und 17872 Millionen Jahren", "von 12,5% auf 6,25%"]),
        Step("space", RESULT, ["Hervorhebung ist aufgehoben", "„Ende“", "beendet das Programm"]),
        Step("Tab", SAYS, ["Exkurs"]),
        Step("space", SAYS, [excursion if web else excursion + " frame", "Start"]),
        Step("space", RESULT, ["Cs-137 (Cäsium -137) in Hellrot, Am-241 (Americium -241) in "
                               "Dunkelblau, Ra-226 (Radium -226) in Rot, C-14 (Kohlenstoff -14) "
                               "in Dunkelorange, Pu-239 (Plutonium -239) in Magenta."]),
        Step(FLAT_REVIEW, REVIEW, ["Cs-137 (Cäsium -137)", "Am-241 (Americium -241)",
                                   "Ra-226 (Radium -226)", "C-14 (Kohlenstoff -14)",
                                   "Pu-239 (Plutonium -239)"]),
        Step("Tab", SAYS, ["Zurück"]),
        Step("space", RESULT, ["Zurück im Fenster „Die Zerfallsfrist“, nach Schritt 8 von 9."]),
        Step(FLAT_REVIEW, REVIEW, ["Betrachte im Diagramm", "6,25%",
                                   "Zurück im Fenster „Die Zerfallsfrist“"]),
    ]
    return steps


# "10:25:28.913396 - SPEECH OUTPUT: 'Uran 238.'{'established': False}"
SPEECH = re.compile(r"^(\d\d):(\d\d):(\d\d)\.(\d+) - SPEECH OUTPUT: '(.*)'\s*(\{.*\}|None)?\s*$")


def session(start_program, window, steps, workdir, settle, focus_wait):
    """Runs the lesson; we are on the X server of DISPLAY, inside dbus-run-session.
    `start_program(env, workdir)` starts the program and returns its process; `window` is the
    title of its window, which gets the keys; `settle` [s] is how long the program and Orca need
    before the window gets the focus, `focus_wait` [s] how long Orca needs to tell of the focus
    before the first key. Returns (marks, log text)."""
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
        children.append(start_program(env, workdir))
        log = os.path.join(workdir, "orca.log")
        prefs = os.path.join(workdir, "orca-prefs")
        os.mkdir(prefs)
        orca = subprocess.Popen(["orca", "--debug-file=" + log, "-u", prefs], env=env,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        children.append(orca)
        time.sleep(settle)
        marks = [datetime.datetime.now()]
        subprocess.run(["xdotool", "search", "--sync", "--name", window, "windowfocus", "--sync"],
                       env=env, check=True, timeout=20, stdout=subprocess.DEVNULL)
        # With no window manager, Chromium tells of the window's focus only once a key comes;
        # Shift alone changes nothing.
        subprocess.run(["xdotool", "key", "shift"], env=env, check=True)
        time.sleep(focus_wait)
        for step in steps:
            if step.keys:
                marks.append(datetime.datetime.now())
                # A double press must come within Orca's half second.
                subprocess.run(["xdotool", "key", "--clearmodifiers", "--delay", "100"] +
                               step.keys.split(), env=env, check=True)
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
    """Orca's speech between one mark and the next: what came before the first key, then what
    each key brought."""
    day = marks[0].date()
    lines = []
    for line in log.splitlines():
        m = SPEECH.match(line)
        if m:
            h, mi, s, frac, text = m.groups()[:5]
            stamp = datetime.datetime.combine(
                day, datetime.time(int(h), int(mi), int(s), int(frac[:6].ljust(6, "0"))))
            lines.append((stamp, text))
    return [[text for stamp, text in lines if start <= stamp < end]
            for start, end in zip(marks, marks[1:])]


def judge(steps, spoken):
    """The transcript, a line for each step and one for each expectation that failed, and how
    many steps failed. `spoken` holds what was said at the start, then for each key."""
    start, by_key = spoken[0], iter(spoken[1:])
    failures = 0
    out = []
    for step in steps:
        said = next(by_key) if step.keys else start
        heard = said[-1:] if step.kind == RESULT else said
        missing = [w for w in step.words if not any(w in text for text in heard)]
        wrong = [w for w in step.unsaid if any(w in text for text in said)]
        # The entry, said as an utterance of its own before the result.
        entry = [] if step.entry is None or any(
            text.rstrip(". ") == step.entry for text in said[:-1]) else [step.entry]
        name = "(start)" if not step.keys else "review" if step.keys == FLAT_REVIEW else step.keys
        out.append("%-7s %s" % (name, " | ".join(said) if said else "(nothing)"))
        if missing or wrong or entry:
            failures += 1
            where = "in the last words" if step.kind == RESULT else "anywhere"
            if missing:
                out.append("        MISSING %s: %s" % (where, "; ".join(missing)))
            if entry:
                out.append("        ENTRY NOT SAID ON ITS OWN: %s" % entry[0])
            if wrong:
                out.append("        SAID, BUT MUST NOT BE: %s" % "; ".join(wrong))
    return out, failures


def main(doc, face, tools, start_program, window, settle, focus_wait=KEY_GAP):
    """The whole check for a face, from the command line: PROGRAM [TRANSCRIPT]."""
    if len(sys.argv) < 2:
        print(doc.strip(), file=sys.stderr)
        return 2
    for tool in ("orca", "Xvfb", "xdotool", "dbus-run-session", BUS_LAUNCHER) + tuple(tools):
        if not shutil.which(tool):
            print("%s is not installed: the screen-reader check is skipped "
                  "(scripts/setup-debian.sh installs it)" % tool)
            return SKIP
    if os.environ.get("ZF_INSIDE_BUS") != "1":
        # Everything below runs on an X server and a bus of its own that end with it.
        env = dict(os.environ, ZF_INSIDE_BUS="1")
        return subprocess.run(["sh", WITH_XVFB, "--", "dbus-run-session", "--", sys.executable]
                              + sys.argv, env=env).returncode

    program = os.path.abspath(sys.argv[1])
    steps = lesson(face)
    for attempt in range(2):
        with tempfile.TemporaryDirectory(prefix="zf-orca-") as workdir:
            marks, log = session(lambda env, workdir: start_program(program, env, workdir),
                                 window, steps, workdir, settle, focus_wait)
        if any(SPEECH.match(line) for line in log.splitlines()):
            break
        # Now and then Orca hangs in its own start, before it says even that it runs.
        print("Orca said nothing at all%s" % ("; once more" if attempt == 0 else ""))
    out, failures = judge(steps, speech_by_key(marks, log))
    transcript = "\n".join(out) + "\n"
    if len(sys.argv) > 2:
        with open(sys.argv[2], "w", encoding="utf-8") as f:
            f.write(transcript)
        with open(sys.argv[2] + ".orca.log", "w", encoding="utf-8") as f:
            f.write(log)
    sys.stdout.write(transcript)
    print("%d passed, %d failed" % (len(steps) - failures, failures))
    return 1 if failures else 0
