// SPDX-License-Identifier: MIT
// The hour-by-hour document: the detail record and its hours list. Nothing is
// translated: every value but the hour itself is an element's text, copied.
#include "readers/hourly.hpp"

#include <libxml/tree.h>

#include <array>
#include <cstring>
#include <ctime>
#include <span>

#include "records/record_draft.hpp"
#include "records/station_data.hpp"
#include "sources/tree_text.hpp"
#include "tarnvale-brelund-source.h"

namespace brelund::readers {
namespace {

enum Field : std::size_t {
  kHours,
  kTemperature,
  kFeelsLike,
  kIcon,
  kTitle,
  kHumidity,
  kWindSpeed,
  kWindGust,
  kWindDirection,
  kFields
};

constexpr std::array<const char*, kFields> kHourKeys = {
    BRELUND_KEY_HOURS,           BRELUND_KEY_HOUR_TEMPERATURE, BRELUND_KEY_HOUR_FEELS_LIKE,
    BRELUND_KEY_HOUR_ICON,       BRELUND_KEY_HOUR_TITLE,       BRELUND_KEY_HOUR_HUMIDITY,
    BRELUND_KEY_HOUR_WIND_SPEED, BRELUND_KEY_HOUR_WIND_GUST,   BRELUND_KEY_HOUR_WIND_DIRECTION,
};

using HourDraft = records::RecordDraft<kFields>;

struct TextField {
  const char* element;
  Field field;
};

constexpr TextField kHourFields[] = {
    {"tmp", kTemperature}, {"flik", kFeelsLike}, {"icon", kIcon},
    {"t", kTitle},         {"hmid", kHumidity},
};

constexpr TextField kWindFields[] = {
    {"s", kWindSpeed},
    {"gust", kWindGust},
    {"t", kWindDirection},
};

// Takes the text of `element` when its name is one of `fields`.
void copy_text(HourDraft& hour, const xmlNode* element, std::span<const TextField> fields) {
  for (const TextField& field : fields)
    if (sources::same_name(element->name, field.element)) {
      hour.set_copy(field.field, sources::tree::text(element).get());
      return;
    }
}

// The hour of day as two digits. The time record lives for the whole call,
// so a `c` that is not an hour repeats the previous hour ("00" before any).
class HourOfDay {
 public:
  void store(HourDraft& hour, const char* c) {
    char buffer[256] = {};
    std::strncpy(buffer, c, sizeof buffer - 1);
    strptime(buffer, "%H", &time_);
    std::memset(buffer, 0, sizeof buffer);
    std::strftime(buffer, sizeof buffer - 1, "%H", &time_);
    hour.set_copy(kHours, buffer);
  }

 private:
  std::tm time_{};
};

// `hour` is the call's draft, empty between hours.
records::Record read_hour(const xmlNode* element, HourOfDay& clock, HourDraft& hour) {
  // Without `c` there is no hour to tell: `hours` is left out rather than
  // claiming the previous one.
  if (const sources::Value c = sources::tree::attribute(element, "c")) clock.store(hour, c.get());
  // A later element of the same name overwrites the earlier value.
  for (const xmlNode* child : sources::tree::elements(element)) {
    if (!sources::same_name(child->name, "wind")) {
      copy_text(hour, child, kHourFields);
      continue;
    }
    for (const xmlNode* wind : sources::tree::elements(child)) copy_text(hour, wind, kWindFields);
  }
  return hour.build();
}

}  // namespace

int read_hourly(const xmlNode* root, GHashTable* station_data) {
  HourOfDay clock;
  HourDraft draft(kHourKeys);
  records::Record detail;
  records::RecordList hours;
  int count = 0;
  for (const xmlNode* hbhf : sources::tree::elements(root)) {
    if (!sources::same_name(hbhf->name, "hbhf")) continue;
    detail = records::make_record();  // an earlier one is released: the host never saw it
    for (const xmlNode* child : sources::tree::elements(hbhf)) {
      if (sources::same_name(child->name, "lsup")) {
        records::store(detail.get(), BRELUND_KEY_LAST_UPDATE, sources::tree::text(child).get());
      } else if (sources::same_name(child->name, "hour")) {
        hours.append(read_hour(child, clock, draft));
        ++count;
      }
    }
  }
  if (detail)
    g_hash_table_insert(detail.get(), const_cast<char*>(BRELUND_KEY_HOURS_DATA), hours.release());
  records::hand_over(station_data, BRELUND_KEY_DETAIL, detail.release());
  return count;
}

}  // namespace brelund::readers
