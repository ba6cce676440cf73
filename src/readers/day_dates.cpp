// SPDX-License-Identifier: MIT
#include "readers/day_dates.hpp"

#include <cstring>

namespace brelund::readers {
namespace {

constexpr const char* kToFormat = "%Y-%m-%dT%H:%M:%S";

void clear(char (&buffer)[DayDates::kBuffer]) noexcept { std::memset(buffer, 0, sizeof buffer); }

}  // namespace

DayDates::~DayDates() {
  if (weekday_ != nullptr && weekday_ != posix_) freelocale(weekday_);
  if (posix_ != nullptr) freelocale(posix_);
}

void DayDates::prepare() noexcept {
  prepared_ = true;
  if (locale_t own = uselocale(nullptr); own != LC_GLOBAL_LOCALE) {
    thread_ = own;
    return;
  }
  posix_ = newlocale(LC_TIME_MASK, "POSIX", nullptr);
  if (posix_ == nullptr) return;
  // Derived afresh on every call: the environment may change between calls.
  // A locale the environment names but the system lacks leaves POSIX.
  weekday_ = newlocale(LC_TIME_MASK, "", nullptr);
  if (weekday_ == nullptr) weekday_ = posix_;
}

void DayDates::format(const char* to, char (&name)[kBuffer], char (&date)[kBuffer]) noexcept {
  if (!prepared_) prepare();
  clear(name);
  clear(date);
  if (thread_ != nullptr || posix_ == nullptr) {
    // In the thread's own locale; or, with no memory for locale objects, in
    // whatever the process has.
    locale_t in = thread_ != nullptr ? thread_ : uselocale(nullptr);
    if (in == LC_GLOBAL_LOCALE) {
      strptime(to, kToFormat, &time_);
      std::strftime(name, sizeof name - 1, "%a", &time_);
      std::strftime(date, sizeof date - 1, "%b %d", &time_);
      return;
    }
    strptime_l(to, kToFormat, &time_, in);
    strftime_l(name, sizeof name - 1, "%a", &time_, in);
    strftime_l(date, sizeof date - 1, "%b %d", &time_, in);
    return;
  }
  strptime_l(to, kToFormat, &time_, posix_);
  strftime_l(name, sizeof name - 1, "%a", &time_, weekday_);
  strftime_l(date, sizeof date - 1, "%b %d", &time_, posix_);
}

}  // namespace brelund::readers
