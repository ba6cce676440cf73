// SPDX-License-Identifier: MIT
// The location record: the station's position and time zone.
#pragma once

#include <glib.h>

#include "readers/narrator.hpp"
#include "sources/element.hpp"

namespace brelund::readers {

// Reads one child of a `location` element into its record: `location`
// (latitude, longitude) or `timezone` (offset in whole hours); anything else
// is ignored. Each value stored is told to `narrator`, when there is one.
void read_location_child(GHashTable* record, const sources::Element& child, Narrator* narrator);

}  // namespace brelund::readers
