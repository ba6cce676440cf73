// SPDX-License-Identifier: MIT
// LeakSanitizer's settings for the inspector: fontconfig's own leak while it
// parses its configuration (explained in tests/valgrind.supp). Its stack
// ends inside the library, without frame pointers, so only the library can
// be named.
#if defined(__SANITIZE_ADDRESS__)
extern "C" __attribute__((visibility("default"))) const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}
extern "C" __attribute__((visibility("default"))) const char* __lsan_default_options() {
  return "print_suppressions=0";
}
#endif
