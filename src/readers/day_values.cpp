// The values inside one forecast period, and which half of the day record
// each one lands in.
#include <charconv>
#include <cstdint>
#include <cstring>

#include "readers/day_assembly.hpp"
#include "readers/numbers.hpp"
#include "tarnvale-brelund-source.h"
#include "xml.hpp"

namespace brelund::readers {
namespace {

constexpr std::int64_t kSecondsPerHour = 3600;
constexpr std::int64_t kMetresPerKilometre = 1000;

}  // namespace

void DayAssembly::read_value(const xmlNode* element) noexcept {
  if (xml::named(element, "temperature"))
    read_temperature(element);
  else if (xml::named(element, "symbol"))
    read_symbol(element);
  else if (xml::named(element, "pressure"))
    read_attribute(element, "value", {kDayPressure, kNightPressure});
  else if (xml::named(element, "precipitation"))
    read_attribute(element, "value", {kDayPrecipitation, kNightPrecipitation});
  else if (xml::named(element, "windSpeed"))
    read_wind_speed(element);
  else if (xml::named(element, "windDirection"))
    read_attribute(element, "code", {kDayWindTitle, kNightWindTitle});
  else if (xml::named(element, "sunr"))
    read_text(element, kSunrise);
  else if (xml::named(element, "suns"))
    read_text(element, kSunset);
}

// High and low of the whole day, whatever the period. Equal readings keep the
// earlier text ("2" stays when "2.9" follows, both reading as 2).
void DayAssembly::read_temperature(const xmlNode* element) noexcept {
  const xml::String value = xml::attribute(element, "value");
  if (!value) return;
  const std::int32_t n = leading_int(value.get());
  if (high_ == kUnset || n > high_) {
    high_ = n;
    store(kHigh, of(value));
  }
  if (low_ == kUnset || n < low_) {
    low_ = n;
    store(kLow, of(value));
  }
}

// Symbol number and condition name, translated through the code tables. A
// missing attribute has nothing to translate, so that value is left out.
void DayAssembly::read_symbol(const xmlNode* element) noexcept {
  if (kind_ == Kind::other) return;
  static constexpr Keys kIcon{kDayIcon, kNightIcon};
  static constexpr Keys kTitle{kDayTitle, kNightTitle};
  const bool night = kind_ == Kind::period0 || kind_ == Kind::period3;
  const xml::String number = xml::attribute(element, "number");
  if (number && !day_value_kept(kIcon)) {
    // A miss gives back the key formatted in buffer_, which the next value reuses.
    const char* icon = codes::icon(night, number.get(), buffer_);
    store_by_kind(kIcon, icon == buffer_ ? transient(icon) : stable(icon));
  }
  const xml::String name = xml::attribute(element, "name");
  if (name && !day_value_kept(kTitle)) {
    const char* title = codes::description(name.get());
    store_by_kind(kTitle, title == name.get() ? of(name) : stable(title));
  }
}

// Metres per second to whole km/h, truncated toward zero. The product is
// formed in 64 bits: the largest reading (2147483647 m/s) would overflow 32,
// and there the exact quotient is stored. Without `mps` nothing is stored.
void DayAssembly::read_wind_speed(const xmlNode* element) noexcept {
  const xml::String mps = xml::attribute(element, "mps");
  if (!mps) return;
  const std::int64_t kmh = leading_int(mps.get()) * kSecondsPerHour / kMetresPerKilometre;
  std::memset(buffer_, 0, sizeof buffer_);
  // Plain decimal, as "%" PRId64 writes it; 20 characters at most.
  std::to_chars(buffer_, buffer_ + sizeof buffer_ - 1, kmh);
  store_by_kind({kDayWindSpeed, kNightWindSpeed}, transient(buffer_));
}

// A missing attribute stores its key with a null value: the host has always
// been handed the key.
void DayAssembly::read_attribute(const xmlNode* element, const char* name, Keys keys) noexcept {
  store_by_kind(keys, of(xml::attribute(element, name)));
}

void DayAssembly::read_text(const xmlNode* element, Field field) noexcept {
  store(field, of(xml::text(element)));
}

void DayAssembly::store(Field field, Value value) noexcept {
  if (!is_open_) return;
  if (value.transient)
    open_.set_copy(field, value.text);
  else
    open_.set_static(field, value.text);
}

// Night values come from period 0 and are overwritten by period 3; day values
// come from period 1, or from period 2 when period 1 gave none.
void DayAssembly::store_by_kind(Keys keys, Value value) noexcept {
  switch (kind_) {
    case Kind::period0:
    case Kind::period3:
      store(keys.night, value);
      break;
    case Kind::period1:
      store(keys.day, value);
      break;
    case Kind::period2:
      if (!day_value_kept(keys)) store(keys.day, value);
      break;
    case Kind::other:
      break;
  }
}

// Under period 2, a day value that period 1 already gave stays, and is not
// even looked up again.
bool DayAssembly::day_value_kept(Keys keys) const noexcept {
  return kind_ == Kind::period2 && is_open_ && open_.holds_value(keys.day);
}

}  // namespace brelund::readers
