// SPDX-License-Identifier: MIT
#include "xml_errors.hpp"

namespace inspector {

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

void FirstError::keep(const xmlError* error) {
  if (seen || error == nullptr || error->level < XML_ERR_ERROR) return;
  *this = {true, error->domain, error->line, one_line(error->message)};
}

void FirstError::keep_last(const xmlError* last) {
  if (!seen && last != nullptr && last->code != XML_ERR_OK)
    *this = {true, last->domain, last->line, one_line(last->message)};
}

}  // namespace inspector
