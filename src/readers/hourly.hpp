// SPDX-License-Identifier: MIT
// The hour-by-hour document, read from the host's tree: the detail record
// and its hours list.
#pragma once

#include <glib.h>
#include <libxml/tree.h>

namespace brelund::readers {

// Stores `detail` in `station_data` (null when the root has no `hbhf`
// child) and returns the number of hour records.
int read_hourly(const xmlNode* root, GHashTable* station_data);

}  // namespace brelund::readers
