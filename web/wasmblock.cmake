# SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Moves the program's WebAssembly, which the linker puts into its script as a base64 string,
# into a data block of its own before that script, where wasmbinary.js finds it.
#     cmake -DPAGE=<the linked page> -P wasmblock.cmake
file(READ ${PAGE} page)
set(prefix "wasmBinaryFile=\"data:application/octet-stream;base64,")
string(FIND "${page}" "${prefix}" start)
string(FIND "${page}" "var Module=typeof Module" runtime)
if(start EQUAL -1 OR runtime EQUAL -1)
    message(FATAL_ERROR "${PAGE}: the linker's WebAssembly string or script was not found; "
                        "has the emscripten version changed?")
endif()
string(LENGTH "${prefix}" length)
math(EXPR data "${start} + ${length}")
string(SUBSTRING "${page}" ${data} -1 rest)
string(FIND "${rest}" "\"" end)
string(SUBSTRING "${rest}" 0 ${end} wasm)
string(SUBSTRING "${rest}" ${end} -1 after)
string(SUBSTRING "${page}" 0 ${data} before)
# The script that holds the runtime opens with the last <script> before its first line.
string(SUBSTRING "${before}" 0 ${runtime} head)
string(FIND "${head}" "<script>" open REVERSE)
string(SUBSTRING "${before}" 0 ${open} top)
string(SUBSTRING "${before}" ${open} -1 script)
file(WRITE ${PAGE} "${top}<script type=\"application/octet-stream\" id=\"zf-wasm\">${wasm}</script>\n"
                   "${script}${after}")
