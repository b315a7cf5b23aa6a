# SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes every character of the page beyond ASCII as an escape: a character reference in the
HTML, a \\u escape in a script, a CSS escape in a style. A page of ASCII alone is decoded and
parsed by the browser as one-byte text, which is quicker to start than UTF-8 with a few umlauts
in it; what it shows stays the same.

    python3 asciipage.py <the linked page>
"""
import re
import sys

# A script or style element, with its content; everything else is HTML.
RAW = re.compile(r'(<(script|style)\b[^>]*>)(.*?)(</\2>)', re.S | re.I)


def escape_script(text):
    # In this page's scripts characters beyond ASCII stand only in strings and comments,
    # where a \u escape means the same; astral ones take two, as JavaScript counts them.
    def one(c):
        code = ord(c)
        if code > 0xFFFF:
            code -= 0x10000
            return '\\u%04x\\u%04x' % (0xD800 + (code >> 10), 0xDC00 + (code & 0x3FF))
        return '\\u%04x' % code
    return ''.join(c if ord(c) < 0x80 else one(c) for c in text)


def escape_style(text):
    return ''.join(c if ord(c) < 0x80 else '\\%06x' % ord(c) for c in text)


def escape_html(text):
    return ''.join(c if ord(c) < 0x80 else '&#x%x;' % ord(c) for c in text)


def main(path):
    with open(path, encoding='utf-8') as file:
        page = file.read()
    out = []
    at = 0
    for element in RAW.finditer(page):
        out.append(escape_html(page[at:element.start()]))
        escape = escape_script if element.group(2).lower() == 'script' else escape_style
        out.append(element.group(1) + escape(element.group(3)) + element.group(4))
        at = element.end()
    out.append(escape_html(page[at:]))
    with open(path, 'w', encoding='ascii') as file:
        file.write(''.join(out))


if __name__ == '__main__':
    main(sys.argv[1])
