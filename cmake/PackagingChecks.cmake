# SPDX-License-Identifier: MIT
# Read by cpack for every generator it runs.
if(CPACK_GENERATOR STREQUAL "DEB" AND CPACK_PACKAGING_INSTALL_PREFIX MATCHES "^/usr/local(/|$)")
  message(WARNING "This Debian package installs under ${CPACK_PACKAGING_INSTALL_PREFIX}, which "
    "belongs to the local administrator; configure with -DCMAKE_INSTALL_PREFIX=/usr (as the "
    "release preset does) for a package to distribute.")
endif()
