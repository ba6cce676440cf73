// SPDX-License-Identifier: MIT
// libxml2's reports, kept off standard error and reduced to what the
// inspector prints: the first error of a parse, on one line.
#pragma once

#include <libxml/xmlerror.h>

#include <string>

namespace inspector {

// libxml2's message on one line: some carry a newline and the offending
// bytes in hex, and none should move the terminal.
std::string one_line(const char* message);

// libxml2 goes on after the first fault and reports what follows from it
// (a torn tag becomes "premature end of data" at the last line), so the
// context's lastError names the wrong place: the first error is kept instead.
struct FirstError {
  bool seen = false;
  int domain = 0;
  int line = 0;
  std::string message;

  // For a parser context's own structured handler, which sees every error
  // of its parse and nothing of any other.
  void keep(const xmlError* error);
  // After a failed parse that reported nothing through the handler.
  void keep_last(const xmlError* last);
};

}  // namespace inspector
