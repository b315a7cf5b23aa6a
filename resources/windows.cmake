# SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The resources of Zerfallsfrist.exe for the Windows face's build, which has no Qt: the version
# record and the icon group (zerfallsfrist.rc, as the desktop build configures it too), and the
# manifest. Sets ZF_WINDOWS_RESOURCES.
set(zf_resources ${CMAKE_CURRENT_LIST_DIR})
foreach(size 16 32 48)
    set(ZF_ICON_${size} ${zf_resources}/icons/zerfallsfrist-${size}.png)
    file(SIZE ${ZF_ICON_${size}} ZF_ICON_${size}_BYTES)
endforeach()
math(EXPR minor "${PROJECT_VERSION_MINOR}") # "1.00": 1, 0
set(ZF_VERSION_COMMAS "${PROJECT_VERSION_MAJOR},${minor},0,0")
configure_file(${zf_resources}/zerfallsfrist.rc.in ${PROJECT_BINARY_DIR}/resources/zerfallsfrist.rc
               @ONLY)
set(ZF_MANIFEST ${zf_resources}/zerfallsfrist.manifest)
configure_file(${zf_resources}/manifest.rc.in ${PROJECT_BINARY_DIR}/resources/manifest.rc @ONLY)
set_source_files_properties(${PROJECT_BINARY_DIR}/resources/manifest.rc PROPERTIES
                            OBJECT_DEPENDS ${ZF_MANIFEST})
set(ZF_WINDOWS_RESOURCES ${PROJECT_BINARY_DIR}/resources/zerfallsfrist.rc
    ${PROJECT_BINARY_DIR}/resources/manifest.rc)
