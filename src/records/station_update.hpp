// SPDX-License-Identifier: MIT
// Everything one forecast read gives the host: the entries for its station
// data table, the diagnostic lines, and where LC_TIME is left. Held until
// the document is known to be whole, then handed over in one go.
#pragma once

#include <glib.h>

#include <cstddef>

#include "records/diagnostics.hpp"
#include "records/station_data.hpp"

namespace brelund::records {

struct StationUpdate {
  Record location;            // the last `location` element's record, if any
  bool has_forecast = false;  // a `forecast` element was seen: `forecast` is stored
  RecordList days;
  int count = 0;
  std::size_t days_bytes = 0;  // estimated heap bytes of `days`
  Diagnostics diagnostics;
  // A day was dated: LC_TIME is left at the environment's locale (or at
  // POSIX when the environment names a locale that is not installed).
  bool dated = false;

  // Stores the entries in `station_data` (insert semantics), writes the
  // diagnostic lines, sets LC_TIME; returns the number of days. Dropping an
  // update instead leaves no trace.
  int hand_over(GHashTable* station_data) noexcept;
  // Only stores the entries: for a reader of the station data that is no
  // host (no line is written, LC_TIME stays).
  void store_in(GHashTable* station_data) noexcept;
};

}  // namespace brelund::records
