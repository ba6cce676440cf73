// SPDX-License-Identifier: MIT
// The station data as stored, read once for every output (table, JSON,
// picture, check): which entries the plug-in stored, its day and hour
// records in order, and the one rule for showing a value to people.
#pragma once

#include <glib.h>

#include <string>
#include <vector>

namespace inspector {

struct Stored {
  explicit Stored(GHashTable* station_data);

  GHashTable* table;
  bool has_location;
  GHashTable* location;  // null when absent
  bool has_forecast;     // the key is there, even with no day (a null list)
  std::vector<GHashTable*> days;
  bool has_detail;     // the key is there, even with a null record
  GHashTable* detail;  // null when absent or null
  std::vector<GHashTable*> hours;
};

// A record's text, or null when the record, the key or its value is absent.
const char* text_at(GHashTable* record, const char* key);

// What people are shown for a value: the text, or "-" when there is none.
std::string shown(GHashTable* record, const char* key);

// The stored time zone as an offset from UTC ("UTC+1", "UTC-3"), or "-".
std::string zone_shown(GHashTable* location);

}  // namespace inspector
