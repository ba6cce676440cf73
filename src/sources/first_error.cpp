// SPDX-License-Identifier: MIT
#include "sources/first_error.hpp"

#include <algorithm>
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

// libxml2 stops where its input gave out, at an unfinished piece of markup
// it may not have consumed (a lone "<", the first byte of a character):
// nothing after that point closes a tag. A mismatched end tag is a fault of
// its own, even when it is the last thing in the file.
bool cut_short(const xmlParserCtxt& context, const xmlError& error) noexcept {
  const xmlParserInput* input = context.input;
  if (context.nameNr == 0 || error.code == XML_ERR_TAG_NAME_MISMATCH || input == nullptr ||
      input->cur == nullptr || input->end == nullptr || input->cur > input->end)
    return false;
  return std::find(input->cur, input->end, '>') == input->end;
}

// The line of the document's last byte: libxml2 counts lines up to where it
// stands, and past a final newline it already counts the next, empty line.
int last_line(const xmlParserCtxt& context) noexcept {
  const xmlParserInput& input = *context.input;
  const auto rest = std::count(input.cur, input.end, '\n');
  const bool final_newline = input.end > input.base && input.end[-1] == '\n';
  return input.line + static_cast<int>(rest) - (final_newline ? 1 : 0);
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

void FirstError::keep(const xmlError* error, const xmlParserCtxt* context,
                      bool input_ended) noexcept {
  if (seen || error == nullptr || error->level < XML_ERR_ERROR) return;
  take(*this, *error);
  if (!input_ended || context == nullptr || !cut_short(*context, *error)) return;
  truncated = true;
  line = last_line(*context);
}

void FirstError::keep_last(const xmlError* last) noexcept {
  if (!seen && last != nullptr && last->code != XML_ERR_OK) take(*this, *last);
}

}  // namespace brelund::sources
