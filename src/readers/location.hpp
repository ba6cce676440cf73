// SPDX-License-Identifier: MIT
// The location record: the station's position and time zone.
#pragma once

#include <glib.h>

#include "sources/element.hpp"

namespace brelund::readers {

// Reads one child of a `location` element into its record: `location`
// (latitude, longitude) or `timezone` (offset in whole hours); anything else
// is ignored.
void read_location_child(GHashTable* record, const sources::Element& child);

}  // namespace brelund::readers
