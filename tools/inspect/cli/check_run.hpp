// SPDX-License-Identifier: MIT
// brelund-inspect --check FILE...: every file checked in turn, whatever came
// of the others.
#pragma once

#include "cli/options.hpp"
#include "host/plugin.hpp"

namespace inspector {

// Prints the findings of each file (as it is checked, or as one JSON
// document at the end); returns kFindings when any file had an error or a
// warning, else kOk.
int check_files(const Plugin& plugin, const Options& options);

// brelund-inspect --explain CODE: prints the code's explanation; kUsage for
// a name that is no code.
int explain(const Options& options);

}  // namespace inspector
