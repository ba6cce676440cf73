// SPDX-License-Identifier: MIT
// How a host releases the station data the plug-in stored: shared by the
// inspector, the tests and the benchmarks, so there is one description of it.
#pragma once

#include <glib.h>

namespace host {

// Releases `location`, `current`, the `forecast` list and the `detail` record
// with its hours list, then destroys `table`. `free_value` frees one text
// value (the plug-in's free_fields, or any GHFunc that g_free()s the value).
// The hours list is taken out of the detail record before its texts are
// freed: it is the one value that is not text.
void release_station_data(GHashTable* table, GHFunc free_value);

}  // namespace host
