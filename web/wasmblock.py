# SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Moves the program's WebAssembly, which the linker puts into its script as a base64 string,
into a data block of its own before the page's first script, the start-up's, which compiles it
while the runtime's script is still being read. The block holds the wasm gzip-compressed (with
no time stamp, so that a build is repeatable): in base64 a third of its size, which the browser
inflates natively.

    python3 wasmblock.py <the linked page>
"""
import base64
import gzip
import sys

PREFIX = 'wasmBinaryFile="data:application/octet-stream;base64,'
RUNTIME = 'var Module=typeof Module'


def main(path):
    with open(path, encoding='utf-8') as file:
        page = file.read()
    start = page.find(PREFIX)
    if start < 0 or RUNTIME not in page:
        sys.exit(f'{path}: the linker\'s WebAssembly string or script was not found; '
                 'has the emscripten version changed?')
    data = start + len(PREFIX)
    end = page.index('"', data)
    wasm = base64.b64decode(page[data:end], validate=True)
    packed = base64.b64encode(gzip.compress(wasm, compresslevel=9, mtime=0)).decode('ascii')
    first = page.find('<script>')
    with open(path, 'w', encoding='utf-8') as file:
        file.write(page[:first] + f'<script type="application/octet-stream" id="zf-wasm">'
                   f'{packed}</script>\n' + page[first:data] + page[end:])


if __name__ == '__main__':
    main(sys.argv[1])
