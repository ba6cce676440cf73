// SPDX-License-Identifier: MIT
// Numbers are read the way the service's texts have always been read: the
// leading decimal integer (as strtol reads it, so "3.4" is 3 and "abc" is 0),
// saturated to the 32-bit signed range. The rules that turn a reading into
// a stored value live here too, so that whoever checks stored values (the
// inspector) applies exactly the readers' own.
#pragma once

#include <charconv>
#include <cmath>
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

inline constexpr std::int64_t kSecondsPerHour = 3600;
inline constexpr std::int64_t kMetresPerKilometre = 1000;
inline constexpr std::int32_t kMinutesPerHour = 60;

// Metres per second (the `mps` text) to whole km/h, truncated toward zero.
// The product is formed in 64 bits: the largest reading (2147483647 m/s)
// would overflow 32, and there the exact quotient is kept.
inline std::int64_t wind_kmh(const char* mps) noexcept {
  return leading_int(mps) * kSecondsPerHour / kMetresPerKilometre;
}

// An offset from UTC in minutes (the `utcoffsetMinutes` text) as whole
// hours, truncated toward zero: -330 minutes is -5.
inline std::int32_t zone_hours(const char* minutes) noexcept {
  return leading_int(minutes) / kMinutesPerHour;
}

// What a reading of a number's text gives beside the value stored, for
// whoever tells what became of it (readers/narrator.hpp).
struct Number {
  enum class Unit : std::uint8_t {
    kAsRead,  // stored as the document's text (a temperature)
    kKmh,     // `mps` in whole km/h
    kHours,   // `utcoffsetMinutes` in whole hours
  };
  Unit unit;
  std::int32_t read;    // the leading whole number of the text, saturated to 32 bits
  std::int64_t stored;  // the whole number stored (kAsRead: `read`)
  // The text's decimal value (white space, a sign, digits and a fraction;
  // decimal_value) and that value converted exactly: km/h, hours, or as
  // read. NaN when the text does not start with a decimal number.
  double decimal;
  double exact;
  // kHours: the minutes beyond the stored hours, with the offset's sign
  // (what "whole hours" leaves out); 0 otherwise.
  std::int64_t remainder;
  // The contract's 32-bit product of a wind speed (m/s times 3600)
  // overflows here: 596,524 m/s or more, either sign. The exact quotient is
  // stored all the same.
  bool past_32_bits;
};

// The decimal value of a number's text as a person reads it: leading white
// space, a sign, digits with a fraction. NaN when there is none.
inline double decimal_value(const char* text) noexcept {
  while (*text == ' ' || *text == '\t' || *text == '\n' || *text == '\r') ++text;
  if (*text == '+') ++text;
  const char* end = text;
  while (*end != '\0') ++end;
  double value = std::numeric_limits<double>::quiet_NaN();
  const auto parsed = std::from_chars(text, end, value, std::chars_format::fixed);
  if (parsed.ec != std::errc() || !std::isfinite(value))
    return std::numeric_limits<double>::quiet_NaN();
  return value;
}

inline Number temperature_number(const char* text) noexcept {
  const std::int32_t read = leading_int(text);
  const double decimal = decimal_value(text);
  return {Number::Unit::kAsRead, read, read, decimal, decimal, 0, false};
}

inline Number wind_number(const char* mps) noexcept {
  const std::int32_t read = leading_int(mps);
  const std::int64_t product = read * kSecondsPerHour;
  const double decimal = decimal_value(mps);
  return {Number::Unit::kKmh,
          read,
          wind_kmh(mps),
          decimal,
          decimal * static_cast<double>(kSecondsPerHour) / static_cast<double>(kMetresPerKilometre),
          0,
          product > std::numeric_limits<std::int32_t>::max() ||
              product < std::numeric_limits<std::int32_t>::min()};
}

inline Number zone_number(const char* minutes) noexcept {
  const std::int32_t read = leading_int(minutes);
  const std::int32_t hours = zone_hours(minutes);
  const double decimal = decimal_value(minutes);
  return {Number::Unit::kHours,
          read,
          hours,
          decimal,
          decimal / kMinutesPerHour,
          std::int64_t{read} - std::int64_t{hours} * kMinutesPerHour,
          false};
}

}  // namespace brelund::readers
