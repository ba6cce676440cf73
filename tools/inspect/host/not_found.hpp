// SPDX-License-Identifier: MIT
// The plug-in's only diagnostic, "Not found CODE", written on standard error
// for each code its tables do not translate. A run that shows the station
// data lets it through, as the host does; a check, whose findings say what
// the lines are about, keeps them off its own output.
#pragma once

#include <functional>

namespace inspector {

// Runs `call` with the process's standard error sent to /dev/null, and
// returns its result. Where it cannot be redirected, the lines reach
// standard error as they are.
int without_not_found_lines(const std::function<int()>& call);

}  // namespace inspector
