// Small helpers over libxml2's tree: owning strings and documents, element
// children in document order, attribute and text reads. They keep the
// readers free of manual xmlFree calls.
#pragma once

#include <libxml/tree.h>

#include <memory>

namespace brelund::xml {

struct Free {
  void operator()(xmlChar* s) const noexcept { xmlFree(s); }
  void operator()(xmlDoc* d) const noexcept { xmlFreeDoc(d); }
};

// Text from xmlGetProp / xmlNodeGetContent; null when absent.
class String {
 public:
  explicit String(xmlChar* s = nullptr) noexcept : s_(s) {}
  const char* get() const noexcept { return reinterpret_cast<const char*>(s_.get()); }
  explicit operator bool() const noexcept { return s_ != nullptr; }

 private:
  std::unique_ptr<xmlChar, Free> s_;
};

using Document = std::unique_ptr<xmlDoc, Free>;

inline bool named(const xmlNode* node, const char* name) noexcept {
  return xmlStrcmp(node->name, reinterpret_cast<const xmlChar*>(name)) == 0;
}

inline String attribute(const xmlNode* node, const char* name) noexcept {
  return String(xmlGetProp(node, reinterpret_cast<const xmlChar*>(name)));
}

// Concatenated text of the element and its descendants.
inline String text(const xmlNode* node) noexcept { return String(xmlNodeGetContent(node)); }

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
