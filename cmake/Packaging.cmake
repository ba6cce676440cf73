# SPDX-License-Identifier: MIT
# A Debian package of what `cmake --install` puts in place: `cpack -G DEB` in
# a build directory configured with the prefix the package installs to (the
# release preset's /usr). The package's paths are those of the install: the
# pkg-config file and the inspector's fallback name the configured prefix, so
# the package uses the same one rather than moving the files elsewhere.
set(CPACK_PACKAGE_NAME "${PROJECT_NAME}")
set(CPACK_PACKAGE_VENDOR "tarnvale-brelund-source maintainers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "forecast-source plug-in for the tarnvale weather application")
set(CPACK_PACKAGING_INSTALL_PREFIX "${CMAKE_INSTALL_PREFIX}")
set(CPACK_GENERATOR DEB)

if(NOT DEFINED CPACK_DEBIAN_PACKAGE_MAINTAINER)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER
    "tarnvale-brelund-source maintainers <maintainers@users.noreply.c-seed-caf9e355.example>")
endif()
# The package's long description; the summary above is its first line.
set(CPACK_PACKAGE_DESCRIPTION "tarnvale loads libtarnvale-brelund-source.so from its plug-in directory to
read the forecast service's XML forecasts and hour-by-hour documents into
station data, translating symbol numbers and condition names into tarnvale's
icon codes and English texts.
.
The package also holds the C header and pkg-config file for host authors, and
brelund-inspect, which runs the plug-in from the command line as the host
does.")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Dependencies come from the binaries themselves (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# pkg-config --cflags needs the headers the public header includes.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "libglib2.0-dev, libxml2-dev")
set(CPACK_PROJECT_CONFIG_FILE "${PROJECT_SOURCE_DIR}/cmake/PackagingChecks.cmake")

# `make package_source`: the tracked sources, not build trees or git data.
set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build/" "\\\\.swp$")

include(CPack)
