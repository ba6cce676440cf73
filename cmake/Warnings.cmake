# SPDX-License-Identifier: MIT
# One place for the project's warning flags.
function(brelund_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion -Wold-style-cast
    -Wnon-virtual-dtor -Wcast-qual -Wformat=2 -Wnull-dereference -Wimplicit-fallthrough)
  if(BRELUND_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
