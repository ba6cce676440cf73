// Bytes written as the station's forecast file and read both ways: streamed
// by get_station_weather_data, and parsed into a tree handed to
// parse_xml_data. Unless the stream refused the file at one of its limits,
// any difference the host could see is a finding.
#include "two_ways.hpp"

#include <cstdio>
#include <string>

#include "fuzz_host.hpp"

namespace {

const std::string& forecast_path() {
  static const brelund::testing::TempDir dir;
  static const std::string path = dir.path() + "/fuzz.xml";
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace brelund;
  const std::string& path = forecast_path();
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return 0;
  const bool written = std::fwrite(data, 1, size, file) == size;
  if (std::fclose(file) != 0 || !written) return 0;
  const std::string difference = testing::difference(path);
  std::remove(path.c_str());  // a fresh file each time (see forecast_file.cpp)
  if (!difference.empty()) {
    std::fprintf(stdout, "the two ways differ:\n%s\n", difference.c_str());
    std::fflush(stdout);
  }
  fuzz::require(difference.empty());
  return 0;
}
