// SPDX-License-Identifier: MIT
// brelund-inspect --check FILE...: every file checked in turn, whatever came
// of the others.
#pragma once

#include "cli/options.hpp"
#include "host/plugin.hpp"

namespace inspector {

// Prints the findings of each file (as it is checked, or as one JSON
// document at the end); returns kFindings when any file had one, else kOk.
int check_files(const Plugin& plugin, const Options& options);

}  // namespace inspector
