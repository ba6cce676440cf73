// SPDX-License-Identifier: MIT
// Bytes written as the station's forecast file, read through the file entry
// point (the plug-in's own parse, limits and refusals included).
#include <cstdio>
#include <string>

#include "fuzz_host.hpp"
#include "tarnvale-brelund-source.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace brelund;
  const std::string path = fuzz::write_forecast_file(data, size);
  if (path.empty()) return 0;
  testing::HostTable table;
  const int result = get_station_weather_data(path.c_str(), table.get());
  std::remove(path.c_str());
  fuzz::require(result >= -2);
  fuzz::require_forecast(table, result);
  return 0;
}
