// SPDX-License-Identifier: MIT
#include "readers/day_dates.hpp"

#include <cstring>

namespace brelund::readers {
namespace {

constexpr const char* kToFormat = "%Y-%m-%dT%H:%M:%S";
constexpr const char* kNameFormat = "%a";
constexpr const char* kDateFormat = "%b %d";

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

bool DayDates::format(const char* to, char (&name)[kBuffer], char (&date)[kBuffer]) noexcept {
  if (!prepared_) prepare();
  clear(name);
  clear(date);
  if (thread_ == nullptr && posix_ == nullptr) {
    // No memory for locale objects: in whatever the process has.
    const bool parsed = strptime(to, kToFormat, &time_) != nullptr;
    std::strftime(name, sizeof name - 1, kNameFormat, &time_);
    std::strftime(date, sizeof date - 1, kDateFormat, &time_);
    return parsed;
  }
  // A thread with a locale of its own does all three steps in it.
  const bool own = thread_ != nullptr;
  const bool parsed = strptime_l(to, kToFormat, &time_, own ? thread_ : posix_) != nullptr;
  strftime_l(name, sizeof name - 1, kNameFormat, &time_, own ? thread_ : weekday_);
  strftime_l(date, sizeof date - 1, kDateFormat, &time_, own ? thread_ : posix_);
  return parsed;
}

}  // namespace brelund::readers
