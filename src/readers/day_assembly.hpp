// Day records from the service's numbered forecast periods: the state that
// carries across every `tabular` and `forecast` element of one document.
//
// Each `time` element is one period of a day ("0" night, "1" and "2" day,
// "3" night). A record opens at the first `time` with a period and at every
// period "0", collects the values of the elements inside, and closes into
// the forecast list at period "3".
#pragma once

#include <glib.h>
#include <libxml/tree.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>

#include "codes/tables.hpp"
#include "frame/record_draft.hpp"
#include "frame/station_data.hpp"
#include "readers/day_dates.hpp"
#include "xml.hpp"

namespace brelund::readers {

class DayAssembly {
 public:
  DayAssembly() noexcept;
  DayAssembly(const DayAssembly&) = delete;
  DayAssembly& operator=(const DayAssembly&) = delete;
  ~DayAssembly();

  // Runs the assembly over the `tabular` children of a `forecast` element.
  void read_forecast(const xmlNode* forecast) noexcept;

  // Day records completed so far.
  int count() const noexcept { return count_; }

  // The forecast list (null when no day was completed); the caller owns it.
  GSList* release_list() noexcept { return days_.release(); }

 private:
  // The period of the last `time` that had one; `other` for a text that is
  // not "0".."3", and before any period has been seen.
  enum class Kind { period0, period1, period2, period3, other };

  // The day record's fields; kDayKeys names them.
  enum Field : std::size_t {
    kName,
    kDate,
    kHigh,
    kLow,
    kDayIcon,
    kNightIcon,
    kDayTitle,
    kNightTitle,
    kDayPressure,
    kNightPressure,
    kDayPrecipitation,
    kNightPrecipitation,
    kDayWindSpeed,
    kNightWindSpeed,
    kDayWindTitle,
    kNightWindTitle,
    kSunrise,
    kSunset,
    kFields
  };
  static const std::array<const char*, kFields> kDayKeys;

  // A value's field in the day half and in the night half.
  struct Keys {
    Field day;
    Field night;
  };

  // A value to store: text that stays put for the whole call (static text,
  // the tree's own text), or short-lived text that is copied when stored.
  struct Value {
    const char* text;
    bool transient;
  };
  static Value stable(const char* text) noexcept { return {text, false}; }
  static Value transient(const char* text) noexcept { return {text, true}; }
  static Value of(const xml::String& text) noexcept { return {text.get(), text.copied()}; }

  // Largest 32-bit value: "no temperature yet" for high and low. A reading
  // that large therefore counts as none, which the host has always seen.
  static constexpr std::int32_t kUnset = std::numeric_limits<std::int32_t>::max();

  // Events of one `time` element, in the order they happen.
  void read_time(const xmlNode* time) noexcept;
  void begin_period(const xmlNode* time, const char* period) noexcept;
  void open_day(const xmlNode* time) noexcept;
  void stamp_date(const char* to) noexcept;
  void read_value(const xmlNode* element) noexcept;
  void close_day() noexcept;

  // Per-element value rules (day_values.cpp).
  void read_temperature(const xmlNode* element) noexcept;
  void read_symbol(const xmlNode* element) noexcept;
  void read_wind_speed(const xmlNode* element) noexcept;
  void read_attribute(const xmlNode* element, const char* name, Keys keys) noexcept;
  void read_text(const xmlNode* element, Field field) noexcept;

  // Stores into the open record, if any; the kind rule picks the field.
  void store(Field field, Value value) noexcept;
  void store_by_kind(Keys keys, Value value) noexcept;
  bool day_value_kept(Keys keys) const noexcept;

  // Per-call resources. The code lookups answer exactly as the exported
  // tables do, without building them for every document.
  DayDates dates_;  // the call's time record and its locales
  char buffer_[codes::kKeyBuffer]{};

  // Assembly state.
  station::RecordList days_;
  int count_ = 0;
  // The open record's values, gathered until it closes: periods overwrite
  // one another's values, and only the last ones are copied.
  station::RecordDraft<kFields> open_{kDayKeys};
  bool is_open_ = false;
  std::int32_t high_ = kUnset;
  std::int32_t low_ = kUnset;
  bool first_record_ = true;
  Kind kind_ = Kind::other;
};

}  // namespace brelund::readers
