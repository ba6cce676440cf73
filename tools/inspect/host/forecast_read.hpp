// SPDX-License-Identifier: MIT
// One refresh of one station as the host makes it: the plug-in swaps in a
// staged file and reads the forecast file into the station data; with an
// hour-by-hour document, the plug-in reads its tree too. Or the same read
// with nothing changed anywhere, for a check.
#pragma once

#include <libxml/tree.h>

#include <cstddef>
#include <string>

#include "host/not_found.hpp"
#include "host/plugin.hpp"
#include "host/refusal.hpp"
#include "host/station_data.hpp"

namespace inspector {

enum class Reading {
  // As the host reads: a waiting FILE.new is swapped in, and the plug-in's
  // "Not found" lines reach standard error.
  kAsTheHost,
  // The plug-in is handed the file under a name too long for it to form a
  // staged name from (it forms none that its buffer cannot hold, and so
  // renames nothing), and its "Not found" lines are not printed.
  kUnchanged,
};

struct ForecastRead {
  int result = -1;            // the plug-in's: days stored, -1 refused, -2 error document
  bool staged_moved = false;  // the plug-in renamed `path`.new over `path`
  Refusal refusal;            // for -1: why the plug-in refused the file
};

// `path` as given on the command line; the plug-in is handed it as a file
// (host/file_names.hpp).
ForecastRead read_forecast(const Plugin& plugin, const std::string& path, StationData& station,
                           Reading reading);

// Hands the hourly document's root to the plug-in; false when it stored no
// detail record, which, given an `hbhf` element, means it refused the whole
// document.
bool read_detail(const Plugin& plugin, const std::string& path, const xmlDoc* hourly,
                 StationData& station);

// The shortest path from which the plug-in forms no staged name (its
// 1,024-byte buffer cannot hold "PATH.new"): 1,019 bytes.
inline constexpr std::size_t kUnstagedPathLength = 1019;

}  // namespace inspector
