// SPDX-License-Identifier: MIT
#include "model/stored.hpp"

#include "tarnvale-brelund-source.h"

namespace inspector {
namespace {

std::vector<GHashTable*> records_of(gpointer list) {
  std::vector<GHashTable*> records;
  for (auto* cell = static_cast<GSList*>(list); cell != nullptr; cell = cell->next)
    records.push_back(static_cast<GHashTable*>(cell->data));
  return records;
}

GHashTable* record_at(GHashTable* table, const char* key) {
  return table != nullptr ? static_cast<GHashTable*>(g_hash_table_lookup(table, key)) : nullptr;
}

}  // namespace

Stored::Stored(GHashTable* station_data)
    : table(station_data),
      has_location(g_hash_table_contains(station_data, BRELUND_KEY_LOCATION)),
      location(record_at(station_data, BRELUND_KEY_LOCATION)),
      has_forecast(g_hash_table_contains(station_data, BRELUND_KEY_FORECAST)),
      days(records_of(g_hash_table_lookup(station_data, BRELUND_KEY_FORECAST))),
      has_detail(g_hash_table_contains(station_data, BRELUND_KEY_DETAIL)),
      detail(record_at(station_data, BRELUND_KEY_DETAIL)),
      hours(records_of(detail != nullptr ? g_hash_table_lookup(detail, BRELUND_KEY_HOURS_DATA)
                                         : nullptr)) {}

const char* text_at(GHashTable* record, const char* key) {
  return record != nullptr ? static_cast<const char*>(g_hash_table_lookup(record, key)) : nullptr;
}

std::string shown(GHashTable* record, const char* key) {
  const char* text = text_at(record, key);
  return text != nullptr ? text : "-";
}

std::string zone_shown(GHashTable* location) {
  const char* hours = text_at(location, BRELUND_KEY_STATION_TIME_ZONE);
  if (hours == nullptr) return "-";
  return std::string("UTC") + (hours[0] == '-' ? "" : "+") + hours;
}

}  // namespace inspector
