// SPDX-License-Identifier: MIT
// One refresh of one station as the host makes it: the plug-in swaps in a
// staged file and reads the forecast file into the station data; with an
// hour-by-hour document, the plug-in reads its tree too.
#pragma once

#include <libxml/tree.h>

#include <string>

#include "host/plugin.hpp"
#include "host/station_data.hpp"

namespace inspector {

struct ForecastRead {
  int result = -1;            // the plug-in's: days stored, -1 refused, -2 error document
  bool staged_moved = false;  // the plug-in renamed `path`.new over `path`
  std::string why;            // for -1: why the plug-in refused the file
};

// `path` as given on the command line; the plug-in is handed it as a file
// (host/file_names.hpp).
ForecastRead read_forecast(const Plugin& plugin, const std::string& path, StationData& station);

// Hands the hourly document's root to the plug-in; false when it stored no
// detail record, which, given an `hbhf` element, means it refused the whole
// document.
bool read_detail(const Plugin& plugin, const std::string& path, const xmlDoc* hourly,
                 StationData& station);

}  // namespace inspector
