// SPDX-License-Identifier: MIT
#include "records/station_update.hpp"

#include <clocale>

#include "tarnvale-brelund-source.h"

namespace brelund::records {

void StationUpdate::store_in(GHashTable* station_data) noexcept {
  if (location) records::hand_over(station_data, BRELUND_KEY_LOCATION, location.release());
  if (has_forecast) records::hand_over(station_data, BRELUND_KEY_FORECAST, days.release());
}

int StationUpdate::hand_over(GHashTable* station_data) noexcept {
  store_in(station_data);
  diagnostics.write();
  // Where switching to POSIX around every parse and to the environment's
  // locale around every weekday name leaves the process: the dates
  // themselves were formatted through locale objects (readers/day_dates).
  if (dated && std::setlocale(LC_TIME, "") == nullptr) std::setlocale(LC_TIME, "POSIX");
  return count;
}

}  // namespace brelund::records
