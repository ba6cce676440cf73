// SPDX-License-Identifier: MIT
// Numbers are read the way the service's texts have always been read: the
// leading decimal integer (as strtol reads it, so "3.4" is 3 and "abc" is 0),
// saturated to the 32-bit signed range. The rules that turn a reading into
// a stored value live here too, so that whoever checks stored values (the
// inspector) applies exactly the readers' own.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <limits>

namespace brelund::readers {

inline std::int32_t leading_int(const char* text) noexcept {
  const long value = std::strtol(text, nullptr, 10);
  if (value > std::numeric_limits<std::int32_t>::max())
    return std::numeric_limits<std::int32_t>::max();
  if (value < std::numeric_limits<std::int32_t>::min())
    return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(value);
}

// A temperature reading that large counts as no temperature yet: a day's
// high and low start there, and the next reading replaces it.
inline constexpr std::int32_t kUnsetTemperature = std::numeric_limits<std::int32_t>::max();

// Metres per second (the `mps` text) to whole km/h, truncated toward zero.
// The product is formed in 64 bits: the largest reading (2147483647 m/s)
// would overflow 32, and there the exact quotient is kept.
inline std::int64_t wind_kmh(const char* mps) noexcept {
  constexpr std::int64_t kSecondsPerHour = 3600;
  constexpr std::int64_t kMetresPerKilometre = 1000;
  return leading_int(mps) * kSecondsPerHour / kMetresPerKilometre;
}

// An offset from UTC in minutes (the `utcoffsetMinutes` text) as whole
// hours, truncated toward zero: -330 minutes is -5.
inline std::int32_t zone_hours(const char* minutes) noexcept {
  constexpr std::int32_t kMinutesPerHour = 60;
  return leading_int(minutes) / kMinutesPerHour;
}

}  // namespace brelund::readers
