# SPDX-License-Identifier: MIT
# Run by cpack once the packages' files are staged, before it builds them
# (CPACK_PRE_BUILD_SCRIPTS): strips every ELF file as Debian's own packaging
# does, the symbols and the sections that only name the tools that built it
# (.comment, .note), which lintian calls unneeded. CPACK_STRIP_FILES runs a
# plain strip, which keeps them; the C runtime's start files bring a
# .comment of their own, so no compiler flag avoids it.
file(GLOB_RECURSE staged LIST_DIRECTORIES false "${CPACK_TEMPORARY_DIRECTORY}/*")
foreach(file IN LISTS staged)
  if(IS_SYMLINK "${file}")
    continue()
  endif()
  file(READ "${file}" magic LIMIT 4 HEX)
  if(magic STREQUAL "7f454c46")  # "\177ELF"
    execute_process(
      COMMAND "${CPACK_BRELUND_STRIP}" --remove-section=.comment --remove-section=.note "${file}"
      RESULT_VARIABLE status ERROR_VARIABLE error)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "cannot strip ${file}: ${error}")
    endif()
  endif()
endforeach()
