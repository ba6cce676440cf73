// SPDX-License-Identifier: MIT
// Findings about the file itself, made without reading the document: what
// the plug-in returned, its path, a staged file waiting beside it, and the
// plug-in it came from.
#pragma once

#include <cstddef>
#include <string>

#include "check/findings.hpp"
#include "model/difference.hpp"

namespace inspector::check {

Finding refused(const std::string& why, int line);
Finding error_document();
Finding long_path(std::size_t length);
// `staged`: the waiting file's name as the user would write it; `missing`:
// the file itself is not there yet.
Finding staged_file(const std::string& staged, bool missing);
// The next refresh reads `staged` instead of a forecast that stores
// `days` days, and stores none: `outcome` says what it stores instead.
Finding staged_breaks(const std::string& staged, int days, const std::string& outcome);
Finding plugin_differs(const Difference& difference);

}  // namespace inspector::check
