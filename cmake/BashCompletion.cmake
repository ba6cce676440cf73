# SPDX-License-Identifier: MIT
# The inspector's bash completion (tools/inspect/cli), installed with the
# inspector where bash-completion loads it on demand: bash-completion's own
# completionsdir, taken relative to its prefix so that the install prefix
# still applies (a staged or relocated install), else the usual place.
set(completions_default "${CMAKE_INSTALL_DATADIR}/bash-completion/completions")
pkg_check_modules(BASH_COMPLETION QUIET bash-completion)
if(BASH_COMPLETION_FOUND)
  pkg_get_variable(completions_found bash-completion completionsdir)
  pkg_get_variable(completions_prefix bash-completion prefix)
  cmake_path(IS_PREFIX completions_prefix "${completions_found}" NORMALIZE under_prefix)
  if(completions_prefix AND under_prefix)
    cmake_path(RELATIVE_PATH completions_found BASE_DIRECTORY "${completions_prefix}"
      OUTPUT_VARIABLE completions_default)
  endif()
endif()
set(BRELUND_COMPLETIONS_DIR "${completions_default}" CACHE STRING
  "bash completions directory, relative to the install prefix or absolute")
# The codes --explain takes are written in from docs/checks.md (CheckCodes).
configure_file("${PROJECT_SOURCE_DIR}/tools/inspect/cli/brelund-inspect.bash.in"
  "${PROJECT_BINARY_DIR}/brelund-inspect.bash" @ONLY)
install(FILES "${PROJECT_BINARY_DIR}/brelund-inspect.bash"
  DESTINATION "${BRELUND_COMPLETIONS_DIR}" RENAME brelund-inspect COMPONENT inspector)
