// SPDX-License-Identifier: MIT
// The exit statuses: which step of a run failed. --help, the manual page and
// the README list them; a test holds --help and the manual page together.
#pragma once

namespace inspector {

enum ExitStatus {
  kOk = 0,
  kUsage = 1,
  kPluginUnusable = 2,
  kForecastUnreadable = 3,
  kErrorDocument = 4,
  kHourlyUnreadable = 5,
  kPictureUnwritable = 6,
  kFindings = 7,  // --check found something in at least one file
};

}  // namespace inspector
