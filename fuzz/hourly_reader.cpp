// SPDX-License-Identifier: MIT
// Document bytes, parsed as a host would, into the hourly reader.
#include "fuzz_host.hpp"
#include "tarnvale-brelund-source.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace brelund;
  const XmlPtr<xmlDoc> doc = fuzz::host_parse(data, size);
  if (!doc) return 0;
  testing::HostTable table;
  const int result = parse_xml_detail_data("fuzz", xmlDocGetRootElement(doc.get()), table.get());
  fuzz::require(result >= 0);
  const auto hours = table.hours();
  fuzz::require(static_cast<std::size_t>(result) == hours.size());
  if (GHashTable* detail = table.record("detail")) fuzz::require_text_values(detail);
  for (GHashTable* hour : hours) {
    fuzz::require_text_values(hour);
    const std::string h = testing::field(hour, "hours");
    fuzz::require(h == "<absent>" || (h.size() == 2 && h >= "00" && h <= "23"));
  }
  return 0;
}
