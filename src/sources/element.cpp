// SPDX-License-Identifier: MIT
#include "sources/element.hpp"

#include <cstring>

#include "holders.hpp"
#include "sources/tree_text.hpp"

namespace brelund::sources {
namespace {

// A value SAX2 hands over with references in it, read as the tree builder
// and xmlGetProp read it. With entity substitution off, libxml2 passes an
// ampersand on re-escaped ("&amp;" and "&#38;" both arrive as "&#38;") for
// the tree builder to resolve into the attribute's nodes; libxml2's own
// functions do it here, so the text cannot differ. No document is named:
// documents that declare entities are refused before any element is read,
// which leaves the predefined ones.
Value resolved(const xmlChar* value, const xmlChar* end) {
  const XmlPtr<xmlNode> nodes(
      xmlStringLenGetNodeList(nullptr, value, static_cast<int>(end - value)));
  xmlChar* text = xmlNodeListGetString(nullptr, nodes.get(), 1);
  // xmlGetProp reads an attribute without text as "".
  return text != nullptr ? Value::adopted(text) : Value::borrowed("");
}

}  // namespace

Element Element::of_tag(const xmlChar* name, const xmlChar* prefix, const xmlChar* uri,
                        const xmlChar** attributes, int count, int line) noexcept {
  Element element;
  element.name_ = name;
  // The tree builder names such an element "prefix:name".
  if (prefix != nullptr && uri == nullptr) element.prefix_ = prefix;
  element.attributes_ = attributes;
  element.count_ = count;
  element.line_ = line;
  return element;
}

std::string Element::qualified_name() const {
  std::string name;
  if (prefix_ != nullptr) (name += reinterpret_cast<const char*>(prefix_)) += ':';
  if (name_ != nullptr) name += reinterpret_cast<const char*>(name_);
  return name;
}

Value Element::attribute(const char* name) const {
  if (node_ != nullptr) return tree::attribute(node_, name);
  const xmlChar** a = attributes_;
  for (int i = 0; i < count_; ++i, a += 5) {
    // (local name, prefix, URI, value, end): an unbound prefix keeps its
    // "prefix:" in the tree, so such an attribute answers to no plain name.
    if ((a[1] != nullptr && a[2] == nullptr) || !same_name(a[0], name)) continue;
    const xmlChar* value = a[3];
    const xmlChar* end = a[4];
    // A value libxml2 had to rewrite ends in a NUL of its own copy; one read
    // straight from the input ends at the closing quote.
    if (*end == '\0' && std::memchr(value, '&', static_cast<std::size_t>(end - value)) != nullptr)
      return resolved(value, end);
    return Value::copied(
        {reinterpret_cast<const char*>(value), static_cast<std::size_t>(end - value)});
  }
  return Value();
}

}  // namespace brelund::sources
