// SPDX-License-Identifier: MIT
// The period state machine: when a day record opens, what it is dated, and
// when it closes into the forecast list. The values inside a period are read
// in day_values.cpp.
#include "readers/day_assembly.hpp"

#include <cstring>

#include "tarnvale-brelund-source.h"

namespace brelund::readers {

const std::array<const char*, DayAssembly::kFields> DayAssembly::kDayKeys = {
    BRELUND_KEY_DAY_NAME,           BRELUND_KEY_DAY_DATE,
    BRELUND_KEY_DAY_HI_TEMPERATURE, BRELUND_KEY_DAY_LOW_TEMPERATURE,
    BRELUND_KEY_DAY_ICON,           BRELUND_KEY_NIGHT_ICON,
    BRELUND_KEY_DAY_TITLE,          BRELUND_KEY_NIGHT_TITLE,
    BRELUND_KEY_DAY_PRESSURE,       BRELUND_KEY_NIGHT_PRESSURE,
    BRELUND_KEY_DAY_PRECIPITATION,  BRELUND_KEY_NIGHT_PRECIPITATION,
    BRELUND_KEY_DAY_WIND_SPEED,     BRELUND_KEY_NIGHT_WIND_SPEED,
    BRELUND_KEY_DAY_WIND_TITLE,     BRELUND_KEY_NIGHT_WIND_TITLE,
    BRELUND_KEY_DAY_SUNRISE,        BRELUND_KEY_DAY_SUNSET,
};

void DayAssembly::begin_time(const sources::Element& time) {
  // A `time` without a period keeps the previous period's kind.
  const sources::Value period = time.attribute("period");
  closes_ = period && std::strcmp(period.get(), "3") == 0;
  if (period) begin_period(time, period.get());
}

void DayAssembly::end_time() {
  if (closes_ && is_open_) close_day();
  closes_ = false;
}

void DayAssembly::begin_period(const sources::Element& time, const char* period) {
  static constexpr const char* kPeriods[] = {"0", "1", "2", "3"};
  kind_ = Kind::other;
  for (int i = 0; i < 4; ++i)
    if (std::strcmp(period, kPeriods[i]) == 0) kind_ = static_cast<Kind>(i);
  if (kind_ == Kind::period0 || first_record_) open_day(time);
}

void DayAssembly::open_day(const sources::Element& time) {
  // A record opened earlier and never closed is dropped.
  open_.clear();
  is_open_ = true;
  const sources::Value to = time.attribute("to");
  if (to) stamp_date(to.get());
  high_ = low_ = kUnsetTemperature;
  first_record_ = false;
}

void DayAssembly::stamp_date(const char* to) {
  char name[DayDates::kBuffer];
  char date[DayDates::kBuffer];
  // A `to` that is not a date leaves whatever the partial parse wrote.
  dates_.format(to, name, date);
  update_.dated = true;
  store(kName, copy(name));
  store(kDate, copy(date));
}

void DayAssembly::close_day() noexcept {
  update_.days.append(open_.build(update_.days_bytes));
  is_open_ = false;
  ++update_.count;
}

}  // namespace brelund::readers
