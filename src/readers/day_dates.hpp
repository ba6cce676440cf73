// The weekday name and date of a day record, from its `to` time: the name in
// the environment's LC_TIME locale, the date ("Mar 07") and the parse in
// POSIX, and the process's LC_TIME left at the environment's locale (or at
// POSIX when the environment names a locale that is not installed).
//
// Those are the results of switching LC_TIME around each step: POSIX, parse,
// "", "%a", POSIX, "%b %d", "". Four setlocale calls per day cost more than
// the rest of the day's record, so the formatting goes through locale
// objects instead, and LC_TIME is switched once per call, to where that
// sequence leaves it. A thread with a locale of its own (uselocale) would
// format differently through objects; there the sequence itself runs.
#pragma once

#include <clocale>
#include <ctime>

namespace brelund::readers {

class DayDates {
 public:
  static constexpr std::size_t kBuffer = 256;

  DayDates() noexcept = default;
  DayDates(const DayDates&) = delete;
  DayDates& operator=(const DayDates&) = delete;
  ~DayDates();

  // Parses `to` ("%Y-%m-%dT%H:%M:%S") into the call's time record (fields a
  // partial parse does not reach keep their earlier values, zero at first)
  // and formats the weekday name and the date from it.
  void format(const char* to, char (&name)[kBuffer], char (&date)[kBuffer]) noexcept;

 private:
  enum class Mode { kUnprepared, kObjects, kSwitching };
  void prepare() noexcept;
  void format_switching(const char* to, char (&name)[kBuffer], char (&date)[kBuffer]) noexcept;

  Mode mode_ = Mode::kUnprepared;
  locale_t posix_ = nullptr;
  locale_t weekday_ = nullptr;  // the environment's LC_TIME, or posix_
  std::tm time_{};
};

}  // namespace brelund::readers
