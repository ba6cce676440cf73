// The hour-by-hour document the host parsed.
#include "readers/hourly.hpp"
#include "sources/tree_text.hpp"
#include "tarnvale-brelund-source.h"

int parse_xml_detail_data(const char* /*station_id*/, xmlNode* root,
                          GHashTable* station_data) noexcept {
  using namespace brelund;
  // Declared entities and attribute defaults would be copied, unbounded,
  // wherever their text is read: such documents are refused whole.
  if (root == nullptr || station_data == nullptr || sources::tree::declares_expansions(root->doc))
    return 0;
  try {
    return readers::read_hourly(root, station_data);
  } catch (...) {  // out of memory: nothing may unwind into the host
    return 0;
  }
}
