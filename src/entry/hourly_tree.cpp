// SPDX-License-Identifier: MIT
// The hour-by-hour document the host parsed.
#include "entry/tree_arguments.hpp"
#include "readers/hourly.hpp"
#include "sources/host_tree.hpp"
#include "tarnvale-brelund-source.h"

int parse_xml_detail_data(const char* /*station_id*/, xmlNode* root,
                          GHashTable* station_data) noexcept {
  using namespace brelund;
  if (!entry::readable(root, station_data)) return 0;
  try {
    readers::HourlyReader reader;
    sources::walk(root, reader);
    return reader.hand_over(station_data);
  } catch (...) {  // out of memory: nothing may unwind into the host
    return 0;
  }
}
