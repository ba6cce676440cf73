// SPDX-License-Identifier: MIT
// A forecast document the host parsed itself, read by the same reader as
// the forecast file.
#include "entry/tree_arguments.hpp"
#include "readers/forecast_reader.hpp"
#include "sources/host_tree.hpp"
#include "tarnvale-brelund-source.h"

int parse_xml_data(const char* /*station_id*/, xmlNode* root, GHashTable* station_data) noexcept {
  using namespace brelund;
  if (!entry::readable(root, station_data)) return 0;
  try {
    readers::ForecastReader reader;
    sources::walk(root, reader);
    return reader.update().hand_over(station_data);
  } catch (...) {  // out of memory: nothing may unwind into the host
    return 0;
  }
}
