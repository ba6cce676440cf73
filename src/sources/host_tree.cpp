// SPDX-License-Identifier: MIT
#include "sources/host_tree.hpp"

#include <cstddef>
#include <cstdint>

#include "sources/tree_text.hpp"

namespace brelund::sources {
namespace {

const xmlNode* element_from(const xmlNode* node) noexcept {
  while (node != nullptr && node->type != XML_ELEMENT_NODE) node = node->next;
  return node;
}

// libxml2 allocates a tree in document order, so the elements still to be
// read lie just past the current one in memory. A large forecast's tree no
// longer fits the caches by the time the host hands it over; asking for the
// memory a few kilobytes ahead (about one forecast period) while this
// element is read keeps the walk from waiting on each node in turn. A
// prefetch never faults: where the layout differs it is only wasted.
void prefetch_ahead(const xmlNode* node) noexcept {
  constexpr std::size_t kLine = 64;
  constexpr std::size_t kFrom = 4096;
  constexpr std::size_t kTo = 12288;
  // Addresses computed as integers: they may lie outside any object, where
  // pointer arithmetic would be undefined.
  const auto here = reinterpret_cast<std::uintptr_t>(node);
  for (std::size_t offset = kFrom; offset < kTo; offset += kLine) {
    // NOLINTNEXTLINE(performance-no-int-to-ptr)
    __builtin_prefetch(reinterpret_cast<const void*>(here + offset));
  }
}

class Walk {
 public:
  explicit Walk(ElementHandler& handler) noexcept : handler_(handler) {}

  // Shows `node`; true when the handler wants its children.
  bool show(const xmlNode* node) {
    // A tree of a few weeks is still in the caches from its parse.
    constexpr unsigned kPrefetchAfter = 256;
    switch (handler_.start(Element::of_node(node))) {
      case Want::kChildren:
        if (++descended_ > kPrefetchAfter) prefetch_ahead(node);
        return true;
      case Want::kText:
        if (const Value text = tree::text(node)) handler_.text(text.get());
        return false;
      case Want::kNothing:
        return false;
    }
    return false;
  }

  void end() { handler_.end(); }
  bool stopped() const noexcept { return handler_.full(); }

 private:
  ElementHandler& handler_;
  unsigned descended_ = 0;
};

}  // namespace

void walk(const xmlNode* root, ElementHandler& handler) {
  if (root == nullptr) return;
  Walk walk(handler);
  const xmlNode* node = root;
  bool descend = walk.show(node);
  while (!walk.stopped()) {
    if (const xmlNode* child = descend ? element_from(node->children) : nullptr) {
      node = child;
      descend = walk.show(node);
      continue;
    }
    // `node` is finished: on to its next sibling, or up to finish its parent.
    walk.end();
    for (;;) {
      if (node == root) return;
      if (const xmlNode* sibling = element_from(node->next)) {
        node = sibling;
        descend = walk.show(node);
        break;
      }
      node = node->parent;
      walk.end();
    }
  }
}

}  // namespace brelund::sources
