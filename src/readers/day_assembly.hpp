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
#include "readers/narrator.hpp"
#include "readers/numbers.hpp"
#include "records/record_draft.hpp"
#include "records/station_update.hpp"
#include "sources/element.hpp"

namespace brelund::readers {

class DayAssembly {
 public:
  // Completed days go to `update`; each decision is told to `narrator`,
  // when there is one.
  DayAssembly(records::StationUpdate& update, Narrator* narrator) noexcept
      : update_(update), narrator_(narrator) {}
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
  // At the document's end: a record still open is dropped.
  void finish();

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
    bool untranslated = false;  // the code itself, which the tables lack
  };
  static Stored fixed(const char* text) noexcept { return {text, true}; }
  static Stored copy(const char* text) noexcept { return {text, false}; }

  void open_day(const sources::Element& time);
  void stamp_date(const sources::Element& time, const char* to);
  void close_day() noexcept;

  // Per-element value rules (day_values.cpp).
  void read_temperature(const sources::Element& element);
  void read_symbol(const sources::Element& element);
  void read_wind_speed(const sources::Element& element);
  void read_attribute(const sources::Element& element, const char* name, Keys keys);
  bool begin_text(Field field, const sources::Element& element);
  // A code the tables do not translate: reported, and stored as it is.
  Stored untranslated(const char* code, Table table, const sources::Element& element);

  // Stores into the open record, if any, the value read from `from`; the
  // kind rule picks the field.
  // `source` is the document's text a translated or converted value was
  // made from, `number` what was read from it as a number (narration only).
  void store(Field field, Stored value, const sources::Element& from, const char* source = nullptr,
             const Number* number = nullptr);
  void store_by_kind(Keys keys, Stored value, const sources::Element& from,
                     const char* source = nullptr, const Number* number = nullptr);
  bool day_value_kept(Keys keys) const noexcept;
  // The field the kind rule picks for `keys` (night for kind other).
  Field field_by_kind(Keys keys) const noexcept;

  // What each decision is told as (day_narration.cpp); only called with a
  // narrator.
  void narrate_time(const sources::Element& time, const char* period, DayPeriods::Step step);
  void narrate_store(Field field, Stored value, int line, const char* element, const char* source,
                     const Number* number);
  void narrate_temperature(const sources::Element& element, const char* text, std::int32_t n);
  void narrate_unstored(const sources::Element& element, Keys keys, const char* text, Unstored why);

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

  // Only with a narrator: where the open record and the `time` and text
  // being read stand, and the periods the open record has had (bit k for
  // period k).
  Narrator* narrator_;
  int open_line_ = 0;
  int time_line_ = 0;
  int text_line_ = 0;
  std::string text_element_;
  std::uint8_t periods_seen_ = 0;
};

}  // namespace brelund::readers
