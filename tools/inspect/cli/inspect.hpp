// SPDX-License-Identifier: MIT
// One run of the inspector on one forecast file: one refresh of one station
// as the host makes it, then the output asked for.
#pragma once

#include "cli/options.hpp"
#include "host/plugin.hpp"

namespace inspector {

// Returns the exit status (cli/exit_status.hpp).
int inspect(const Plugin& plugin, const Options& options);

}  // namespace inspector
