// SPDX-License-Identifier: MIT
// The detail record's hours as a band of the picture.
#pragma once

#include "model/stored.hpp"
#include "picture/builder.hpp"

namespace inspector::plot {

// Lays out the hours from `top`, as many as fit one to kMinHourWidth pixels
// (the heading names the rest); returns the y below the band.
double lay_out_hours(SceneBuilder& b, const Stored& stored, double top);

}  // namespace inspector::plot
