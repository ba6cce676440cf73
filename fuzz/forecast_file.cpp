// Bytes written as the station's forecast file, read through the file entry
// point (the plug-in's own parse, limits and refusals included).
#include <unistd.h>

#include <cstdio>
#include <string>

#include "fuzz_host.hpp"
#include "tarnvale-brelund-source.h"

namespace {

// One directory per process, removed at exit.
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
  testing::HostTable table;
  const int result = get_station_weather_data(path.c_str(), table.get());
  // A fresh file each time: ext4 flushes a file truncated and rewritten in
  // place to disk when it is closed, which would make every run wait.
  std::remove(path.c_str());
  fuzz::require(result >= -2);
  fuzz::require_forecast(table, result);
  return 0;
}
