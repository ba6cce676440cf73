// SPDX-License-Identifier: MIT
// What the readers see of a document, whichever way it came in: elements
// one at a time, in document order, each with its name and attributes, and
// the text inside the few elements whose text a reader wants. The file
// stream (file_stream.hpp) produces them while libxml2 reads the file; the
// host tree walk (host_tree.hpp) produces the very same from a tree the host
// parsed. A reader is written once, against ElementHandler.
#pragma once

#include <libxml/tree.h>

#include <string>
#include <string_view>

#include "sources/value.hpp"

namespace brelund::sources {

// One element: a node of the host's tree, or a start tag as libxml2's SAX2
// interface reports it. Names are compared as the tree holds them: the local
// name, whatever namespace it is in; an element or attribute whose prefix is
// bound to no namespace keeps "prefix:name" and so matches no plain name.
class Element {
 public:
  static Element of_node(const xmlNode* node) noexcept {
    Element element;
    element.node_ = node;
    element.name_ = node->name;
    return element;
  }
  // SAX2's start tag; `attributes` holds `count` groups of (local name,
  // prefix, URI, value, end of value).
  static Element of_tag(const xmlChar* name, const xmlChar* prefix, const xmlChar* uri,
                        const xmlChar** attributes, int count, int line) noexcept;

  bool named(const char* name) const noexcept {
    return prefix_ == nullptr && same_name(name_, name);
  }
  // The name the tree gives the element ("prefix:name" for an unbound prefix).
  std::string qualified_name() const;
  // The line of the document the element stands on, as the tree records it
  // (the line where its start tag ends); not needed by the readers, but by
  // whoever reports where something stands.
  int line() const noexcept {
    return node_ != nullptr ? static_cast<int>(xmlGetLineNo(node_)) : line_;
  }
  // The value of the first attribute of that name, as xmlGetProp reads it
  // from the tree: character and entity references resolved, white space
  // normalised as the parser does.
  Value attribute(const char* name) const;

 private:
  Element() noexcept = default;

  const xmlNode* node_ = nullptr;
  const xmlChar* name_ = nullptr;
  const xmlChar* prefix_ = nullptr;  // only when bound to no namespace
  const xmlChar** attributes_ = nullptr;
  int count_ = 0;
  int line_ = 0;
};

// What a reader wants of the element it was just shown.
enum class Want {
  kNothing,   // neither its children nor its text
  kChildren,  // its child elements, each shown in turn
  kText,      // the text of it and its descendants (text and CDATA), as
              // xmlNodeGetContent gives it, in one or more pieces
};

class ElementHandler {
 public:
  // Every start is followed by exactly one end, after whatever it wanted.
  virtual Want start(const Element& element) = 0;
  virtual void text(std::string_view text) = 0;
  virtual void end() = 0;
  // True once the handler has built all it may: the source stops there.
  virtual bool full() const noexcept = 0;

 protected:
  ElementHandler() = default;
  ElementHandler(const ElementHandler&) = default;
  ElementHandler& operator=(const ElementHandler&) = default;
  ~ElementHandler() = default;
};

}  // namespace brelund::sources
