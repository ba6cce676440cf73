// SPDX-License-Identifier: MIT
// The station data for people: position and time zone, one row per day,
// then one row per hour, columns aligned.
#pragma once

#include <string>

#include "model/stored.hpp"

namespace inspector {

std::string render_text(const Stored& stored);

}  // namespace inspector
