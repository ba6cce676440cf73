# SPDX-License-Identifier: MIT
# The hardening Debian asks of every binary it ships: a stack protector,
# read-only relocations resolved at load time, and the checked variants of
# the C library's string and formatting functions. The checked variants need
# optimisation, and the sanitizers check the same calls their own way.
add_compile_options(-fstack-protector-strong)
add_link_options(LINKER:-z,relro,-z,now)
if(NOT (BRELUND_SANITIZE OR BRELUND_FUZZ))
  add_compile_options($<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-D_FORTIFY_SOURCE=2>)
endif()
