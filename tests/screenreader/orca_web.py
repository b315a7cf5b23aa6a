#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""A blind pupil's whole lesson, keyboard only, with the Orca screen reader listening to the web
page in Debian's Chromium (the lesson and what Orca must say: orcacheck.py).

    orca_web.py PAGE [TRANSCRIPT]

Chromium runs with a window of its own (no headless mode has an accessibility bridge), as an
app window without the browser's toolbars, in German, with its accessibility always on.
ZF_CHROMIUM names another Chromium.
"""

import os
import subprocess
import sys

sys.dont_write_bytecode = True  # the checks write nothing into the source folder
import orcacheck  # noqa: E402

CHROMIUM = os.environ.get("ZF_CHROMIUM", "/usr/bin/chromium")


def start(page, env, workdir):
    # A German page in a browser that speaks English: Chromium would offer a translation in a
    # bar of the window, which flat review would read.
    profile = os.path.join(workdir, "chromium")
    os.makedirs(os.path.join(profile, "Default"))
    with open(os.path.join(profile, "Default", "Preferences"), "w", encoding="utf-8") as f:
        f.write('{"translate": {"enabled": false}}')
    return subprocess.Popen([
        CHROMIUM, "--force-renderer-accessibility", "--user-data-dir=" + profile,
        # The tests run as root, which Chromium's sandbox refuses; --test-type keeps the
        # browser from saying so in a bar of the window, which flat review would read.
        "--no-sandbox", "--test-type", "--no-first-run", "--no-default-browser-check",
        "--lang=de-DE", "--accept-lang=de-DE",
        "--window-position=0,0", "--window-size=1100,900", "--app=file://" + page],
        env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


if __name__ == "__main__":
    sys.exit(orcacheck.main(__doc__, "web", (CHROMIUM,), start, "Die Zerfallsfrist", settle=12,
                           focus_wait=3 * orcacheck.KEY_GAP))
