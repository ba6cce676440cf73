// SPDX-License-Identifier: MIT
// Stored texts read as what the picture draws: numbers, compass bearings,
// and the numbers it writes itself.
#pragma once

#include <glib.h>

#include <cstddef>
#include <optional>
#include <string>

namespace inspector::plot {

// The value as a number, or nothing when it is absent, null, "-", the
// plug-in's unset temperature, not entirely a number, or not finite. Such a
// value is drawn as absent and never scales an axis.
std::optional<double> number_at(GHashTable* record, const char* key);

// The compass code's bearing in degrees (where the wind comes from), or
// nothing for a code that is not one of the sixteen points.
std::optional<double> bearing_of(const char* code);

// `value` with `decimals` decimals, never "-0".
std::string format(double value, int decimals);

// 1234 as "1,234".
std::string thousands(std::size_t count);

}  // namespace inspector::plot
