#include "readers/day_dates.hpp"

#include <cstring>

namespace brelund::readers {
namespace {

constexpr const char* kToFormat = "%Y-%m-%dT%H:%M:%S";
constexpr const char* kPosix = "POSIX";
constexpr const char* kEnvironment = "";

void clear(char (&buffer)[DayDates::kBuffer]) noexcept { std::memset(buffer, 0, sizeof buffer); }

}  // namespace

DayDates::~DayDates() {
  if (weekday_ != nullptr && weekday_ != posix_) freelocale(weekday_);
  if (posix_ != nullptr) freelocale(posix_);
}

void DayDates::prepare() noexcept {
  mode_ = Mode::kSwitching;
  if (uselocale(nullptr) != LC_GLOBAL_LOCALE) return;
  posix_ = newlocale(LC_TIME_MASK, kPosix, nullptr);
  if (posix_ == nullptr) return;
  // Where the sequence leaves LC_TIME: a failed switch to "" stays at POSIX.
  const bool environment = std::setlocale(LC_TIME, kEnvironment) != nullptr;
  if (!environment) std::setlocale(LC_TIME, kPosix);
  // Derived afresh on every call: the environment may change between calls.
  weekday_ = environment ? newlocale(LC_TIME_MASK, kEnvironment, nullptr) : posix_;
  if (weekday_ != nullptr) mode_ = Mode::kObjects;
}

void DayDates::format(const char* to, char (&name)[kBuffer], char (&date)[kBuffer]) noexcept {
  if (mode_ == Mode::kUnprepared) prepare();
  if (mode_ == Mode::kSwitching) {
    format_switching(to, name, date);
    return;
  }
  strptime_l(to, kToFormat, &time_, posix_);
  clear(name);
  strftime_l(name, sizeof name - 1, "%a", &time_, weekday_);
  clear(date);
  strftime_l(date, sizeof date - 1, "%b %d", &time_, posix_);
}

void DayDates::format_switching(const char* to, char (&name)[kBuffer],
                                char (&date)[kBuffer]) noexcept {
  std::setlocale(LC_TIME, kPosix);
  strptime(to, kToFormat, &time_);
  std::setlocale(LC_TIME, kEnvironment);
  clear(name);
  std::strftime(name, sizeof name - 1, "%a", &time_);
  clear(date);
  std::setlocale(LC_TIME, kPosix);
  std::strftime(date, sizeof date - 1, "%b %d", &time_);
  std::setlocale(LC_TIME, kEnvironment);
}

}  // namespace brelund::readers
