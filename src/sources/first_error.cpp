// SPDX-License-Identifier: MIT
#include "sources/first_error.hpp"

#include <new>

namespace brelund::sources {
namespace {

// Called with errors only: the message is the one thing that may not fit
// in memory, and then the place is still worth keeping.
void take(FirstError& first, const xmlError& error) noexcept {
  first.seen = true;
  first.domain = error.domain;
  first.line = error.line;
  try {
    first.message = one_line(error.message);
  } catch (const std::bad_alloc&) {
    first.message.clear();
  }
}

}  // namespace

std::string one_line(const char* message) {
  std::string line;
  for (const char* c = message; c != nullptr && *c != '\0'; ++c) {
    const bool control = static_cast<unsigned char>(*c) < 0x20 || *c == 0x7f;
    if (control && (line.empty() || line.back() == ' ')) continue;
    line += control ? ' ' : *c;
  }
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}

void FirstError::keep(const xmlError* error) noexcept {
  if (!seen && error != nullptr && error->level >= XML_ERR_ERROR) take(*this, *error);
}

void FirstError::keep_last(const xmlError* last) noexcept {
  if (!seen && last != nullptr && last->code != XML_ERR_OK) take(*this, *last);
}

}  // namespace brelund::sources
