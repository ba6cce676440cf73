// SPDX-License-Identifier: MIT
// What the day assembly tells its narrator: each decision it makes, in the
// terms the narrator knows (keys, texts, lines). Only called when there is
// a narrator, so the plug-in's own reads never come here.
#include "readers/day_assembly.hpp"

namespace brelund::readers {
namespace {

std::uint8_t bit_of(PeriodKind kind) noexcept {
  return kind == PeriodKind::other ? 0
                                   : static_cast<std::uint8_t>(1u << static_cast<unsigned>(kind));
}

}  // namespace

void DayAssembly::narrate_time(const sources::Element& time, const char* period,
                               DayPeriods::Step step) {
  time_line_ = time.line();
  if (step.drops) narrator_->day_dropped(open_line_, time_line_);
  if (step.opens) {
    open_line_ = time_line_;
    periods_seen_ = 0;
  }
  const std::uint8_t bit = period != nullptr ? bit_of(periods_.kind()) : 0;
  const bool repeats = periods_.open() && (periods_seen_ & bit) != 0;
  if (periods_.open()) periods_seen_ |= bit;
  const sources::Value to = time.attribute("to");
  narrator_->time(time, {period, to.get(), periods_.kind(), step.opens, periods_.open(), repeats});
}

void DayAssembly::narrate_store(Field field, Stored value, int line, const char* element,
                                const char* source, const Number* number) {
  narrator_->stored({Record::kDay, kDayKeys[field], value.text, line, element, open_.has(field),
                     source, number, value.untranslated});
}

// Whole numbers decide high and low: where the decimals of the reading
// would have decided otherwise, the narrator hears of it. A reading as large
// as the unset value counts as none.
void DayAssembly::narrate_temperature(const sources::Element& element, const char* text,
                                      std::int32_t n) {
  if (n == kUnsetTemperature) narrator_->reading_unset(element.line(), text);
  const double reading = decimal_value(text);
  const auto tie = [&](Field field, std::int32_t whole, auto beyond) {
    const char* kept = open_.text_of(field);
    if (whole == kUnsetTemperature || n != whole || kept == nullptr) return;
    if (beyond(reading, decimal_value(kept)))  // false for NaN: no number, no tie
      narrator_->compared_whole({kDayKeys[field], kept, text, element.line()});
  };
  tie(kHigh, high_, [](double a, double b) { return a > b; });
  tie(kLow, low_, [](double a, double b) { return a < b; });
}

void DayAssembly::narrate_unstored(const sources::Element& element, Keys keys, const char* text,
                                   Unstored why) {
  if (!periods_.open()) return;
  const char* key = why == Unstored::kOtherPeriod ? nullptr : kDayKeys[field_by_kind(keys)];
  narrator_->unstored(element, Record::kDay, key, text, why);
}

}  // namespace brelund::readers
