// SPDX-License-Identifier: MIT
// The weekday name and date of a day record, from its `to` time: the name in
// the environment's LC_TIME locale, the date ("Mar 07") and the parse in
// POSIX. Those are the results of switching LC_TIME around each step:
// POSIX, parse, "", "%a", POSIX, "%b %d", "". The steps go through locale
// objects instead, and the process's LC_TIME is left where that sequence
// leaves it only when the read is handed over (records::StationUpdate): a
// document found broken later must leave LC_TIME untouched. A thread with a
// locale of its own (uselocale) parses and formats everything in it, as the
// switching sequence would there.
#pragma once

#include <clocale>
#include <cstddef>
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
  // and formats the weekday name and the date from it. False when `to`
  // does not start with such a time.
  bool format(const char* to, char (&name)[kBuffer], char (&date)[kBuffer]) noexcept;

 private:
  void prepare() noexcept;

  bool prepared_ = false;
  locale_t posix_ = nullptr;
  locale_t weekday_ = nullptr;  // the environment's LC_TIME, or posix_
  locale_t thread_ = nullptr;   // the thread's own locale, when it has one
  std::tm time_{};
};

}  // namespace brelund::readers
