// SPDX-License-Identifier: MIT
// Numbers are read the way the service's texts have always been read: the
// leading decimal integer (as strtol reads it, so "3.4" is 3 and "abc" is 0),
// saturated to the 32-bit signed range.
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

}  // namespace brelund::readers
