#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Zerfallsfrist.exe under Wine, driven like a pupil: real clicks and keys through the X server.

    drive.py walk <exe> <boxes.exe> <bare window exe> <desktop shots> <density> <out folder>
    drive.py report <test exe> <out folder>

walk: the start state, the five isotopes (by mouse and by keyboard), the eight presses, the
excursion with "Start" and "Zurück", and the ninth press, which must end the program with
status 0, having written no file and no registry key. In every state the window's pixels are held against the desktop's screenshot of the
same state: outside the labels' and widgets' boxes not one may differ. Back from the excursion,
the list must show as before it, its chosen entry's text and all. The Wine prefix's dpi is set
to 96 times the density first.

report: the test build with its fault seam set, so that the first platform operation after the
start fails: a choice in the list must bring up the error report, and closing it must end the
program with status 1.

Run it on a display and Wine prefix of its own (with-wine.sh).
"""
import math
import os
import subprocess
import sys
import time

WINE = os.environ.get("ZF_WINE", "/usr/lib/wine/wine64")
LESSON = "Die Zerfallsfrist"
COMPARISON = "Der radioaktive Zerfall ausgewählter Isotope im Vergleich"
REPORT = "Zerfallsfrist"
# The scheme's highlight and its text, as the list shows its chosen entry.
HIGHLIGHT = bytes((48, 140, 198))
HIGHLIGHT_TEXT = bytes((255, 255, 255))


def run(*args, **kwargs):
    return subprocess.run(args, check=True, capture_output=True, text=True, **kwargs).stdout


def xdotool(*args):
    return run("xdotool", *map(str, args))


def find_window(title, timeout=20.0):
    """The X window of a visible top-level Wine window with exactly this title."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name",
                                "^" + title + "$"], capture_output=True, text=True)
        ids = found.stdout.split()
        if ids:
            return ids[-1]
        time.sleep(0.2)
    raise AssertionError(f"no window “{title}” appeared")


def is_visible(window):
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "."],
                           capture_output=True, text=True)
    return window in found.stdout.split()


def decode(path):
    """Width, height and the RGB bytes of an image file."""
    size = run("identify", "-format", "%w %h", path).split()
    raw = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], check=True,
                         capture_output=True).stdout
    return int(size[0]), int(size[1]), raw


def shoot(window, path):
    """The window's pixels as the X server has them, once the picture stands still."""
    previous = None
    for _ in range(25):
        time.sleep(0.2)
        run("import", "-window", window, path)
        with open(path, "rb") as f:
            data = f.read()
        if data == previous:
            return
        previous = data


class Boxes:
    """The forms' client sizes, label boxes and widget boxes in logical pixels."""

    def __init__(self, listing):
        self.forms = {}
        current = None
        for line in listing.splitlines():
            fields = line.split()
            if len(fields) == 3:
                current = {"size": (int(fields[1]), int(fields[2])), "label": {}, "widget": {}}
                self.forms[fields[0]] = current
            elif len(fields) == 6:
                current[fields[0]][fields[1]] = tuple(map(int, fields[2:]))


def edge(logical, ratio):
    # A device pixel belongs to the logical pixel that holds its centre, as the core maps them.
    return math.ceil(logical * ratio - 0.5)


class Scale:
    def __init__(self, logical, device):
        self.rx = device[0] / logical[0]
        self.ry = device[1] / logical[1]

    def rect(self, box):
        """The device pixels a logical box covers, as the core maps them."""
        x, y, w, h = box
        left, top = edge(x, self.rx), edge(y, self.ry)
        return left, top, edge(x + w, self.rx), edge(y + h, self.ry)

    def touched(self, box):
        """The device pixels a logical box covers even in part. At a fractional density the
        desktop's widgets and clipped label texts reach into the device pixel their box's edge
        cuts, which the core's mapping gives to the pixel beside."""
        x, y, w, h = box
        return (math.floor(x * self.rx), math.floor(y * self.ry), math.ceil((x + w) * self.rx),
                math.ceil((y + h) * self.ry))

    def centre(self, box):
        left, top, right, bottom = self.rect(box)
        return (left + right) // 2, (top + bottom) // 2


def differing(shot, reference, masks):
    """Pixels that differ outside the masks; None if the sizes differ."""
    w1, h1, a = decode(shot)
    w2, h2, b = decode(reference)
    if (w1, h1) != (w2, h2):
        return None
    masked = bytearray(w1 * h1)
    for left, top, right, bottom in masks:
        left, right = max(left, 0), min(right, w1)
        for y in range(max(top, 0), min(bottom, h1)):
            masked[y * w1 + left:y * w1 + right] = b"\x01" * (right - left)
    return sum(1 for i in range(w1 * h1)
               if not masked[i] and a[3 * i:3 * i + 3] != b[3 * i:3 * i + 3])


class Walk:
    def __init__(self, boxes, shots, density, out):
        self.boxes = boxes
        self.shots = shots
        self.density = density
        self.out = out
        self.failures = []
        self.results = []

    def scale(self, form):
        logical = self.boxes.forms[form]["size"]
        return Scale(logical, (round(logical[0] * self.density), round(logical[1] * self.density)))

    def check(self, window, form, state):
        path = os.path.join(self.out, state + ".png")
        shoot(window, path)
        reference = os.path.join(self.shots, state + ".png")
        scale = self.scale(form)
        entry = self.boxes.forms[form]
        masks = [scale.touched(b) for b in entry["label"].values()]
        masks += [scale.touched(b) for b in entry["widget"].values()]
        count = differing(path, reference, masks)
        self.results.append((state, count))
        if count is None:
            print(f"{state}: the window's size differs from the desktop's", flush=True)
        else:
            print(f"{state}: {count} differing pixels", flush=True)
        if count != 0:
            self.failures.append(state)

    def same_list(self, form, state, earlier):
        """The list shows as in an earlier state with the same choice, its chosen entry's text
        and all; only the focus frame on that entry's edge may come or go."""
        width, _, before = decode(os.path.join(self.out, earlier + ".png"))
        after = decode(os.path.join(self.out, state + ".png"))[2]
        left, top, right, bottom = self.scale(form).rect(self.boxes.forms[form]["widget"]["List1"])
        box = [(x, y) for y in range(top, bottom) for x in range(left, right)]

        def pixel(picture, x, y):
            return picture[3 * (y * width + x):3 * (y * width + x) + 3]

        lit = [(x, y) for x, y in box if pixel(before, x, y) == HIGHLIGHT]
        if not lit:
            print(f"{state}: no chosen entry in {earlier}", flush=True)
            self.failures.append(state + " (list)")
            return
        x0, y0 = min(x for x, _ in lit), min(y for _, y in lit)
        x1, y1 = max(x for x, _ in lit) + 1, max(y for _, y in lit) + 1
        ring = math.ceil(self.density)

        def on_frame(x, y):
            return (x0 <= x < x1 and y0 <= y < y1 and
                    not (x0 + ring <= x < x1 - ring and y0 + ring <= y < y1 - ring))

        changed = sum(1 for x, y in box
                      if not on_frame(x, y) and pixel(after, x, y) != pixel(before, x, y))
        text = any(pixel(after, x, y) == HIGHLIGHT_TEXT
                   for y in range(y0 + ring, y1 - ring) for x in range(x0 + ring, x1 - ring))
        print(f"{state}: the list differs from {earlier} in {changed} pixels, the chosen "
              f"entry's text {'shows' if text else 'is missing'}", flush=True)
        if changed or not text:
            self.failures.append(state + " (list)")

    def click(self, window, form, widget, offset=None):
        scale = self.scale(form)
        box = self.boxes.forms[form]["widget"][widget]
        if offset is None:
            x, y = scale.centre(box)
        else:  # a point inside the box, given in logical pixels from its corner
            left, top, _, _ = scale.rect(box)
            x, y = left + round(offset[0] * self.density), top + round(offset[1] * self.density)
        xdotool("mousemove", "--window", window, x, y)
        xdotool("click", 1)

    def keys(self, window, *names):
        xdotool("windowfocus", "--sync", window)
        for name in names:
            xdotool("key", name)
            time.sleep(0.15)


def read_registry(path):
    """A registry file of Wine's as {key: its value lines}, without Wine's time stamps."""
    keys = {}
    lines = None
    with open(path, encoding="utf-8", errors="replace") as f:
        for line in f:
            line = line.rstrip("\n")
            if line.startswith("["):
                lines = keys.setdefault(line[:line.rindex("]") + 1], [])
            elif lines is not None and line and not line.startswith("#time="):
                lines.append(line)
    return keys


def snapshot():
    """Every file of the Wine prefix with its size and time, and the registry's keys, once Wine
    has written all it holds."""
    run("/usr/lib/wine/wineserver", "-w")
    prefix = os.environ["WINEPREFIX"]
    state = {}
    for folder, _, names in os.walk(prefix):
        for name in names:
            path = os.path.join(folder, name)
            if not os.path.isfile(path) or os.path.islink(path):
                continue
            relative = os.path.relpath(path, prefix)
            if name.endswith(".reg"):
                for key, lines in read_registry(path).items():
                    state[relative + " " + key] = lines
            else:
                info = os.stat(path)
                state[relative] = (info.st_size, info.st_mtime_ns)
    return state


def changed(before, after):
    return {p for p in before.keys() | after.keys() if before.get(p) != after.get(p)}


def written_by(command):
    """What a program writes into the Wine prefix, beyond what Wine itself writes when any
    window program runs: that is measured with a bare window program first."""
    control, exe = command
    before = snapshot()
    subprocess.run([WINE, control], check=True, capture_output=True, timeout=60)
    between = snapshot()
    wine_own = changed(before, between)
    program = subprocess.Popen([WINE, exe])
    return program, lambda: sorted(changed(between, snapshot()) - wine_own)


def set_dpi(dpi):
    run(WINE, "reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/t",
        "REG_DWORD", "/d", str(dpi), "/f")
    run("/usr/lib/wine/wineserver", "-w")


def walk(exe, boxes_exe, control, shots, density, out):
    os.makedirs(out, exist_ok=True)
    boxes = Boxes(run(WINE, boxes_exe))
    set_dpi(round(96 * density))
    w = Walk(boxes, shots, density, out)
    program, written = written_by((control, exe))
    try:
        lesson = find_window(LESSON)
        geometry = xdotool("getwindowgeometry", lesson)
        print(geometry.strip().splitlines()[-1].strip(), flush=True)
        w.check(lesson, "Form1", "form1-start")

        # The isotopes as the desktop's walk chose them: rows 0, 1, 2, 4 and 3. The first by
        # mouse, on the first entry; the others by keyboard.
        w.click(lesson, "Form1", "List1", offset=(6, 4))
        w.check(lesson, "Form1", "form1-isotope-kalium40")
        w.keys(lesson, "Down")
        w.check(lesson, "Form1", "form1-isotope-thorium232")
        w.keys(lesson, "Down")
        w.check(lesson, "Form1", "form1-isotope-uran235")
        w.keys(lesson, "End")
        w.check(lesson, "Form1", "form1-isotope-kohlenstoff14")
        w.keys(lesson, "Up")
        w.check(lesson, "Form1", "form1-isotope-uran238")

        # "Weiter": the first press by mouse, then Enter and Space in turn on the focused button.
        w.click(lesson, "Form1", "Command1")
        w.check(lesson, "Form1", "form1-press1")
        for press in range(2, 9):
            w.keys(lesson, "Return" if press % 2 == 0 else "space")
            w.check(lesson, "Form1", f"form1-press{press}")

        # The excursion: "Start" draws the comparison, "Zurück" returns to the lesson.
        w.click(lesson, "Form1", "Command2")
        comparison = find_window(COMPARISON)
        w.check(comparison, "Form2", "form2-start")
        w.click(comparison, "Form2", "Command1")
        w.check(comparison, "Form2", "form2-plot")
        w.click(comparison, "Form2", "Command2")
        lesson = find_window(LESSON)
        w.check(lesson, "Form1", "form1-back")
        w.same_list("Form1", "form1-back", "form1-press8")

        # The ninth press: "Ende" held down, then let go, which ends the program.
        scale = w.scale("Form1")
        x, y = scale.centre(boxes.forms["Form1"]["widget"]["Command1"])
        xdotool("mousemove", "--window", lesson, x, y)
        xdotool("mousedown", 1)
        w.check(lesson, "Form1", "form1-press9")
        xdotool("mouseup", 1)
        status = program.wait(timeout=15)
        print(f"exit status after the ninth press: {status}", flush=True)
        if status != 0:
            w.failures.append("exit status")
        # The program writes nothing: no file, no registry key.
        keys = written()
        print(f"files and registry keys written: {keys or 'none'}", flush=True)
        if keys:
            w.failures.append("files or registry keys written")
    finally:
        if program.poll() is None:
            program.kill()
            w.failures.append("still running")
    if w.failures:
        print("FAILED: " + ", ".join(w.failures))
        return 1
    return 0


def report(test_exe, out):
    os.makedirs(out, exist_ok=True)
    set_dpi(96)
    env = dict(os.environ, ZF_FAIL_CALL="1")
    program = subprocess.Popen([WINE, test_exe], env=env)
    try:
        lesson = find_window(LESSON)
        xdotool("mousemove", "--window", lesson, 330, 75)  # the list's first entry
        xdotool("click", 1)
        box = find_window(REPORT)
        shoot(box, os.path.join(out, "report.png"))
        if program.poll() is not None:
            print("the program ended before the report was read")
            return 1
        xdotool("windowfocus", "--sync", box)
        xdotool("key", "Return")
        status = program.wait(timeout=15)
        print(f"exit status after the report: {status}")
        return 0 if status == 1 else 1
    finally:
        if program.poll() is None:
            program.kill()


if __name__ == "__main__":
    if len(sys.argv) == 8 and sys.argv[1] == "walk":
        sys.exit(walk(sys.argv[2], sys.argv[3], sys.argv[4], sys.argv[5], float(sys.argv[6]),
                      sys.argv[7]))
    if len(sys.argv) == 4 and sys.argv[1] == "report":
        sys.exit(report(sys.argv[2], sys.argv[3]))
    sys.exit(__doc__)
