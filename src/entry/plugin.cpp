// SPDX-License-Identifier: MIT
// The plug-in's life cycle: the one table it keeps between calls, and the
// release of the records it hands out.
#include "records/station_data.hpp"
#include "tarnvale-brelund-source.h"

namespace {
GHashTable* plugin_table = nullptr;
}  // namespace

int source_init() noexcept {
  plugin_table = brelund::records::new_record();
  return plugin_table != nullptr ? 1 : 0;
}

void source_destroy() noexcept {
  // Cleared first, so a second call finds nothing to release.
  GHashTable* table = plugin_table;
  plugin_table = nullptr;
  brelund::records::release_station_data(table);
}

void free_fields(gpointer key, gpointer value, gpointer user_data) noexcept {
  brelund::records::free_value(key, value, user_data);
}
