# SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Cuts a Liberation Sans face down to the characters the page can show.

    /usr/bin/python3 subset.py <face.ttf> <out.ttf> <source>...

The characters are every character of the given sources (the layouts, the handlers, the error
reports, the page's own texts), so that a new caption brings its letters with it, and Latin-1
besides, for what a number or a future text may need. Whole files are read rather than their
string literals: a comment's few extra letters cost less than a missed text would. The faces
keep their hinting, though it is more than half of each: Chromium and Firefox on Linux draw the
same without it, but WebKitGTK then hints the glyphs itself and sets the texts wider.
"""

import sys

from fontTools import subset

LATIN_1 = "".join(chr(c) for c in [*range(0x20, 0x7F), *range(0xA0, 0x100)])


def shown_characters(sources):
    seen = set(LATIN_1)
    for source in sources:
        with open(source, encoding="utf-8") as file:
            seen.update(c for c in file.read() if c.isprintable())
    return "".join(sorted(seen))


def main(face, output, sources):
    options = subset.Options()
    options.name_IDs = [0, 1, 2, 3, 4, 5, 6, 13, 14]  # its names, copyright and licence
    options.notdef_outline = True
    font = subset.load_font(face, options)
    cutter = subset.Subsetter(options)
    cutter.populate(text=shown_characters(sources))
    cutter.subset(font)
    subset.save_font(font, output, options)


if __name__ == "__main__":
    if len(sys.argv) < 4:
        sys.exit("usage: subset.py <face.ttf> <out.ttf> <source>...")
    main(sys.argv[1], sys.argv[2], sys.argv[3:])
