// SPDX-License-Identifier: MIT
#include "host/forecast_read.hpp"

#include "host/file_names.hpp"
#include "host/staged_file.hpp"

namespace inspector {
namespace {

// The same file, with "./" after its directory until the plug-in can form
// no staged name from it.
std::string unstaged(const std::string& named) {
  const std::size_t slash = named.rfind('/');
  std::string padded = named.substr(0, slash + 1);
  while (padded.size() + named.size() - slash - 1 < kUnstagedPathLength) padded += "./";
  return padded + named.substr(slash + 1);
}

}  // namespace

ForecastRead read_forecast(const Plugin& plugin, const std::string& path, StationData& station,
                           Reading reading) {
  // The plug-in takes the station from the file name after the last "/" and
  // refuses a name without one; hosts pass whole paths.
  const std::string named = as_file(path);
  const std::string handed = reading == Reading::kAsTheHost ? named : unstaged(named);
  const StagedFile staged(named);
  ForecastRead read;
  const auto call = [&] { return plugin.get_station_weather_data(handed.c_str(), station.get()); };
  read.result = reading == Reading::kAsTheHost ? call() : without_not_found_lines(call);
  read.staged_moved = staged.moved();
  if (read.result == -1) read.refusal = why_unreadable(named);
  return read;
}

bool read_detail(const Plugin& plugin, const std::string& path, const xmlDoc* hourly,
                 StationData& station) {
  plugin.parse_xml_detail_data(as_file(path).c_str(), xmlDocGetRootElement(hourly), station.get());
  return station.holds(BRELUND_KEY_DETAIL);
}

}  // namespace inspector
