// Small helpers over libxml2's tree: owning strings and documents, element
// children in document order, attribute and text reads. They keep the
// readers free of manual xmlFree calls.
#pragma once

#include <libxml/tree.h>

#include <memory>
#include <utility>

namespace brelund::xml {

struct Free {
  void operator()(xmlChar* s) const noexcept { xmlFree(s); }
  void operator()(xmlDoc* d) const noexcept { xmlFreeDoc(d); }
};

// Text read from the tree: either a copy libxml2 made for us (released here)
// or, in the common case, the tree's own text, borrowed. Either way it is
// valid only while the document lives; copy what must outlast it.
class String {
 public:
  String() noexcept = default;
  // Takes a copy from xmlGetProp / xmlNodeGetContent; null when absent.
  explicit String(xmlChar* s) noexcept : owned_(s), text_(s) {}
  static String borrowed(const xmlChar* s) noexcept {
    String result;
    result.text_ = s;
    return result;
  }
  String(String&& other) noexcept
      : owned_(std::move(other.owned_)), text_(std::exchange(other.text_, nullptr)) {}
  String& operator=(String&& other) noexcept {
    owned_ = std::move(other.owned_);
    text_ = std::exchange(other.text_, nullptr);
    return *this;
  }

  const char* get() const noexcept { return reinterpret_cast<const char*>(text_); }
  // True when the text is libxml2's copy, gone with this String; false when
  // it is the tree's own (or null).
  bool copied() const noexcept { return owned_ != nullptr; }
  explicit operator bool() const noexcept { return text_ != nullptr; }

 private:
  std::unique_ptr<xmlChar, Free> owned_;
  const xmlChar* text_ = nullptr;
};

// The text of a node list that is a single text (or CDATA) node: what
// libxml2 would copy out of it. Null for anything else (no children, entity
// references, comments mixed in), which needs libxml2's own assembly.
inline const xmlChar* sole_text(const xmlNode* children) noexcept {
  if (children == nullptr || children->next != nullptr) return nullptr;
  if (children->type != XML_TEXT_NODE && children->type != XML_CDATA_SECTION_NODE) return nullptr;
  return children->content;
}

using Document = std::unique_ptr<xmlDoc, Free>;

// xmlStrcmp's and xmlStrEqual's equality for a non-null `wanted`, inlined:
// names are compared often and most differ at the first byte.
inline bool same_name(const xmlChar* name, const xmlChar* wanted) noexcept {
  if (name == nullptr) return false;
  for (; *name == *wanted; ++name, ++wanted)
    if (*name == '\0') return true;
  return false;
}

inline bool named(const xmlNode* node, const char* name) noexcept {
  return same_name(node->name, reinterpret_cast<const xmlChar*>(name));
}

// The value xmlGetProp gives: the first attribute of that name (in any
// namespace), or a default from the document's DTD. A plain value is read in
// place instead of being copied; the rest is left to xmlGetProp.
inline String attribute(const xmlNode* node, const char* name) noexcept {
  const auto* wanted = reinterpret_cast<const xmlChar*>(name);
  if (node != nullptr && node->type == XML_ELEMENT_NODE) {
    for (const xmlAttr* a = node->properties; a != nullptr; a = a->next) {
      if (!same_name(a->name, wanted)) continue;
      if (const xmlChar* value = sole_text(a->children)) return String::borrowed(value);
      break;
    }
  }
  return String(xmlGetProp(node, wanted));
}

// Concatenated text of the element and its descendants, as
// xmlNodeGetContent gives it; an element holding a single text node is read
// in place.
inline String text(const xmlNode* node) noexcept {
  if (node != nullptr && node->type == XML_ELEMENT_NODE)
    if (const xmlChar* value = sole_text(node->children)) return String::borrowed(value);
  return String(xmlNodeGetContent(node));
}

// Iterates the element children of a node (text, comments and the like are
// skipped): for (const xmlNode* child : elements(parent)) ...
class Elements {
 public:
  class Iterator {
   public:
    explicit Iterator(const xmlNode* n) noexcept : n_(skip(n)) {}
    const xmlNode* operator*() const noexcept { return n_; }
    Iterator& operator++() noexcept {
      n_ = skip(n_->next);
      return *this;
    }
    bool operator==(const Iterator& other) const noexcept = default;

   private:
    static const xmlNode* skip(const xmlNode* n) noexcept {
      while (n != nullptr && n->type != XML_ELEMENT_NODE) n = n->next;
      return n;
    }
    const xmlNode* n_;
  };

  explicit Elements(const xmlNode* parent) noexcept
      : first_(parent != nullptr ? parent->children : nullptr) {}
  Iterator begin() const noexcept { return Iterator(first_); }
  Iterator end() const noexcept { return Iterator(nullptr); }

 private:
  const xmlNode* first_;
};

inline Elements elements(const xmlNode* parent) noexcept { return Elements(parent); }

// True when the document's DTD, internal or external subset, declares an
// entity, a parameter entity or an attribute default. Each lets a short
// declaration stand for text that libxml2 copies at every use, without any
// limit, when the text is read (xmlNodeGetContent, xmlGetProp). The service
// never sends a DTD, so the readers refuse such documents whole.
bool declares_expansions(const xmlDoc* doc) noexcept;

}  // namespace brelund::xml
