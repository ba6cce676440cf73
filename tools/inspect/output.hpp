// SPDX-License-Identifier: MIT
// Showing station data: aligned text for people, JSON for programs.
#pragma once

#include <glib.h>

#include <string>

namespace inspector {

// Position, time zone, one row per day, then one row per hour.
std::string render_text(GHashTable* station_data);

// Every key exactly as stored: records as objects (keys sorted), lists as
// arrays in order, null values as null.
std::string render_json(GHashTable* station_data);

}  // namespace inspector
