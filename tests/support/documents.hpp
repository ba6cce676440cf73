// SPDX-License-Identifier: MIT
// Parsing inline documents for the readers, as a host would.
#pragma once

#include <libxml/parser.h>

#include <string>

#include "holders.hpp"

namespace brelund::testing {

using Doc = XmlPtr<xmlDoc>;

inline Doc parse(const std::string& text) {
  return Doc(xmlReadMemory(text.data(), static_cast<int>(text.size()), "test.xml", nullptr, 0));
}

inline xmlNode* root_of(const Doc& doc) { return xmlDocGetRootElement(doc.get()); }

}  // namespace brelund::testing
