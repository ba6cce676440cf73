// SPDX-License-Identifier: MIT
// The station data for programs: every key exactly as stored, records as
// objects (keys sorted), lists as arrays in order, null values as null.
#pragma once

#include <json-glib/json-glib.h>

#include <string>

#include "model/stored.hpp"

namespace inspector {

std::string render_json(const Stored& stored);

// What `builder` built, as the inspector prints every JSON document:
// indented, with a final newline.
std::string pretty_json(JsonBuilder* builder);

}  // namespace inspector
