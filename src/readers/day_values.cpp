// The values inside one forecast period, and which half of the day record
// each one lands in.
#include <cinttypes>
#include <cstdint>
#include <cstdio>
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
    read_attribute(element, "value", {BRELUND_KEY_DAY_PRESSURE, BRELUND_KEY_NIGHT_PRESSURE});
  else if (xml::named(element, "precipitation"))
    read_attribute(element, "value",
                   {BRELUND_KEY_DAY_PRECIPITATION, BRELUND_KEY_NIGHT_PRECIPITATION});
  else if (xml::named(element, "windSpeed"))
    read_wind_speed(element);
  else if (xml::named(element, "windDirection"))
    read_attribute(element, "code", {BRELUND_KEY_DAY_WIND_TITLE, BRELUND_KEY_NIGHT_WIND_TITLE});
  else if (xml::named(element, "sunr"))
    read_text(element, BRELUND_KEY_DAY_SUNRISE);
  else if (xml::named(element, "suns"))
    read_text(element, BRELUND_KEY_DAY_SUNSET);
}

// High and low of the whole day, whatever the period. Equal readings keep the
// earlier text ("2" stays when "2.9" follows, both reading as 2).
void DayAssembly::read_temperature(const xmlNode* element) noexcept {
  const xml::String value = xml::attribute(element, "value");
  if (!value) return;
  const std::int32_t n = leading_int(value.get());
  if (high_ == kUnset || n > high_) {
    high_ = n;
    store(BRELUND_KEY_DAY_HI_TEMPERATURE, value.get());
  }
  if (low_ == kUnset || n < low_) {
    low_ = n;
    store(BRELUND_KEY_DAY_LOW_TEMPERATURE, value.get());
  }
}

// Symbol number and condition name, translated through the code tables. A
// missing attribute has nothing to translate, so that value is left out.
void DayAssembly::read_symbol(const xmlNode* element) noexcept {
  if (kind_ == Kind::other) return;
  static constexpr Keys kIcon{BRELUND_KEY_DAY_ICON, BRELUND_KEY_NIGHT_ICON};
  static constexpr Keys kTitle{BRELUND_KEY_DAY_TITLE, BRELUND_KEY_NIGHT_TITLE};
  const bool night = kind_ == Kind::period0 || kind_ == Kind::period3;
  const xml::String number = xml::attribute(element, "number");
  if (number && !day_value_kept(kIcon))
    store_by_kind(kIcon, codes::icon(night, number.get(), buffer_));
  const xml::String name = xml::attribute(element, "name");
  if (name && !day_value_kept(kTitle)) store_by_kind(kTitle, codes::description(name.get()));
}

// Metres per second to whole km/h, truncated toward zero. The product is
// formed in 64 bits: the largest reading (2147483647 m/s) would overflow 32,
// and there the exact quotient is stored. Without `mps` nothing is stored.
void DayAssembly::read_wind_speed(const xmlNode* element) noexcept {
  const xml::String mps = xml::attribute(element, "mps");
  if (!mps) return;
  const std::int64_t kmh = leading_int(mps.get()) * kSecondsPerHour / kMetresPerKilometre;
  std::memset(buffer_, 0, sizeof buffer_);
  std::snprintf(buffer_, sizeof buffer_ - 1, "%" PRId64, kmh);
  store_by_kind({BRELUND_KEY_DAY_WIND_SPEED, BRELUND_KEY_NIGHT_WIND_SPEED}, buffer_);
}

// A missing attribute stores its key with a null value: the host has always
// been handed the key.
void DayAssembly::read_attribute(const xmlNode* element, const char* name, Keys keys) noexcept {
  store_by_kind(keys, xml::attribute(element, name).get());
}

void DayAssembly::read_text(const xmlNode* element, const char* key) noexcept {
  store(key, xml::text(element).get());
}

void DayAssembly::store(const char* key, const char* value) noexcept {
  if (open_) station::store(open_.get(), key, value);
}

// Night values come from period 0 and are overwritten by period 3; day values
// come from period 1, or from period 2 when period 1 gave none.
void DayAssembly::store_by_kind(Keys keys, const char* value) noexcept {
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
  return kind_ == Kind::period2 && open_ && station::holds_value(open_.get(), keys.day);
}

}  // namespace brelund::readers
