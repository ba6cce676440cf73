// SPDX-License-Identifier: MIT
#include "host_release.hpp"

#include "tarnvale-brelund-source.h"

namespace host {
namespace {

void release_record(gpointer record, GHFunc free_value) {
  if (record == nullptr) return;
  g_hash_table_foreach(static_cast<GHashTable*>(record), free_value, nullptr);
  g_hash_table_remove_all(static_cast<GHashTable*>(record));
  g_hash_table_unref(static_cast<GHashTable*>(record));
}

void release_list(gpointer list, GHFunc free_value) {
  for (GSList* cell = static_cast<GSList*>(list); cell != nullptr; cell = cell->next)
    release_record(cell->data, free_value);
  g_slist_free(static_cast<GSList*>(list));
}

}  // namespace

void release_station_data(GHashTable* table, GHFunc free_value) {
  release_record(g_hash_table_lookup(table, BRELUND_KEY_LOCATION), free_value);
  release_record(g_hash_table_lookup(table, BRELUND_KEY_CURRENT), free_value);
  release_list(g_hash_table_lookup(table, BRELUND_KEY_FORECAST), free_value);
  if (auto* detail = static_cast<GHashTable*>(g_hash_table_lookup(table, BRELUND_KEY_DETAIL))) {
    release_list(g_hash_table_lookup(detail, BRELUND_KEY_HOURS_DATA), free_value);
    g_hash_table_remove(detail, BRELUND_KEY_HOURS_DATA);
    release_record(detail, free_value);
  }
  g_hash_table_destroy(table);
}

}  // namespace host
