// The plug-in's life cycle: the one table it keeps between calls.
#include "frame/station_data.hpp"
#include "tarnvale-brelund-source.h"

namespace {
GHashTable* plugin_table = nullptr;
}  // namespace

int source_init() noexcept {
  plugin_table = brelund::station::new_record();
  return plugin_table != nullptr ? 1 : 0;
}

void source_destroy() noexcept {
  // Cleared first, so a second call finds nothing to release.
  GHashTable* table = plugin_table;
  plugin_table = nullptr;
  brelund::station::release_station_data(table);
}
