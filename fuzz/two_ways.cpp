// SPDX-License-Identifier: MIT
// Bytes written as the station's forecast file and read both ways: streamed
// by get_station_weather_data, and parsed into a tree handed to
// parse_xml_data. Unless the stream refused the file at one of its limits,
// any difference the host could see is a finding.
#include "two_ways.hpp"

#include <cstdio>
#include <string>

#include "fuzz_host.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace brelund;
  const std::string path = fuzz::write_forecast_file(data, size);
  if (path.empty()) return 0;
  const std::string difference = testing::difference(path);
  std::remove(path.c_str());
  if (!difference.empty()) {
    std::fprintf(stdout, "the two ways differ:\n%s\n", difference.c_str());
    std::fflush(stdout);
  }
  fuzz::require(difference.empty());
  return 0;
}
