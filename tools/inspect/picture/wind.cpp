// SPDX-License-Identifier: MIT
#include "picture/wind.hpp"

#include <algorithm>
#include <cmath>

#include "picture/layout.hpp"
#include "picture/values.hpp"

namespace inspector::plot {

using namespace layout;

void wind_speed(SceneBuilder& b, const Sample& speed, double top, Absences& absent) {
  if (!number_at(speed.record, speed.key)) return absent.add("wind speed", speed);
  b.label({text_at(speed.record, speed.key), speed.x, top, kValueSize, kBlack, Align::kCentre, true,
           speed.slot_right - speed.slot_left - kGap});
}

// The code says where the wind comes from; the arrow shows where it goes.
// A speed of 0 km/h is no calm (it is under 1 m/s), so it keeps its arrow.
void wind_direction(SceneBuilder& b, const Sample& direction, double centre_y, Absences& absent) {
  const char* code = text_at(direction.record, direction.key);
  const double width = direction.slot_right - direction.slot_left;
  if (const auto from = bearing_of(code)) {
    const double to = (*from + 180) * M_PI / 180;
    b.scene().arrows.push_back({{direction.x, centre_y},
                                std::sin(to),
                                -std::cos(to),
                                std::min(kArrowLength, width - kGap),
                                kWindArrow,
                                direction.column});
  } else if (code != nullptr) {
    b.label(
        {code, direction.x, centre_y - 6, kTinySize, kGrey, Align::kCentre, false, width - kGap});
  } else {
    absent.add("wind direction", direction);
  }
}

}  // namespace inspector::plot
