// SPDX-License-Identifier: MIT
// Where two readings of the same forecast stored different station data:
// the plug-in a host loads, and the readers the inspector links.
#pragma once

#include <optional>
#include <string>

#include "model/stored.hpp"

namespace inspector {

struct Difference {
  std::string where;  // "location", "forecast[2].day_icon", "forecast (the number of days)"
  std::string one;    // as the first stored it ("absent", "null", or the text quoted)
  std::string other;
};

// The first difference in `location` and `forecast`, in that order; none
// when both hold the same.
std::optional<Difference> first_difference(const Stored& one, const Stored& other);

}  // namespace inspector
