// SPDX-License-Identifier: MIT
// The station data for programs: every key exactly as stored, records as
// objects (keys sorted), lists as arrays in order, null values as null.
#pragma once

#include <string>

#include "outputs/stored.hpp"

namespace inspector {

std::string render_json(const Stored& stored);

}  // namespace inspector
