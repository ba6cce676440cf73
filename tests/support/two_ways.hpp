// SPDX-License-Identifier: MIT
// The two ways into the forecast reader, side by side: the forecast file
// through get_station_weather_data (one streaming pass), and the same file
// parsed by libxml2's default tree parse with the root handed to
// parse_xml_data, as get_station_weather_data once did it. For every file
// that no limit refuses the host must see the same from both.
#pragma once

#include <string>

#include "sources/file_stream.hpp"

namespace brelund::testing {

// What a host sees of one read.
struct Seen {
  int result = 0;
  std::string station_data;  // dump_station_data
  std::string said;          // standard error
  std::string lc_time;       // LC_TIME afterwards (it is "C" before)

  bool operator==(const Seen&) const = default;
};

Seen through_file(const std::string& path);
Seen through_tree(const std::string& path);

// How the file's stream ends when read as get_station_weather_data reads it.
sources::Outcome stream_outcome(const std::string& path);

// Empty when both ways show the same, or when the file way refused the file
// at one of its limits; otherwise both sides, for a failure message.
std::string difference(const std::string& path);

}  // namespace brelund::testing
