// The hour-by-hour document: the detail record and its hours list. Nothing is
// translated: every value but the hour itself is an element's text, copied.
#include <libxml/tree.h>

#include <array>
#include <cstring>
#include <ctime>
#include <span>

#include "frame/record_draft.hpp"
#include "frame/station_data.hpp"
#include "tarnvale-brelund-source.h"
#include "xml.hpp"

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

using HourDraft = station::RecordDraft<kFields>;

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
    if (xml::named(element, field.element)) {
      hour.set(field.field, xml::text(element));
      return;
    }
}

// The hour of day as two digits. The time record lives for the whole call,
// so a `c` that is not an hour repeats the previous hour ("00" before any).
class HourOfDay {
 public:
  void store(HourDraft& hour, const char* c) noexcept {
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
station::Record read_hour(const xmlNode* element, HourOfDay& clock, HourDraft& hour) noexcept {
  // Without `c` there is no hour to tell: `hours` is left out rather than
  // claiming the previous one.
  if (const xml::String c = xml::attribute(element, "c")) clock.store(hour, c.get());
  // A later element of the same name overwrites the earlier value.
  for (const xmlNode* child : xml::elements(element)) {
    if (!xml::named(child, "wind")) {
      copy_text(hour, child, kHourFields);
      continue;
    }
    for (const xmlNode* wind : xml::elements(child)) copy_text(hour, wind, kWindFields);
  }
  return hour.build();
}

}  // namespace
}  // namespace brelund::readers

int parse_xml_detail_data(const char* /*station_id*/, xmlNode* root,
                          GHashTable* station_data) noexcept {
  using namespace brelund;
  // Declared entities and attribute defaults would be copied, unbounded,
  // wherever their text is read: such documents are refused whole.
  if (root == nullptr || station_data == nullptr || xml::declares_expansions(root->doc)) return 0;
  readers::HourOfDay clock;
  readers::HourDraft draft(readers::kHourKeys);
  station::Record detail;
  station::RecordList hours;
  int count = 0;
  for (const xmlNode* hbhf : xml::elements(root)) {
    if (!xml::named(hbhf, "hbhf")) continue;
    detail = station::make_record();  // an earlier one is released: the host never saw it
    for (const xmlNode* child : xml::elements(hbhf)) {
      if (xml::named(child, "lsup")) {
        station::store(detail.get(), BRELUND_KEY_LAST_UPDATE, xml::text(child).get());
      } else if (xml::named(child, "hour")) {
        hours.append(readers::read_hour(child, clock, draft));
        ++count;
      }
    }
  }
  if (detail)
    g_hash_table_insert(detail.get(), const_cast<char*>(BRELUND_KEY_HOURS_DATA), hours.release());
  station::hand_over(station_data, BRELUND_KEY_DETAIL, detail.release());
  return count;
}
