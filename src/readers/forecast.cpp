// The forecast document: the walk over the root's children, and the
// location record.
#include <cstdio>

#include "frame/station_data.hpp"
#include "readers/day_assembly.hpp"
#include "readers/numbers.hpp"
#include "tarnvale-brelund-source.h"
#include "xml.hpp"

namespace brelund::readers {
namespace {

constexpr int kMinutesPerHour = 60;

void read_position(GHashTable* record, const xmlNode* position) noexcept {
  // A missing attribute still stores its key, with a null value.
  station::store(record, BRELUND_KEY_STATION_LATITUDE, xml::attribute(position, "latitude").get());
  station::store(record, BRELUND_KEY_STATION_LONGITUDE,
                 xml::attribute(position, "longitude").get());
}

void read_time_zone(GHashTable* record, const xmlNode* zone) noexcept {
  const xml::String minutes = xml::attribute(zone, "utcoffsetMinutes");
  if (!minutes) return;
  char hours[256];
  // Whole hours, truncated toward zero: -330 minutes is -5.
  std::snprintf(hours, sizeof hours - 1, "%i", leading_int(minutes.get()) / kMinutesPerHour);
  station::store(record, BRELUND_KEY_STATION_TIME_ZONE, hours);
}

station::Record read_location(const xmlNode* location) noexcept {
  station::Record record = station::make_record();
  for (const xmlNode* child : xml::elements(location)) {
    if (xml::named(child, "location"))
      read_position(record.get(), child);
    else if (xml::named(child, "timezone"))
      read_time_zone(record.get(), child);
  }
  return record;
}

}  // namespace
}  // namespace brelund::readers

int parse_xml_data(const char* /*station_id*/, xmlNode* root, GHashTable* station_data) noexcept {
  using namespace brelund;
  // Declared entities and attribute defaults would be copied, unbounded,
  // wherever their text is read: such documents are refused whole.
  if (root == nullptr || station_data == nullptr || xml::declares_expansions(root->doc)) return 0;
  readers::DayAssembly days;
  // Only the last `location` is kept; earlier ones were never the host's.
  station::Record location;
  bool has_forecast = false;
  for (const xmlNode* child : xml::elements(root)) {
    if (xml::named(child, "location")) location = readers::read_location(child);
    if (xml::named(child, "forecast")) {
      days.read_forecast(child);
      has_forecast = true;
    }
  }
  if (location) station::hand_over(station_data, BRELUND_KEY_LOCATION, location.release());
  if (has_forecast) station::hand_over(station_data, BRELUND_KEY_FORECAST, days.release_list());
  return days.count();
}
