// SPDX-License-Identifier: MIT
// The families of codes, one file each: the document as a whole, the day
// records, the values, the units, the code tables. file_findings.hpp has
// those about the file itself, which need no reading.
#pragma once

#include <memory>
#include <vector>

#include "check/events.hpp"

namespace inspector::check {

std::unique_ptr<Family> document_family();  // document.cpp
std::unique_ptr<Family> day_family();       // days.cpp
std::unique_ptr<Family> value_family();     // values.cpp
std::unique_ptr<Family> unit_family();      // units.cpp
std::unique_ptr<Family> lookup_family();    // lookups.cpp

// All of them, each once.
std::vector<std::unique_ptr<Family>> every_family();

}  // namespace inspector::check
