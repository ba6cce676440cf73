// SPDX-License-Identifier: MIT
// The day record's layout as the host reads it: the keys it holds once for
// the whole day, and the values it holds once for each half (the day half
// from periods 1 and 2, the night half from periods 0 and 3). The readers
// fill a record by these; whoever shows or checks one reads it by them.
#pragma once

#include <array>

#include "tarnvale-brelund-source.h"

namespace brelund::records {

// The keys of one half's values.
struct HalfKeys {
  const char* icon;
  const char* title;
  const char* pressure;
  const char* precipitation;
  const char* wind_speed;
  const char* wind_title;

  std::array<const char*, 6> all() const noexcept {
    return {icon, title, pressure, precipitation, wind_speed, wind_title};
  }
};

inline constexpr HalfKeys kDayHalf{BRELUND_KEY_DAY_ICON,       BRELUND_KEY_DAY_TITLE,
                                   BRELUND_KEY_DAY_PRESSURE,   BRELUND_KEY_DAY_PRECIPITATION,
                                   BRELUND_KEY_DAY_WIND_SPEED, BRELUND_KEY_DAY_WIND_TITLE};
inline constexpr HalfKeys kNightHalf{BRELUND_KEY_NIGHT_ICON,       BRELUND_KEY_NIGHT_TITLE,
                                     BRELUND_KEY_NIGHT_PRESSURE,   BRELUND_KEY_NIGHT_PRECIPITATION,
                                     BRELUND_KEY_NIGHT_WIND_SPEED, BRELUND_KEY_NIGHT_WIND_TITLE};

}  // namespace brelund::records
