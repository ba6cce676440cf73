// SPDX-License-Identifier: MIT
// Value axes: round limits and steps around the values drawn on them.
#pragma once

#include <vector>

namespace inspector::plot {

// From `low` to `high` in steps of 1, 2 or 5 times a power of ten.
struct Scale {
  double low, high, step;
  int decimals() const;  // what a tick's text needs
};

// A scale holding every value (there is at least one), about `target` steps
// long and never narrower than `span`. `from_zero` keeps zero on it, and
// does not go below zero for values that do not.
Scale scale_for(const std::vector<double>& values, double span, bool from_zero, int target);

}  // namespace inspector::plot
