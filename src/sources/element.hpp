// SPDX-License-Identifier: MIT
// What the readers see of a document, whichever way it came in: elements
// one at a time, in document order, each with its name and attributes, and
// the text inside the few elements whose text a reader wants. The file
// stream (file_stream.hpp) produces them while libxml2 reads the file; the
// host tree walk (host_tree.hpp) produces the very same from a tree the host
// parsed. A reader is written once, against ElementHandler.
#pragma once

#include <libxml/tree.h>

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace brelund::sources {

// Equality of a libxml2 name with a plain name, inlined: names are compared
// often and most differ at the first byte.
inline bool same_name(const xmlChar* name, const char* wanted) noexcept {
  if (name == nullptr) return false;
  const auto* w = reinterpret_cast<const xmlChar*>(wanted);
  for (; *name == *w; ++name, ++w)
    if (*name == '\0') return true;
  return false;
}

// An attribute value or element text: NUL-terminated text exactly as
// xmlGetProp or xmlNodeGetContent reads it from the tree, or null when the
// attribute is absent. It may point into the document or the parser's
// buffers: valid only while the handler call that received it runs.
class Value {
 public:
  Value() noexcept = default;
  static Value borrowed(const char* text) noexcept;
  static Value copied(std::string_view text);
  // libxml2's own copy (xmlGetProp, xmlNodeGetContent), freed here.
  static Value adopted(xmlChar* text) noexcept;

  Value(Value&& other) noexcept;
  Value& operator=(Value&& other) noexcept;
  Value(const Value&) = delete;
  Value& operator=(const Value&) = delete;
  ~Value() = default;

  const char* get() const noexcept {
    if (kind_ == Kind::kSmall) return small_;
    return kind_ == Kind::kCopied ? copy_.c_str() : text_;
  }
  explicit operator bool() const noexcept { return kind_ != Kind::kAbsent; }

 private:
  struct XmlFree {
    void operator()(xmlChar* text) const noexcept { xmlFree(text); }
  };
  enum class Kind : unsigned char { kAbsent, kBorrowed, kSmall, kCopied, kAdopted };
  // Most values are a few bytes ("3", "2021-03-07T00:30:00"): kept inline.
  static constexpr std::size_t kSmall = 40;

  Kind kind_ = Kind::kAbsent;
  const char* text_ = nullptr;
  char small_[kSmall];
  std::string copy_;
  std::unique_ptr<xmlChar, XmlFree> adopted_;
};

// One element: a node of the host's tree, or a start tag as libxml2's SAX2
// interface reports it. Names are compared as the tree holds them: the local
// name, whatever namespace it is in; an element or attribute whose prefix is
// bound to no namespace keeps "prefix:name" and so matches no plain name.
class Element {
 public:
  static Element of_node(const xmlNode* node) noexcept;
  // SAX2's start tag; `attributes` holds `count` groups of (local name,
  // prefix, URI, value, end of value).
  static Element of_tag(const xmlChar* name, const xmlChar* prefix, const xmlChar* uri,
                        const xmlChar** attributes, int count) noexcept;

  bool named(const char* name) const noexcept {
    return prefix_ == nullptr && same_name(name_, name);
  }
  // The name the tree gives the element ("prefix:name" for an unbound prefix).
  std::string qualified_name() const;
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
