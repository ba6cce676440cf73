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
  void finish() {
    if (narrator_ != nullptr && periods_.open()) [[unlikely]]
      narrator_->day_dropped(open_line_, 0);
  }

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
  void stamp_date(const char* to);
  void close_day();  // a narrator may throw (out of memory): not noexcept

  // Per-element value rules (day_values.cpp).
  [[gnu::always_inline]] inline bool read_by_name(const sources::Element& element);
  void read_temperature(const sources::Element& element);
  void read_symbol(const sources::Element& element);
  void read_wind_speed(const sources::Element& element);
  void read_attribute(const sources::Element& element, const char* name, Keys keys);
  bool begin_text(Field field);
  // A code the tables do not translate: reported, and stored as it is.
  Stored untranslated(const char* code, Table table);

  // Stores into the open record, if any; the kind rule picks the field.
  void store(Field field, Stored value);
  [[gnu::cold]] void store_narrated(Field field, Stored value);
  void put(Field field, Stored value) {
    if (value.fixed)
      open_.set_static(field, value.text);
    else
      open_.set_copy(field, value.text);
  }
  [[gnu::always_inline]] inline void store_by_kind(Keys keys, Stored value);
  bool day_value_kept(Keys keys) const noexcept;
  // The field the kind rule picks for `keys` (night for kind other).
  Field field_by_kind(Keys keys) const noexcept;

  // What each decision is told as (day_narration.cpp); only called with a
  // narrator, and kept out of the way of the plug-in's own reads.
  [[gnu::cold]] void begin_time_narrated(const sources::Element& time);
  [[gnu::cold]] bool read_value_narrated(const sources::Element& element);
  // The document's text a translated or converted value is made from, and
  // what was read from it as a number.
  void tell_source(const char* source, const Number* number = nullptr) noexcept {
    told_.source = source;
    told_.number = number;
  }
  [[gnu::cold]] bool begin_text_narrated(Field field);
  // `line` and `element`: where the value came from.
  [[gnu::cold]] void narrate_store(Field field, Stored value, int line, const char* element);
  [[gnu::cold]] void narrate_temperature(const char* text, std::int32_t n);
  // `keys` null: a value of no half (a temperature).
  [[gnu::cold]] void narrate_unstored(const Keys* keys, const char* text, Unstored why);

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

  // Only with a narrator: where the open record and the `time` being read
  // stand, the periods the open record has had (bit k for period k), and
  // the element whose values are being read.
  Narrator* narrator_;
  int open_line_ = 0;
  int time_line_ = 0;
  std::uint8_t periods_seen_ = 0;
  const sources::Element* element_ = nullptr;  // while its values are read
  struct Told {
    int line = 0;  // of a text element, whose text comes after it
    std::string name;
    const char* source = nullptr;
    const Number* number = nullptr;
  };
  Told told_;
  Number number_{};  // what told_.number points at
};

}  // namespace brelund::readers
