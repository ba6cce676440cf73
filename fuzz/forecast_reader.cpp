// SPDX-License-Identifier: MIT
// Document bytes, parsed as a host would, into the forecast reader.
#include "fuzz_host.hpp"
#include "tarnvale-brelund-source.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace brelund;
  const XmlPtr<xmlDoc> doc = fuzz::host_parse(data, size);
  if (!doc) return 0;
  testing::HostTable table;
  const int result = parse_xml_data("fuzz", xmlDocGetRootElement(doc.get()), table.get());
  fuzz::require(result >= 0);
  fuzz::require_forecast(table, result);
  return 0;
}
