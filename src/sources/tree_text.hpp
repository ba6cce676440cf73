// SPDX-License-Identifier: MIT
// Reads from a host's tree: attribute values and element text exactly as
// xmlGetProp and xmlNodeGetContent give them, read in place where the tree
// holds them as one piece.
#pragma once

#include <libxml/tree.h>

#include "sources/value.hpp"

namespace brelund::sources::tree {

// The text of a node list that is a single text (or CDATA) node: what
// libxml2 would copy out of it. Null for anything else (no children, entity
// references, comments mixed in), which needs libxml2's own assembly.
inline const xmlChar* sole_text(const xmlNode* children) noexcept {
  if (children == nullptr || children->next != nullptr) return nullptr;
  if (children->type != XML_TEXT_NODE && children->type != XML_CDATA_SECTION_NODE) return nullptr;
  return children->content;
}

// The value xmlGetProp gives: the first attribute of that name (in any
// namespace), or a default from the document's DTD.
inline Value attribute(const xmlNode* node, const char* name) noexcept {
  if (node != nullptr && node->type == XML_ELEMENT_NODE) {
    for (const xmlAttr* a = node->properties; a != nullptr; a = a->next) {
      if (!same_name(a->name, name)) continue;
      if (const xmlChar* value = sole_text(a->children))
        return Value::borrowed(reinterpret_cast<const char*>(value));
      break;
    }
  }
  return Value::adopted(xmlGetProp(node, reinterpret_cast<const xmlChar*>(name)));
}

// Concatenated text of the element and its descendants, as
// xmlNodeGetContent gives it.
inline Value text(const xmlNode* node) noexcept {
  if (node != nullptr && node->type == XML_ELEMENT_NODE)
    if (const xmlChar* value = sole_text(node->children))
      return Value::borrowed(reinterpret_cast<const char*>(value));
  return Value::adopted(xmlNodeGetContent(node));
}

}  // namespace brelund::sources::tree
