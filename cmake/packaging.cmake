# SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
# SPDX-License-Identifier: GPL-3.0-or-later

# A Debian package of what `cmake --install` installs: scripts/package.sh builds it.
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
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Zerfallsfrist developers")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
# The dependencies are the packages of the shared libraries the program links (dpkg-shlibdeps);
# the faces are compiled in, and Qt's X11 platform plugin comes with libqt6gui6.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # zerfallsfrist_1.00_amd64.deb
set(CPACK_STRIP_FILES ON)
include(CPack)
