// SPDX-License-Identifier: MIT
// A day record's life: opened (and dated) and closed into the forecast list
// where DayPeriods says. The values inside a period are read in
// day_values.cpp.
#include "readers/day_assembly.hpp"

#include "records/day_record.hpp"
#include "tarnvale-brelund-source.h"

namespace brelund::readers {

using records::kDayHalf;
using records::kNightHalf;

const std::array<const char*, DayAssembly::kFields> DayAssembly::kDayKeys = {
    BRELUND_KEY_DAY_NAME,
    BRELUND_KEY_DAY_DATE,
    BRELUND_KEY_DAY_HI_TEMPERATURE,
    BRELUND_KEY_DAY_LOW_TEMPERATURE,
    kDayHalf.icon,
    kNightHalf.icon,
    kDayHalf.title,
    kNightHalf.title,
    kDayHalf.pressure,
    kNightHalf.pressure,
    kDayHalf.precipitation,
    kNightHalf.precipitation,
    kDayHalf.wind_speed,
    kNightHalf.wind_speed,
    kDayHalf.wind_title,
    kNightHalf.wind_title,
    BRELUND_KEY_DAY_SUNRISE,
    BRELUND_KEY_DAY_SUNSET,
};

void DayAssembly::begin_time(const sources::Element& time) {
  if (narrator_ != nullptr) [[unlikely]]
    return begin_time_narrated(time);
  if (periods_.begin(time.attribute("period").get()).opens) open_day(time);
}

void DayAssembly::end_time() {
  if (periods_.end()) close_day();
}

void DayAssembly::open_day(const sources::Element& time) {
  // A record opened earlier and never closed is dropped.
  open_.clear();
  const sources::Value to = time.attribute("to");
  if (to)
    stamp_date(to.get());
  else if (narrator_ != nullptr) [[unlikely]]
    narrator_->dating(time_line_, Dating::kMissing);
  high_ = low_ = kUnsetTemperature;
}

void DayAssembly::stamp_date(const char* to) {
  char name[DayDates::kBuffer];
  char date[DayDates::kBuffer];
  // A `to` that is not a date leaves whatever the partial parse wrote.
  const bool parsed = dates_.format(to, name, date);
  if (!parsed && narrator_ != nullptr) [[unlikely]]
    narrator_->dating(time_line_, Dating::kUnparsed);
  update_.dated = true;
  store(kName, copy(name));
  store(kDate, copy(date));
}

void DayAssembly::close_day() {
  update_.days.append(open_.build(update_.days_bytes));
  if (narrator_ != nullptr) [[unlikely]]
    narrator_->day_stored(time_line_, update_.count);
  ++update_.count;
}

}  // namespace brelund::readers
