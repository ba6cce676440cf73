// SPDX-License-Identifier: MIT
#include "sources/expansions.hpp"

#include <libxml/hash.h>
#include <libxml/valid.h>

#include <initializer_list>

namespace brelund::sources {
namespace {

bool holds_any(void* table) noexcept {
  return table != nullptr && xmlHashSize(static_cast<xmlHashTablePtr>(table)) > 0;
}

bool declares_attribute_default(void* attributes) noexcept {
  if (!holds_any(attributes)) return false;
  bool found = false;
  xmlHashScan(
      static_cast<xmlHashTablePtr>(attributes),
      [](void* payload, void* data, const xmlChar* /*name*/) {
        if (static_cast<const xmlAttribute*>(payload)->defaultValue != nullptr)
          *static_cast<bool*>(data) = true;
      },
      &found);
  return found;
}

}  // namespace

bool declares_expansions(const xmlDoc* doc) noexcept {
  if (doc == nullptr) return false;
  for (const xmlDtd* dtd : {doc->intSubset, doc->extSubset}) {
    if (dtd == nullptr) continue;
    if (holds_any(dtd->entities) || holds_any(dtd->pentities) ||
        declares_attribute_default(dtd->attributes))
      return true;
  }
  return false;
}

}  // namespace brelund::sources
