// The hour-by-hour document: the detail record and its hours list.
#include <libxml/tree.h>

#include "tarnvale-brelund-source.h"

int parse_xml_detail_data(const char* /*station_id*/, xmlNode* /*root*/,
                          GHashTable* /*station_data*/) noexcept {
  return 0;
}
