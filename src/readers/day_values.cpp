// SPDX-License-Identifier: MIT
// The values inside one forecast period, and which half of the day record
// each one lands in.
#include <charconv>
#include <cstdint>

#include "codes/tables.hpp"
#include "readers/day_assembly.hpp"
#include "readers/numbers.hpp"

namespace brelund::readers {

// Each value element by its name; the others are skipped.
bool DayAssembly::read_by_name(const sources::Element& element) {
  if (element.named("temperature")) {
    read_temperature(element);
  } else if (element.named("symbol")) {
    read_symbol(element);
  } else if (element.named("pressure")) {
    read_attribute(element, "value", {kDayPressure, kNightPressure});
  } else if (element.named("precipitation")) {
    read_attribute(element, "value", {kDayPrecipitation, kNightPrecipitation});
  } else if (element.named("windSpeed")) {
    read_wind_speed(element);
  } else if (element.named("windDirection")) {
    read_attribute(element, "code", {kDayWindTitle, kNightWindTitle});
  } else if (element.named("sunr")) {
    return begin_text(kSunrise);
  } else if (element.named("suns")) {
    return begin_text(kSunset);
  }
  return false;
}

// As read_value, with the element its values come from kept for telling.
bool DayAssembly::read_value_narrated(const sources::Element& element) {
  element_ = &element;
  tell_source(nullptr);
  return read_by_name(element);
}

bool DayAssembly::read_value(const sources::Element& element) {
  if (narrator_ != nullptr) [[unlikely]]
    return read_value_narrated(element);
  return read_by_name(element);
}

// Sunrise and sunset are the element's whole text, under every period kind.
bool DayAssembly::begin_text(Field field) {
  if (narrator_ != nullptr) [[unlikely]]
    return begin_text_narrated(field);
  text_field_ = field;
  text_.clear();
  return true;
}

void DayAssembly::text(std::string_view text) { text_.append(text); }

void DayAssembly::end_text() {
  if (!periods_.open()) return;
  if (narrator_ != nullptr) [[unlikely]]
    narrate_store(text_field_, copy(text_.c_str()), told_.line, told_.name.c_str());
  open_.set_copy(text_field_, std::string_view(text_));
}

// High and low of the whole day, whatever the period. Equal readings keep the
// earlier text ("2" stays when "2.9" follows, both reading as 2).
void DayAssembly::read_temperature(const sources::Element& element) {
  const sources::Value value = element.attribute("value");
  if (!value) {
    if (narrator_ != nullptr) [[unlikely]]
      narrate_unstored(nullptr, nullptr, Unstored::kNoAttribute);
    return;
  }
  const std::int32_t n = leading_int(value.get());
  if (narrator_ != nullptr) [[unlikely]]
    narrate_temperature(value.get(), n);
  if (high_ == kUnsetTemperature || n > high_) {
    high_ = n;
    store(kHigh, copy(value.get()));
  }
  if (low_ == kUnsetTemperature || n < low_) {
    low_ = n;
    store(kLow, copy(value.get()));
  }
}

// Symbol number and condition name, translated through the code tables. A
// missing attribute has nothing to translate, so that value is left out.
void DayAssembly::read_symbol(const sources::Element& element) {
  static constexpr Keys kIcon{kDayIcon, kNightIcon};
  static constexpr Keys kTitle{kDayTitle, kNightTitle};
  const PeriodKind kind = periods_.kind();
  if (kind == PeriodKind::other) {
    if (narrator_ != nullptr) [[unlikely]]
      narrate_unstored(&kIcon, nullptr, Unstored::kOtherPeriod);
    return;
  }
  const bool night = kind == PeriodKind::period0 || kind == PeriodKind::period3;
  const sources::Value number = element.attribute("number");
  if (narrator_ != nullptr) [[unlikely]]
    tell_source(number.get());
  if (number && !day_value_kept(kIcon)) {
    char key[codes::kKeyBuffer];  // what a symbol the tables lack reports
    if (const char* icon = codes::icon(night, number.get()))
      store_by_kind(kIcon, fixed(icon));
    else
      store_by_kind(kIcon, untranslated(codes::icon_key(night, number.get(), key), Table::kIcons));
  } else if (narrator_ != nullptr) [[unlikely]] {
    narrate_unstored(&kIcon, number.get(), number ? Unstored::kKept : Unstored::kNoAttribute);
  }
  const sources::Value name = element.attribute("name");
  if (narrator_ != nullptr) [[unlikely]]
    tell_source(name.get());
  if (name && !day_value_kept(kTitle)) {
    if (const char* title = codes::description(name.get()))
      store_by_kind(kTitle, fixed(title));
    else
      store_by_kind(kTitle, untranslated(name.get(), Table::kDescriptions));
  } else if (narrator_ != nullptr) [[unlikely]] {
    narrate_unstored(&kTitle, name.get(), name ? Unstored::kKept : Unstored::kNoAttribute);
  }
}

DayAssembly::Stored DayAssembly::untranslated(const char* code, Table table) {
  update_.diagnostics.hold(code);
  if (narrator_ != nullptr) [[unlikely]]
    narrator_->missed(table, code, element_->line());
  return {code, false, true};
}

// Whole km/h (wind_kmh). Without `mps` nothing is stored.
void DayAssembly::read_wind_speed(const sources::Element& element) {
  static constexpr Keys kSpeed{kDayWindSpeed, kNightWindSpeed};
  const sources::Value mps = element.attribute("mps");
  if (!mps) {
    if (narrator_ != nullptr) [[unlikely]]
      narrate_unstored(&kSpeed, nullptr, Unstored::kNoAttribute);
    return;
  }
  // Plain decimal, as "%" PRId64 writes it; 20 characters at most.
  char text[24] = {};
  std::to_chars(text, text + sizeof text - 1, wind_kmh(mps.get()));
  if (narrator_ != nullptr) [[unlikely]] {
    number_ = wind_number(mps.get());
    tell_source(mps.get(), &number_);
  }
  store_by_kind(kSpeed, copy(text));
}

// A missing attribute stores its key with a null value: the host has always
// been handed the key.
void DayAssembly::read_attribute(const sources::Element& element, const char* name, Keys keys) {
  const sources::Value value = element.attribute(name);
  store_by_kind(keys, copy(value.get()));
}

void DayAssembly::store(Field field, Stored value) {
  if (!periods_.open()) return;
  if (narrator_ != nullptr) [[unlikely]]
    return store_narrated(field, value);
  put(field, value);
}

// Night values come from period 0 and are overwritten by period 3; day values
// come from period 1, or from period 2 when period 1 gave none.
void DayAssembly::store_by_kind(Keys keys, Stored value) {
  switch (periods_.kind()) {
    case PeriodKind::period0:
    case PeriodKind::period3:
      store(keys.night, value);
      break;
    case PeriodKind::period1:
      store(keys.day, value);
      break;
    case PeriodKind::period2:
      if (!day_value_kept(keys))
        store(keys.day, value);
      else if (narrator_ != nullptr) [[unlikely]]
        return narrate_unstored(&keys, value.text, Unstored::kKept);
      break;
    case PeriodKind::other:
      if (narrator_ != nullptr) [[unlikely]]
        return narrate_unstored(&keys, value.text, Unstored::kOtherPeriod);
      break;
  }
}

// Under period 2, a day value that period 1 already gave stays, and is not
// even looked up again.
bool DayAssembly::day_value_kept(Keys keys) const noexcept {
  return periods_.kind() == PeriodKind::period2 && periods_.open() && open_.holds_value(keys.day);
}

DayAssembly::Field DayAssembly::field_by_kind(Keys keys) const noexcept {
  const PeriodKind kind = periods_.kind();
  return kind == PeriodKind::period1 || kind == PeriodKind::period2 ? keys.day : keys.night;
}

}  // namespace brelund::readers
