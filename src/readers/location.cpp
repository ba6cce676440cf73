// SPDX-License-Identifier: MIT
#include "readers/location.hpp"

#include <cstdio>

#include "readers/numbers.hpp"
#include "records/station_data.hpp"
#include "tarnvale-brelund-source.h"

namespace brelund::readers {
namespace {

void read_position(GHashTable* record, const sources::Element& position) {
  // A missing attribute still stores its key, with a null value.
  records::store(record, BRELUND_KEY_STATION_LATITUDE, position.attribute("latitude").get());
  records::store(record, BRELUND_KEY_STATION_LONGITUDE, position.attribute("longitude").get());
}

void read_time_zone(GHashTable* record, const sources::Element& zone) {
  const sources::Value minutes = zone.attribute("utcoffsetMinutes");
  if (!minutes) return;
  char hours[256];
  std::snprintf(hours, sizeof hours - 1, "%i", zone_hours(minutes.get()));
  records::store(record, BRELUND_KEY_STATION_TIME_ZONE, hours);
}

}  // namespace

void read_location_child(GHashTable* record, const sources::Element& child) {
  if (child.named("location"))
    read_position(record, child);
  else if (child.named("timezone"))
    read_time_zone(record, child);
}

}  // namespace brelund::readers
