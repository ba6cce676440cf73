// SPDX-License-Identifier: MIT
// The day records as columns of the picture.
#pragma once

#include <glib.h>

#include <vector>

#include "picture/builder.hpp"

namespace inspector::plot {

// Lays out `days` in the scene's columns (already placed, from `top`):
// header (a condition text that is none of `translations` in italics),
// temperature and pressure, precipitation and wind, each band with its
// absent rows, then the legend. Returns the y below it all.
double lay_out_days(SceneBuilder& b, const std::vector<GHashTable*>& days,
                    const Translations& translations, double top);

}  // namespace inspector::plot
