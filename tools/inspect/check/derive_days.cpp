// SPDX-License-Identifier: MIT
// Findings about the day records the plug-in stored, each traced to the line
// of the `time` element that opened it.
#include <glib.h>

#include "check/derive.hpp"
#include "tarnvale-brelund-source.h"

namespace inspector::check {
namespace {

constexpr const char* kDayHalf[] = {BRELUND_KEY_DAY_ICON,       BRELUND_KEY_DAY_TITLE,
                                    BRELUND_KEY_DAY_PRESSURE,   BRELUND_KEY_DAY_PRECIPITATION,
                                    BRELUND_KEY_DAY_WIND_SPEED, BRELUND_KEY_DAY_WIND_TITLE};
constexpr const char* kNightHalf[] = {BRELUND_KEY_NIGHT_ICON,       BRELUND_KEY_NIGHT_TITLE,
                                      BRELUND_KEY_NIGHT_PRESSURE,   BRELUND_KEY_NIGHT_PRECIPITATION,
                                      BRELUND_KEY_NIGHT_WIND_SPEED, BRELUND_KEY_NIGHT_WIND_TITLE};
constexpr std::uint8_t kAllPeriods = 0b1111;

// What the stored data and the stream say of day record `k`.
struct Day {
  GHashTable* record;
  int line;
  std::uint8_t periods;
  std::string name;  // "day record "Dec 15"", or its number when it has no date
};

Day day_at(const Stored& stored, const Facts& facts, std::size_t k) {
  const bool traced = k < facts.day_lines.size() && k < facts.day_periods.size();
  const char* date = text_at(stored.days[k], BRELUND_KEY_DAY_DATE);
  return {stored.days[k], traced ? static_cast<int>(facts.day_lines[k]) : 0,
          traced ? facts.day_periods[k] : kAllPeriods,
          date != nullptr ? std::string("day record \"") + date + "\""
                          : "day record " + std::to_string(k + 1)};
}

template <std::size_t N>
bool holds_any(GHashTable* record, const char* const (&keys)[N]) {
  for (const char* key : keys)
    if (g_hash_table_contains(record, key)) return true;
  return false;
}

// "period 3 alone", "periods 2, 3 alone".
std::string periods_of(std::uint8_t periods) {
  std::string text;
  int count = 0;
  for (unsigned k = 0; k < 4; ++k)
    if (periods & (1u << k)) text += (count++ == 0 ? "" : ", ") + std::to_string(k);
  if (count == 0) return "no numbered period";
  return (count == 1 ? "period " : "periods ") + text + (count < 4 ? " alone" : "");
}

// Empty when the record is whole.
std::string partial(const Day& day) {
  const bool has_day = holds_any(day.record, kDayHalf),
             has_night = holds_any(day.record, kNightHalf);
  if (has_day && has_night && day.periods == kAllPeriods) return {};
  const std::string periods = periods_of(day.periods);
  if (has_day == has_night) return day.name + " is built from " + periods;
  return day.name + " holds only its " + (has_day ? "day" : "night") + " half: it is built from " +
         periods;
}

const char* null_key(GHashTable* record) {
  if (record == nullptr) return nullptr;
  GHashTableIter at;
  gpointer key = nullptr, value = nullptr;
  g_hash_table_iter_init(&at, record);
  while (g_hash_table_iter_next(&at, &key, &value))
    if (value == nullptr) return static_cast<const char*>(key);
  return nullptr;
}

// Counts one more occurrence of a kind, keeping the first's line and words.
void note(Finding& finding, int line, const std::string& message) {
  if (finding.count++ == 0) {
    finding.line = line;
    finding.message = message;
  }
}

}  // namespace

void day_findings(const Stored& stored, const Facts& facts, std::vector<Finding>& out) {
  Finding partial_days{Code::kPartialDay, 0, 0, {}, {}, {}};
  Finding same_date{Code::kSameDate, 0, 0, {}, {}, {}};
  Finding no_temperature{Code::kNoTemperature, 0, 0, {}, {}, {}};
  Finding null_value{Code::kNullValue, 0, 0, {}, {}, {}};
  if (const char* key = null_key(stored.location))
    note(null_value, facts.null_values.line,
         std::string("the location stores ") + key + " with a null value");
  for (std::size_t k = 0; k < stored.days.size(); ++k) {
    const Day day = day_at(stored, facts, k);
    if (const std::string why = partial(day); !why.empty()) note(partial_days, day.line, why);
    const char* date = text_at(day.record, BRELUND_KEY_DAY_DATE);
    if (k > 0 && date != nullptr &&
        g_strcmp0(date, text_at(stored.days[k - 1], BRELUND_KEY_DAY_DATE)) == 0)
      note(same_date, day.line,
           "day records " + std::to_string(k) + " and " + std::to_string(k + 1) +
               " are both dated \"" + date + "\"");
    if (!g_hash_table_contains(day.record, BRELUND_KEY_DAY_HI_TEMPERATURE))
      note(no_temperature, day.line, day.name + " has no temperature: no high or low is stored");
    if (const char* key = null_key(day.record))
      note(null_value, day.line,
           day.name + " stores " + key + " with a null value: its element lacks the attribute");
  }
  // Where the stream saw the element that lacks its attribute, it says so.
  if (null_value.count > 0 && facts.null_values) {
    null_value.line = facts.null_values.line;
    null_value.message =
        facts.null_values.text + ": the key it fills is stored with a null value, not left out";
  }
  for (Finding* finding : {&partial_days, &same_date, &no_temperature, &null_value})
    if (finding->count > 0) out.push_back(std::move(*finding));
  if (facts.dropped)
    out.push_back({Code::kDroppedDay,
                   facts.dropped.line,
                   facts.dropped.count,
                   "a day record opened here never reaches a period 3 (the next period 0 or the "
                   "end comes first), so the plug-in drops it",
                   {},
                   {}});
}

}  // namespace inspector::check
