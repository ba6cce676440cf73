// SPDX-License-Identifier: MIT
// The plug-in's only diagnostic, "Not found CODE", written on standard error
// for each code its tables do not translate: caught while the plug-in runs,
// counted per code, and (for a run that shows the station data) passed on
// to standard error as the plug-in wrote it.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <string>

namespace inspector {

struct NotFound {
  std::size_t lines = 0;                       // every "Not found" line
  std::map<std::string, std::size_t> by_code;  // at most kMost codes told apart
  std::size_t others = 0;                      // lines of codes past those
  static constexpr std::size_t kMost = 1000;
};

// Runs `call` with the process's standard error caught in memory (nothing
// is written anywhere), then counts its "Not found" lines; with `pass_on`,
// writes what was caught to standard error afterwards. Returns `call`'s
// result.
int catching_not_found(const std::function<int()>& call, bool pass_on, NotFound& found);

}  // namespace inspector
