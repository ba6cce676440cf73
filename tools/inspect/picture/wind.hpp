// SPDX-License-Identifier: MIT
// Wind as a label row: the speed's text as stored, and an arrow pointing
// where the wind blows to, from its compass code, whatever the speed.
#pragma once

#include "picture/builder.hpp"

namespace inspector::plot {

// The speed's text with its top at `top`, or its absence ("wind speed").
void wind_speed(SceneBuilder& b, const Sample& speed, double top, Absences& absent);

// The arrow (or a code that is no compass point) centred on `centre_y`, or
// its absence ("wind direction").
void wind_direction(SceneBuilder& b, const Sample& direction, double centre_y, Absences& absent);

}  // namespace inspector::plot
