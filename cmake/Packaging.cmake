# SPDX-License-Identifier: MIT
# Debian packages of what `cmake --install` puts in place: `cpack -G DEB` in a
# build directory configured with the prefix the packages install to (the
# release preset's /usr). The paths are those of the install: the pkg-config
# file and the inspector's fallback name the configured prefix, so the
# packages use the same one rather than moving the files elsewhere.
#
# Three packages, so that each user takes only what they need:
#   tarnvale-brelund-source      the plug-in the host loads (GLib, libxml2)
#   tarnvale-brelund-source-dev  the header, pkg-config file and the host's
#                                guide and contract, for host authors
#   brelund-inspect              the inspector, its manual page, bash
#                                completion and the guide to its findings;
#                                it alone needs JSON-GLib and whatever it
#                                draws with
set(BRELUND_DEB_PLUGIN "${PROJECT_NAME}")
set(BRELUND_DEB_DEV "${PROJECT_NAME}-dev")
set(BRELUND_DEB_INSPECTOR "brelund-inspect")

set(CPACK_DEBIAN_PACKAGE_MAINTAINER
  "tarnvale-brelund-source maintainers <maintainers@users.noreply.c-seed-caf9e355.example>"
  CACHE STRING "Maintainer of the Debian packages and signer of their changelog: Name <address>")
set(BRELUND_DEB_RELEASE 1 CACHE STRING "Debian revision of the packages (the part after the -)")
set(BRELUND_DEB_VERSION "${PROJECT_VERSION}-${BRELUND_DEB_RELEASE}")

set(CPACK_PACKAGE_NAME "${PROJECT_NAME}")
set(CPACK_PACKAGE_VENDOR "The tarnvale-brelund-source authors")
set(CPACK_PACKAGING_INSTALL_PREFIX "${CMAKE_INSTALL_PREFIX}")
set(CPACK_GENERATOR DEB)
# Stripped as Debian strips, not with CPACK_STRIP_FILES' plain strip.
set(CPACK_STRIP_FILES OFF)
set(CPACK_BRELUND_STRIP "${CMAKE_STRIP}")
set(CPACK_PRE_BUILD_SCRIPTS "${PROJECT_SOURCE_DIR}/cmake/PackagingStrip.cmake")
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL plugin dev inspector)
set(CPACK_DEBIAN_PACKAGE_RELEASE "${BRELUND_DEB_RELEASE}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Dependencies on libraries come from the binaries themselves (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(plugin_exactly "${BRELUND_DEB_PLUGIN} (= ${BRELUND_DEB_VERSION})")

set(CPACK_DEBIAN_PLUGIN_PACKAGE_NAME "${BRELUND_DEB_PLUGIN}")
set(CPACK_DEBIAN_PLUGIN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PLUGIN_DESCRIPTION "forecast-source plug-in for the tarnvale weather application
tarnvale loads libtarnvale-brelund-source.so from its plug-in directory to
read the forecast service's XML forecast files, and the hourly detail
documents (an hbhf element of hour elements) that tarnvale parses itself,
into station data, translating symbol numbers and condition names into
tarnvale's icon codes and English texts. The service's hour-by-hour forecast,
whose time elements have no period, is no hourly detail document: read as a
forecast, it gives no days.
.
The plug-in reads only the file it is given, opens no connection and refuses
documents that declare entities or exceed its size limits.")

# The development package holds what pkg-config --cflags needs: the -dev
# package of every module the .pc file requires.
file(STRINGS "${PROJECT_SOURCE_DIR}/cmake/tarnvale-brelund-source.pc.in" pc_requires
  REGEX "^Requires:")
string(REGEX REPLACE "^Requires:[ \t]*" "" pc_requires "${pc_requires}")
string(REGEX REPLACE "[ \t,]+" ";" pc_requires "${pc_requires}")
set(dev_depends "${plugin_exactly}")
foreach(module IN LISTS pc_requires)
  if(module STREQUAL "glib-2.0")
    string(APPEND dev_depends ", libglib2.0-dev")
  elseif(module STREQUAL "libxml-2.0")
    string(APPEND dev_depends ", libxml2-dev")
  elseif(module)
    message(FATAL_ERROR "Packaging: which Debian package provides pkg-config module ${module}?")
  endif()
endforeach()
set(CPACK_DEBIAN_DEV_PACKAGE_NAME "${BRELUND_DEB_DEV}")
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS "${dev_depends}")
set(CPACK_DEBIAN_DEV_DESCRIPTION "development files for the tarnvale forecast-source plug-in
tarnvale loads libtarnvale-brelund-source.so from its plug-in directory to
read the forecast service's XML forecasts into station data.
.
This package holds what a host author needs to load the plug-in with dlopen
and use what it stores: the C header declaring the nine functions and the
station data's key names, a pkg-config file naming the plug-in directory,
and the guide to writing a host, with where each stored value comes from.")

set(CPACK_DEBIAN_INSPECTOR_PACKAGE_NAME "${BRELUND_DEB_INSPECTOR}")
set(CPACK_DEBIAN_INSPECTOR_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_INSPECTOR_PACKAGE_DEPENDS "${plugin_exactly}")
# Up to 0.1.0 one package held everything: the header, the .pc file and the
# inspector pass from it to these two on upgrade.
foreach(component IN ITEMS DEV INSPECTOR)
  set(CPACK_DEBIAN_${component}_PACKAGE_BREAKS "${BRELUND_DEB_PLUGIN} (<< 0.2.0)")
  set(CPACK_DEBIAN_${component}_PACKAGE_REPLACES "${BRELUND_DEB_PLUGIN} (<< 0.2.0)")
endforeach()
set(CPACK_DEBIAN_INSPECTOR_DESCRIPTION "inspect forecast files through the tarnvale forecast-source plug-in
brelund-inspect loads the installed tarnvale forecast-source plug-in as the
tarnvale weather application does, reads a station's forecast file (and
optionally an hourly detail document, an hbhf element of hour elements)
through it and prints the station data it stored, as a table or as JSON, or
draws it as a meteogram in SVG, PNG or PDF. With --check it says, line by
line, how what the plug-in stores from each forecast file differs from what
the document says.
.
When the plug-in cannot read a file, brelund-inspect says why: the file
cannot be opened, is not well-formed XML (at which line), exceeds one of the
plug-in's limits, or is named so that the plug-in refuses it.")
set(CPACK_PROJECT_CONFIG_FILE "${PROJECT_SOURCE_DIR}/cmake/PackagingChecks.cmake")

# What Debian wants beside every package's files: the licence in its
# machine-readable form and the changelog, both compressed as dpkg would.
set(deb_docs "${PROJECT_BINARY_DIR}/debian")
file(READ "${PROJECT_SOURCE_DIR}/LICENSE" licence)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]*)" holder "${licence}")
set(holder "${CMAKE_MATCH_1}")
string(REGEX REPLACE "^.*Copyright[^\n]*\n\n" "" terms "${licence}")
string(STRIP "${terms}" terms)
string(REGEX REPLACE "\n\n" "\n.\n" terms "${terms}")
string(REGEX REPLACE "\n" "\n " terms "${terms}")
file(WRITE "${deb_docs}/copyright.new"
  "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
  "Upstream-Name: ${PROJECT_NAME}\n\n"
  "Files: *\nCopyright: ${holder}\nLicense: MIT\n\n"
  "License: MIT\n ${terms}\n")
configure_file("${deb_docs}/copyright.new" "${deb_docs}/copyright" COPYONLY)
configure_file("${PROJECT_SOURCE_DIR}/cmake/debian/changelog.in" "${deb_docs}/changelog.Debian"
  @ONLY)
add_custom_command(OUTPUT "${deb_docs}/changelog.Debian.gz"
  COMMAND gzip -n -9 -k -f changelog.Debian
  WORKING_DIRECTORY "${deb_docs}"
  DEPENDS "${deb_docs}/changelog.Debian" VERBATIM)
# The guides each package's users read, in its folder of share/doc and
# compressed as Debian keeps documents over 4 KiB (gzip -9n, as dh_compress
# does): what --check finds with the inspector, the host's guide and the
# contract with the header. A plain install puts them there too, where the
# manual page says they are.
set(guides "inspector checks.md" "dev hosts.md" "dev contract.md")
set(guide_files "")
foreach(guide IN LISTS guides)
  separate_arguments(guide UNIX_COMMAND "${guide}")
  list(GET guide 0 component)
  list(GET guide 1 name)
  string(TOUPPER "${component}" upper)
  add_custom_command(OUTPUT "${deb_docs}/${name}.gz"
    COMMAND "${CMAKE_COMMAND}" -E copy "${PROJECT_SOURCE_DIR}/docs/${name}" "${name}"
    COMMAND gzip -n -9 -f "${name}"
    WORKING_DIRECTORY "${deb_docs}"
    DEPENDS "${PROJECT_SOURCE_DIR}/docs/${name}" VERBATIM)
  list(APPEND guide_files "${deb_docs}/${name}.gz")
  set(folder "${CMAKE_INSTALL_DATAROOTDIR}/doc/${CPACK_DEBIAN_${upper}_PACKAGE_NAME}")
  install(FILES "${deb_docs}/${name}.gz" DESTINATION "${folder}" COMPONENT ${component})
  # BRELUND_GUIDE_CHECKS and so on: where it is installed, for the manual page.
  string(REGEX REPLACE "[.]md$" "" stem "${name}")
  string(TOUPPER "${stem}" stem)
  cmake_path(ABSOLUTE_PATH folder BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}")
  set(BRELUND_GUIDE_${stem} "${folder}/${name}.gz")
endforeach()
add_custom_target(brelund_deb_docs ALL DEPENDS "${deb_docs}/changelog.Debian.gz" ${guide_files})
# Only in the packages: a plain install is not Debian's layout.
foreach(component IN ITEMS plugin dev inspector)
  string(TOUPPER "${component}" upper)
  install(FILES "${deb_docs}/copyright" "${deb_docs}/changelog.Debian.gz"
    DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/doc/${CPACK_DEBIAN_${upper}_PACKAGE_NAME}"
    COMPONENT ${component} EXCLUDE_FROM_ALL)
endforeach()

# `make package_source`: the tracked sources, not build trees or git data.
set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build/" "\\\\.swp$")

include(CPack)

# The packages of this build tree (its prefix, its binaries), built, linted,
# unpacked and run: `ctest -L package`, in every build tree including the
# release one, which has no other tests. lintian judges only a tree built as
# a distribution would: prefix /usr, optimised, no sanitizer.
set(lint "yes")
if(NOT CMAKE_INSTALL_PREFIX STREQUAL "/usr")
  set(lint "the prefix is ${CMAKE_INSTALL_PREFIX}, not /usr")
elseif(BRELUND_SANITIZE OR BRELUND_FUZZ)
  set(lint "a sanitizer build")
elseif(NOT CMAKE_BUILD_TYPE MATCHES "^(Release|RelWithDebInfo|MinSizeRel)$")
  set(lint "not an optimised build")
endif()
foreach(dir IN ITEMS BINDIR INCLUDEDIR LIBDIR MANDIR)
  cmake_path(ABSOLUTE_PATH CMAKE_INSTALL_${dir} BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}"
    OUTPUT_VARIABLE full_${dir})
endforeach()
enable_testing()
add_test(NAME package_and_inspect
  COMMAND sh ${PROJECT_SOURCE_DIR}/tests/inspect/package_test.sh ${PROJECT_BINARY_DIR}
    ${PROJECT_SOURCE_DIR}/examples ${BRELUND_DEB_VERSION} ${full_BINDIR} ${BRELUND_PLUGIN_FULL_DIR}
    ${full_INCLUDEDIR} ${full_LIBDIR}/pkgconfig ${full_MANDIR} "${lint}")
set_tests_properties(package_and_inspect PROPERTIES LABELS "inspector;package" TIMEOUT 300)
