#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""A blind pupil's whole lesson, keyboard only, with the Orca screen reader listening to the
desktop program (the lesson and what Orca must say: orcacheck.py).

    orca_lesson.py PROGRAM [TRANSCRIPT]
"""

import subprocess
import sys

sys.dont_write_bytecode = True  # the checks write nothing into the source folder
import orcacheck  # noqa: E402


def start(program, env, workdir):
    return subprocess.Popen([program], env=dict(env, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                                                QT_QPA_PLATFORM="xcb"),
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


if __name__ == "__main__":
    sys.exit(orcacheck.main(__doc__, "desktop", (), start, "Die Zerfallsfrist", settle=8))
