// SPDX-License-Identifier: MIT
// Parsing inline documents for the readers, as a host would.
#pragma once

#include <libxml/parser.h>

#include <memory>
#include <string>

namespace brelund::testing {

struct DocFree {
  void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};
using Doc = std::unique_ptr<xmlDoc, DocFree>;

inline Doc parse(const std::string& text) {
  return Doc(xmlReadMemory(text.data(), static_cast<int>(text.size()), "test.xml", nullptr, 0));
}

inline xmlNode* root_of(const Doc& doc) { return xmlDocGetRootElement(doc.get()); }

}  // namespace brelund::testing
