// SPDX-License-Identifier: MIT
// Day records from the service's numbered forecast periods: the state that
// carries across every `tabular` and `forecast` element of one document.
// A record opens and closes as DayPeriods says, collects the values of the
// elements inside its `time` elements, and closes into the forecast list.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "readers/day_dates.hpp"
#include "readers/day_periods.hpp"
#include "readers/numbers.hpp"
#include "records/record_draft.hpp"
#include "records/station_update.hpp"
#include "sources/element.hpp"

namespace brelund::readers {

class DayAssembly {
 public:
  // Completed days go to `update`.
  explicit DayAssembly(records::StationUpdate& update) noexcept : update_(update) {}
  DayAssembly(const DayAssembly&) = delete;
  DayAssembly& operator=(const DayAssembly&) = delete;
  ~DayAssembly() = default;

  // Events of one `time` element, in document order: its start, each child
  // element (with the text of those whose text counts), its end.
  void begin_time(const sources::Element& time);
  // Reads a child of `time`; true when its text is wanted, which then comes
  // through text() and ends with end_text().
  bool read_value(const sources::Element& element);
  void text(std::string_view text);
  void end_text();
  void end_time();

  // Heap bytes held for the day being read (its values, a text being read).
  std::size_t pending_bytes() const noexcept { return open_.capacity() + text_.capacity(); }

 private:
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

  // Text to store: static text (a code table's), kept as a pointer, or text
  // that is copied when stored. Null stores a null value.
  struct Stored {
    const char* text;
    bool fixed;
  };
  static Stored fixed(const char* text) noexcept { return {text, true}; }
  static Stored copy(const char* text) noexcept { return {text, false}; }

  void open_day(const sources::Element& time);
  void stamp_date(const char* to);
  void close_day() noexcept;

  // Per-element value rules (day_values.cpp).
  void read_temperature(const sources::Element& element);
  void read_symbol(const sources::Element& element);
  void read_wind_speed(const sources::Element& element);
  void read_attribute(const sources::Element& element, const char* name, Keys keys);
  bool begin_text(Field field);
  // A code the tables do not translate: reported, and stored as it is.
  const char* untranslated(const char* code);

  // Stores into the open record, if any; the kind rule picks the field.
  void store(Field field, Stored value);
  void store_by_kind(Keys keys, Stored value);
  bool day_value_kept(Keys keys) const noexcept;

  records::StationUpdate& update_;
  DayDates dates_;  // the call's time record and its locales

  // The open record's values, gathered until it closes: periods overwrite
  // one another's values, and only the last ones are copied to the heap.
  records::RecordDraft<kFields> open_{kDayKeys};
  DayPeriods periods_;  // whether a record is open, and the kind of period
  std::int32_t high_ = kUnsetTemperature;
  std::int32_t low_ = kUnsetTemperature;
  Field text_field_ = kSunrise;
  std::string text_;
};

}  // namespace brelund::readers
