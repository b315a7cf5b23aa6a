# SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Makes the page's shell: the template with the styles, the start-up script and the three
# faces of Liberation Sans inside, as WOFF2 in data: URLs.
#     cmake -DTEMPLATE=… -DSTYLE=… -DSTARTUP=… -DFONTS=<folder of the .woff2> -DOUTPUT=… -P embed.cmake
file(READ ${TEMPLATE} page)
file(READ ${STYLE} style)
file(READ ${STARTUP} startup)

set(faces "")
foreach(entry "Regular;normal;normal" "Bold;bold;normal" "Italic;normal;italic")
    list(GET entry 0 name)
    list(GET entry 1 weight)
    list(GET entry 2 slant)
    execute_process(COMMAND base64 -w0 ${FONTS}/LiberationSans-${name}.woff2
                    OUTPUT_VARIABLE data RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "could not read ${FONTS}/LiberationSans-${name}.woff2")
    endif()
    string(APPEND faces "@font-face { font-family: \"Liberation Sans\"; font-weight: ${weight}; "
           "font-style: ${slant}; src: url(data:font/woff2;base64,${data}) format(\"woff2\"); }\n")
endforeach()

string(REPLACE "@FONT_FACES@" "${faces}" page "${page}")
string(REPLACE "@PAGE_STYLE@" "${style}" page "${page}")
string(REPLACE "@STARTUP_SCRIPT@" "${startup}" page "${page}")
file(WRITE ${OUTPUT} "${page}")
