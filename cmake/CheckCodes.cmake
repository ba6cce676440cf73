# SPDX-License-Identifier: MIT
# The --check codes as docs/checks.md's table lists them (a test holds the
# table to the inspector's own, tools/inspect/check/codes.cpp), for what is
# written from them at configure time: the manual page's list and the bash
# completion of --explain. Sets BRELUND_CHECK_CODES (the names, separated by
# spaces) and BRELUND_CHECK_CODES_MDOC (an mdoc list: name, severity, what
# it says).
set(checks_doc "${PROJECT_SOURCE_DIR}/docs/checks.md")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${checks_doc}")
file(STRINGS "${checks_doc}" check_rows REGEX "^\\| \\[`[a-z-]+`\\]\\(#[a-z-]+\\) \\| ")
set(BRELUND_CHECK_CODES "")
set(BRELUND_CHECK_CODES_MDOC ".Bl -tag -width Ds -compact")
foreach(row IN LISTS check_rows)
  string(REGEX REPLACE "^\\| \\[`([a-z-]+)`\\]\\(#[a-z-]+\\) \\| ([a-z]+) \\| (.*) \\|$" "\\1;\\2;\\3"
    fields "${row}")
  list(GET fields 0 code)
  list(GET fields 1 severity)
  list(GET fields 2 says)
  # Markdown's code quotes mean nothing in the page; a line that starts
  # with a dot or a quote would be a request.
  string(REPLACE "`" "" says "${says}")
  string(APPEND BRELUND_CHECK_CODES " ${code}")
  string(APPEND BRELUND_CHECK_CODES_MDOC "\n.It Li ${code}\n\\&${severity}: ${says}")
endforeach()
string(STRIP "${BRELUND_CHECK_CODES}" BRELUND_CHECK_CODES)
string(APPEND BRELUND_CHECK_CODES_MDOC "\n.El")
if(NOT BRELUND_CHECK_CODES)
  message(FATAL_ERROR "no --check codes found in the table of ${checks_doc}")
endif()
