// SPDX-License-Identifier: MIT
// A tree the host parsed, shown to a reader element by element, exactly as
// the file stream shows a file: same order, same names, same values.
#pragma once

#include <libxml/tree.h>

#include "sources/element.hpp"

namespace brelund::sources {

// Shows `root` and, as the handler asks, its descendants. Without recursion:
// the walk climbs back through the nodes' parent links.
void walk(const xmlNode* root, ElementHandler& handler);

}  // namespace brelund::sources
