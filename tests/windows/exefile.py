#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""What Zerfallsfrist.exe is made of, read back from the file:

    exefile.py <exe>

- the DLLs it imports (x86_64-w64-mingw32-objdump -p) are Windows' own, and not one of GCC's
  run-time or UI Automation's, which Wine lacks in part;
- its version record (pefile) is German with Unicode strings, version 1.00;
- it carries the icon group with three images, the manifest, and the three faces of
  Liberation Sans, each cut to far less than the full face.
"""
import re
import subprocess
import sys

import pefile

# Windows' own DLLs, present on every Windows 10 and 11.
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "msvcrt.dll", "ole32.dll",
               "oleaut32.dll", "oleacc.dll", "advapi32.dll", "comctl32.dll"}

EXPECTED_STRINGS = {
    "FileVersion": "1.00",
    "ProductVersion": "1.00",
    "ProductName": "Zerfallsfrist",
    "InternalName": "Zerfallsfrist",
    "OriginalFilename": "Zerfallsfrist.exe",
}

RT_ICON, RT_RCDATA, RT_GROUP_ICON, RT_MANIFEST = 3, 10, 14, 24


def main(path):
    failures = []

    dump = subprocess.run(["x86_64-w64-mingw32-objdump", "-p", path], check=True,
                          capture_output=True, text=True).stdout
    dlls = {name.lower() for name in re.findall(r"DLL Name: (\S+)", dump)}
    print("imports:", ", ".join(sorted(dlls)))
    if not dlls or not dlls <= SYSTEM_DLLS:
        failures.append(f"imports beyond Windows' own DLLs: {sorted(dlls - SYSTEM_DLLS)}")

    pe = pefile.PE(path)
    tables = [table for info in pe.FileInfo[0] if info.Key == b"StringFileInfo"
              for table in info.StringTable]
    if [t.LangID for t in tables] != [b"040704B0"]:
        failures.append(f"string tables: {[t.LangID for t in tables]}")
    strings = {k.decode(): v.decode() for t in tables for k, v in t.entries.items()}
    if strings != EXPECTED_STRINGS:
        failures.append(f"version strings: {strings}")
    translations = [var.entry for info in pe.FileInfo[0] if info.Key == b"VarFileInfo"
                    for var in info.Var]
    if [{k: str(v) for k, v in t.items()} for t in translations] != [
            {b"Translation": "0x0407 0x04b0"}]:
        failures.append(f"translation: {translations}")
    fixed = pe.VS_FIXEDFILEINFO[0]
    if (fixed.FileVersionMS, fixed.FileVersionLS) != (0x00010000, 0):
        failures.append("fixed file version is not 1.0.0.0")
    print("version record:", strings)

    resources = {}
    contents = {}
    for kind in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        for name in kind.directory.entries:
            for language in name.directory.entries:
                data = language.data.struct
                resources[(kind.id, name.id)] = (language.id, data.Size)
                contents[(kind.id, name.id)] = pe.get_data(data.OffsetToData, data.Size)
    icons = sorted(n for (k, n) in resources if k == RT_ICON)
    if icons != [30001, 30002, 30003] or (RT_GROUP_ICON, 1) not in resources:
        failures.append(f"icon resources: {icons}")
    if (RT_MANIFEST, 1) not in resources:
        failures.append("no manifest")
    else:
        manifest = contents[(RT_MANIFEST, 1)].decode()
        for needed in ("PerMonitorV2", "Microsoft.Windows.Common-Controls", 'level="asInvoker"'):
            if needed not in manifest:
                failures.append(f"manifest lacks {needed}")
    fonts = {n: size for (k, n), (_, size) in resources.items() if k == RT_RCDATA}
    print("fonts (bytes):", fonts)
    # The full faces are 130 to 400 KiB each; cut to the program's characters, far less.
    if sorted(fonts) != [2001, 2002, 2003] or max(fonts.values()) > 60_000:
        failures.append(f"font resources: {fonts}")
    for n in fonts:
        if not contents[(RT_RCDATA, n)].startswith(b"\x00\x01\x00\x00"):
            failures.append(f"font resource {n} is no TrueType face")
    languages = {lang for (lang, _) in resources.values()}
    if languages != {0x0407}:
        failures.append(f"resource languages: {sorted(map(hex, languages))}")

    for failure in failures:
        print("FAILED:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
