// SPDX-License-Identifier: MIT
#include "readers/location.hpp"

#include <cstdio>

#include "readers/numbers.hpp"
#include "records/station_data.hpp"
#include "tarnvale-brelund-source.h"

namespace brelund::readers {
namespace {

void store(GHashTable* record, const char* key, const char* text, const sources::Element& from,
           Narrator* narrator, const char* source = nullptr, const Number* number = nullptr) {
  if (narrator != nullptr) [[unlikely]]
    narrator->stored({Record::kLocation, key, text, from.line(), from.qualified_name().c_str(),
                      g_hash_table_contains(record, key) != FALSE, source, number, false});
  records::store(record, key, text);
}

void read_position(GHashTable* record, const sources::Element& position, Narrator* narrator) {
  // A missing attribute still stores its key, with a null value.
  store(record, BRELUND_KEY_STATION_LATITUDE, position.attribute("latitude").get(), position,
        narrator);
  store(record, BRELUND_KEY_STATION_LONGITUDE, position.attribute("longitude").get(), position,
        narrator);
}

void read_time_zone(GHashTable* record, const sources::Element& zone, Narrator* narrator) {
  const sources::Value minutes = zone.attribute("utcoffsetMinutes");
  if (!minutes) {
    if (narrator != nullptr) [[unlikely]]
      narrator->unstored(zone, Record::kLocation, BRELUND_KEY_STATION_TIME_ZONE, nullptr,
                         Unstored::kNoAttribute);
    return;
  }
  char hours[256];
  std::snprintf(hours, sizeof hours - 1, "%i", zone_hours(minutes.get()));
  Number number{};
  if (narrator != nullptr) [[unlikely]]
    number = zone_number(minutes.get());
  store(record, BRELUND_KEY_STATION_TIME_ZONE, hours, zone, narrator, minutes.get(), &number);
}

}  // namespace

void read_location_child(GHashTable* record, const sources::Element& child, Narrator* narrator) {
  if (child.named("location"))
    read_position(record, child, narrator);
  else if (child.named("timezone"))
    read_time_zone(record, child, narrator);
}

}  // namespace brelund::readers
