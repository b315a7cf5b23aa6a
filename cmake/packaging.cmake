# SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
# SPDX-License-Identifier: GPL-3.0-or-later

# A Debian package of what `cmake --install` installs: scripts/package.sh builds it.

# Who answers for the package: its control file, changelog and copyright name this address.
set(ZF_MAINTAINER "Zerfallsfrist-Entwickler <zerfallsfrist@users.noreply.github.com>")

if(UNIX AND NOT APPLE)
    # What Debian asks of every package beside the program: the copyright and licences of all
    # it contains, a changelog, and a manual page, the last two compressed as dh_installdocs
    # and dh_installman would (gzip -9n: no name and no time stamp, so rebuilds are identical).
    set(debian_dir ${CMAKE_CURRENT_LIST_DIR}/debian)
    set(doc_dir ${PROJECT_BINARY_DIR}/doc)

    # The changelog's newest entry is the release being built.
    file(STRINGS ${debian_dir}/changelog.in newest LIMIT_COUNT 1)
    if(NOT newest MATCHES "^zerfallsfrist \\(${PROJECT_VERSION}\\) ")
        message(FATAL_ERROR "cmake/debian/changelog.in has no entry for version "
                            "${PROJECT_VERSION} at its top: \"${newest}\"")
    endif()
    configure_file(${debian_dir}/changelog.in ${doc_dir}/changelog @ONLY)

    # The copyright file names the Liberation Sans built in by the version the faces carry in
    # their naming table; only version 2 is under a licence that lets it be built in.
    file(STRINGS ${ZF_FONT_DIR}/LiberationSans-Regular.ttf font_version
         REGEX "^Version [0-9]+\\.[0-9.]+$" LIMIT_COUNT 1)
    if(NOT font_version MATCHES "^Version (2\\.[0-9.]+)$")
        message(FATAL_ERROR "${ZF_FONT_DIR}/LiberationSans-Regular.ttf is not Liberation Sans 2 "
                            "(\"${font_version}\"); only version 2 may be built into the program")
    endif()
    set(ZF_LIBERATION_VERSION ${CMAKE_MATCH_1})
    file(READ ${debian_dir}/copyright-liberation fonts_copyright)
    string(CONFIGURE "${fonts_copyright}" ZF_FONTS_COPYRIGHT @ONLY)
    configure_file(${debian_dir}/copyright.in ${doc_dir}/copyright @ONLY)

    configure_file(${PROJECT_SOURCE_DIR}/docs/zerfallsfrist.1.in ${doc_dir}/zerfallsfrist.1 @ONLY)

    find_program(ZF_GZIP gzip REQUIRED)
    foreach(file changelog zerfallsfrist.1)
        execute_process(COMMAND ${ZF_GZIP} -9nkf ${doc_dir}/${file} COMMAND_ERROR_IS_FATAL ANY)
    endforeach()

    # Debian's place is named after the package, not after the project as CMAKE_INSTALL_DOCDIR.
    install(FILES ${doc_dir}/copyright ${doc_dir}/changelog.gz
            DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zerfallsfrist)
    install(FILES ${doc_dir}/zerfallsfrist.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    install(FILES ${debian_dir}/lintian-overrides
            DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME zerfallsfrist)

    # A stripped installation drops the compiler's version notes too, as dh_strip does.
    install(CODE "set(zf_strip \"${CMAKE_STRIP}\")
                  set(zf_program \"${CMAKE_INSTALL_BINDIR}/$<TARGET_FILE_NAME:zerfallsfrist>\")")
    install(CODE [[
        if(CMAKE_INSTALL_DO_STRIP)
            execute_process(COMMAND ${zf_strip} --remove-section=.comment --remove-section=.note
                                    "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${zf_program}"
                            COMMAND_ERROR_IS_FATAL ANY)
        endif()
    ]])
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zerfallsfrist)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Zerfallsfrist developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "teaching program about radioactive decay (in German)")
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION # one line each in the package's control file
    "Zerfallsfrist shows pupils that every radioactive isotope decays along the"
    "same curve and that only the time scale differs: pick an isotope, watch its"
    "decay curve being drawn, step through a short lesson on its half-lives, and"
    "compare five isotopes in one diagram. The program speaks German.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${ZF_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION education)
# The dependencies are the packages of the shared libraries the program links (dpkg-shlibdeps);
# the faces are compiled in, and Qt's X11 platform plugin comes with libqt6gui6.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # zerfallsfrist_1.00_amd64.deb
set(CPACK_STRIP_FILES ON)
include(CPack)
