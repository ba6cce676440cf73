// SPDX-License-Identifier: MIT
// When day records open and close. Each `time` element is one period of a
// day ("0" night, "1" and "2" day, "3" night), named by its `period`
// attribute. Header-only: the day assembly asks it on every `time`.
#pragma once

#include <cstdint>

namespace brelund::readers {

// The kind of a `time` element's period: exact text "0".."3", anything else
// other.
enum class PeriodKind : std::uint8_t { period0, period1, period2, period3, other };

inline PeriodKind kind_of(const char* period) noexcept {
  if (period[0] < '0' || period[0] > '3' || period[1] != '\0') return PeriodKind::other;
  return static_cast<PeriodKind>(period[0] - '0');
}

// When day records open and close, from the `period` attributes of the
// `time` elements in document order: a record opens at the first `time`
// with a period and at every period "0" (dropping one still open), and
// closes at the end of a `time` whose period is "3".
class DayPeriods {
 public:
  struct Step {
    bool opens;
    bool drops;  // opening abandons a record still open
  };

  // At the start of a `time` element; `period` is null when it has none
  // (the kind then stays).
  Step begin(const char* period) noexcept {
    closes_ = false;
    if (period == nullptr) return {false, false};
    kind_ = kind_of(period);
    closes_ = kind_ == PeriodKind::period3;
    if (kind_ != PeriodKind::period0 && opened_before_) return {false, false};
    const Step step{true, open_};
    open_ = opened_before_ = true;
    return step;
  }

  // At the end of that `time` element: true when the open record closes
  // there.
  bool end() noexcept {
    const bool closes = closes_ && open_;
    closes_ = false;
    if (closes) open_ = false;
    return closes;
  }

  // What values are stored under; other before any period.
  PeriodKind kind() const noexcept { return kind_; }
  // A record is open (at the document's end: it is dropped).
  bool open() const noexcept { return open_; }

 private:
  PeriodKind kind_ = PeriodKind::other;
  bool open_ = false;
  bool opened_before_ = false;
  bool closes_ = false;  // the `time` being read has period "3"
};

}  // namespace brelund::readers
