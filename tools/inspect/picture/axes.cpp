// SPDX-License-Identifier: MIT
#include "picture/axes.hpp"

#include <algorithm>
#include <cmath>

namespace inspector::plot {
namespace {

Scale nice_scale(double low, double high, double span, int target) {
  if (high - low < span) {
    const double middle = (low + high) / 2;
    low = middle - span / 2;
    high = middle + span / 2;
  }
  const double raw = (high - low) / target;
  const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  const double fraction = raw / magnitude;
  const double step = magnitude * (fraction <= 1 ? 1 : fraction <= 2 ? 2 : fraction <= 5 ? 5 : 10);
  return {std::floor(low / step) * step, std::ceil(high / step) * step, step};
}

}  // namespace

int Scale::decimals() const {
  return step >= 1 ? 0 : static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
}

Scale scale_for(const std::vector<double>& values, double span, bool from_zero, int target) {
  const auto [min, max] = std::minmax_element(values.begin(), values.end());
  const double low = from_zero ? std::min(*min, 0.0) : *min;
  Scale scale = nice_scale(low, *max, span, target);
  if (from_zero && scale.low < 0 && low >= 0) scale.low = 0;
  return scale;
}

}  // namespace inspector::plot
