// SPDX-License-Identifier: MIT
// Whether the readers take a host's tree at all: a root and a table to fill,
// and a document that declares no expansions.
#pragma once

#include <glib.h>
#include <libxml/tree.h>

#include "sources/expansions.hpp"

namespace brelund::entry {

inline bool readable(const xmlNode* root, const GHashTable* station_data) noexcept {
  return root != nullptr && station_data != nullptr && !sources::declares_expansions(root->doc);
}

}  // namespace brelund::entry
