# SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
# SPDX-License-Identifier: GPL-3.0-or-later

# zf_layer(<target> <folder>)
# Makes <folder> the one include root <target> publishes: its headers are included as
# "<folder>/<name>.h" by the target itself and by whatever links it, and by nothing else. The
# root is a folder of the build that holds a link to <folder> alone, so a layer sees the
# headers of the layers it links and no others: an include that reaches upward, or sideways to
# a layer not linked, fails to build.
function(zf_layer target folder)
    set(root ${PROJECT_BINARY_DIR}/layers/${target})
    get_filename_component(parent ${root}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
    target_include_directories(${target} PUBLIC ${root})
endfunction()
