// SPDX-License-Identifier: MIT
// The check of one forecast file: the plug-in reads it (taking station data
// only from the plug-in it dlopened, and changing nothing anywhere), its own
// stream reads it again for the facts, and the two give the findings.
#pragma once

#include <string>
#include <vector>

#include "check/findings.hpp"
#include "host/not_found.hpp"
#include "host/plugin.hpp"
#include "model/stored.hpp"

namespace inspector::check {

FileReport check_file(const Plugin& plugin, const std::string& file);

// The findings about a read already made: what the plug-in stored from
// `file` and the "Not found" lines it wrote (for a run that shows the data).
std::vector<Finding> findings_after(const std::string& file, const Stored& stored,
                                    const NotFound& not_found);

}  // namespace inspector::check
