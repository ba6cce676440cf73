// The period state machine: when a day record opens, what it is dated, and
// when it closes into the forecast list. The values inside a period are read
// in day_values.cpp.
#include "readers/day_assembly.hpp"

#include <cstdint>
#include <cstring>
#include <utility>

#include "tarnvale-brelund-source.h"
#include "xml.hpp"

namespace brelund::readers {

namespace {

// libxml2 allocates a tree in document order, so the periods still to be
// read lie just past the current one in memory. A large forecast's tree no
// longer fits the caches by the time the parse ends; asking for the next
// period's memory (about the size of one `time` subtree, 4 to 12 KB ahead)
// while this one is read keeps the walk from waiting on each node in turn.
// A prefetch never faults: where the layout differs it is only wasted.
void prefetch_next_period(const xmlNode* time) noexcept {
  constexpr std::size_t kLine = 64;
  constexpr std::size_t kFrom = 4096;
  constexpr std::size_t kTo = 12288;
  // Addresses computed as integers: they may lie outside any object, where
  // pointer arithmetic would be undefined.
  const auto here = reinterpret_cast<std::uintptr_t>(time);
  for (std::size_t offset = kFrom; offset < kTo; offset += kLine) {
    // NOLINTNEXTLINE(performance-no-int-to-ptr)
    __builtin_prefetch(reinterpret_cast<const void*>(here + offset));
  }
}

}  // namespace

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

DayAssembly::DayAssembly() noexcept = default;

// An open record that never reached period "3" is dropped with `open_`.
DayAssembly::~DayAssembly() = default;

void DayAssembly::read_forecast(const xmlNode* forecast) noexcept {
  // A forecast of a few weeks is still in the caches from its parse: there
  // the prefetches would only cost time.
  constexpr int kPrefetchAfter = 64;
  int periods = 0;
  for (const xmlNode* tabular : xml::elements(forecast)) {
    if (!xml::named(tabular, "tabular")) continue;
    for (const xmlNode* time : xml::elements(tabular)) {
      if (!xml::named(time, "time")) continue;
      if (++periods > kPrefetchAfter) prefetch_next_period(time);
      read_time(time);
    }
  }
}

void DayAssembly::read_time(const xmlNode* time) noexcept {
  // A `time` without a period keeps the previous period's kind.
  const xml::String period = xml::attribute(time, "period");
  if (period) begin_period(time, period.get());
  for (const xmlNode* element : xml::elements(time)) read_value(element);
  if (period && std::strcmp(period.get(), "3") == 0 && is_open_) close_day();
}

void DayAssembly::begin_period(const xmlNode* time, const char* period) noexcept {
  static constexpr const char* kPeriods[] = {"0", "1", "2", "3"};
  kind_ = Kind::other;
  for (int i = 0; i < 4; ++i)
    if (std::strcmp(period, kPeriods[i]) == 0) kind_ = static_cast<Kind>(i);
  if (kind_ == Kind::period0 || first_record_) open_day(time);
}

void DayAssembly::open_day(const xmlNode* time) noexcept {
  // A record opened earlier and never closed is dropped.
  open_.clear();
  is_open_ = true;
  const xml::String to = xml::attribute(time, "to");
  if (to) stamp_date(to.get());
  high_ = low_ = kUnset;
  first_record_ = false;
}

// The date is read in the POSIX locale; the weekday name follows the
// environment's locale (the host shows it to the user), while the month
// stays POSIX. LC_TIME is left at the environment's locale, as hosts expect.
void DayAssembly::stamp_date(const char* to) noexcept {
  char date[DayDates::kBuffer];
  // A `to` that is not a date leaves whatever the partial parse wrote.
  dates_.format(to, buffer_, date);
  store(kName, transient(buffer_));
  store(kDate, transient(date));
}

void DayAssembly::close_day() noexcept {
  days_.append(open_.build());
  is_open_ = false;
  ++count_;
}

}  // namespace brelund::readers
