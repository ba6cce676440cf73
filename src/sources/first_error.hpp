// SPDX-License-Identifier: MIT
// libxml2's first error of a parse, on one line. libxml2 goes on after the
// first fault and reports what follows from it (a torn tag becomes
// "premature end of data" at the last line), so the context's lastError
// names the wrong place: the first report is kept instead. It is kept off
// standard error; whoever explains a refusal prints it.
#pragma once

#include <libxml/parser.h>
#include <libxml/xmlerror.h>

#include <string>

namespace brelund::sources {

// libxml2's message on one line: some carry a newline and the offending
// bytes in hex, and none should move a terminal.
std::string one_line(const char* message);

struct FirstError {
  bool seen = false;
  int domain = 0;  // XML_FROM_IO: the file could not be read
  int line = 0;    // when truncated, the document's last line
  // The first error came where the input ran out, with an element open: the
  // document ends before its root element closes (a download cut short),
  // whatever libxml2 made of the last bytes ("StartTag: invalid element
  // name" after a lone "<").
  bool truncated = false;
  std::string message;

  // For a parser context's own structured handler, which sees every report
  // of its parse and nothing of any other; warnings are passed over.
  // `context` is the parse's, for where it stands; `input_ended` says
  // whether its input has given all it holds (without it, nothing is
  // called truncated).
  void keep(const xmlError* error, const xmlParserCtxt* context, bool input_ended) noexcept;
  // After a failed parse that reported nothing through the handler.
  void keep_last(const xmlError* last) noexcept;
};

}  // namespace brelund::sources
