// SPDX-License-Identifier: MIT
// What the day assembly tells its narrator: each decision it makes, in the
// terms the narrator knows (keys, texts, lines). Only called when there is
// a narrator, so the plug-in's own reads never come here.
#include "readers/day_assembly.hpp"

namespace brelund::readers {
namespace {

std::uint8_t bit_of(PeriodKind kind) noexcept {
  if (kind == PeriodKind::other) return 0;
  return static_cast<std::uint8_t>(1u << static_cast<unsigned>(kind));
}

}  // namespace

// As begin_time, telling the narrator where the `time` stands first.
void DayAssembly::begin_time_narrated(const sources::Element& time) {
  const sources::Value period = time.attribute("period");
  const DayPeriods::Step step = periods_.begin(period.get());
  element_ = &time;  // a record it opens is dated from it
  tell_source(nullptr);
  time_line_ = time.line();
  if (step.drops) narrator_->day_dropped(open_line_, time_line_);
  if (step.opens) {
    open_line_ = time_line_;
    periods_seen_ = 0;
  }
  const std::uint8_t bit = period ? bit_of(periods_.kind()) : 0;
  const bool repeats = periods_.open() && (periods_seen_ & bit) != 0;
  if (periods_.open()) periods_seen_ |= bit;
  const sources::Value to = time.attribute("to");
  narrator_->time(time,
                  {period.get(), to.get(), periods_.kind(), step.opens, periods_.open(), repeats});
  if (step.opens) open_day(time);
}

// A text element's text comes after it: where it stood is kept.
bool DayAssembly::begin_text_narrated(Field field) {
  told_.line = element_->line();
  told_.name = element_->qualified_name();
  text_field_ = field;
  text_.clear();
  return true;
}

void DayAssembly::store_narrated(Field field, Stored value) {
  narrate_store(field, value, element_->line(), element_->qualified_name().c_str());
  put(field, value);
}

void DayAssembly::narrate_store(Field field, Stored value, int line, const char* element) {
  narrator_->stored({Record::kDay, kDayKeys[field], value.text, line, element, open_.has(field),
                     told_.source, told_.number, value.untranslated});
}

// Whole numbers decide high and low: where the decimals of the reading
// would have decided otherwise, the narrator hears of it. A reading as large
// as the unset value counts as none.
void DayAssembly::narrate_temperature(const char* text, std::int32_t n) {
  number_ = temperature_number(text);
  tell_source(nullptr, &number_);
  if (!periods_.open()) return;
  const int line = element_->line();
  if (n == kUnsetTemperature) narrator_->reading_unset(line, text);
  const double reading = decimal_value(text);
  const auto tie = [&](Field field, std::int32_t whole, auto beyond) {
    const char* kept = open_.text_of(field);
    if (whole == kUnsetTemperature || n != whole || kept == nullptr) return;
    if (beyond(reading, decimal_value(kept)))  // false for NaN: no number, no tie
      narrator_->compared_whole({kDayKeys[field], kept, text, line});
  };
  tie(kHigh, high_, [](double a, double b) { return a > b; });
  tie(kLow, low_, [](double a, double b) { return a < b; });
}

// A value not stored is told as the document's text it came from.
void DayAssembly::narrate_unstored(const Keys* keys, const char* text, Unstored why) {
  if (!periods_.open()) return;
  const char* key =
      keys == nullptr || why == Unstored::kOtherPeriod ? nullptr : kDayKeys[field_by_kind(*keys)];
  narrator_->unstored(*element_, Record::kDay, key, told_.source != nullptr ? told_.source : text,
                      why);
}

}  // namespace brelund::readers
