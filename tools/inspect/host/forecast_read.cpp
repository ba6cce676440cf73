// SPDX-License-Identifier: MIT
#include "host/forecast_read.hpp"

#include "host/file_names.hpp"
#include "host/refusal.hpp"
#include "host/staged_file.hpp"

namespace inspector {

ForecastRead read_forecast(const Plugin& plugin, const std::string& path, StationData& station) {
  // The plug-in takes the station from the file name after the last "/" and
  // refuses a name without one; hosts pass whole paths.
  const std::string named = as_file(path);
  const StagedFile staged(named);
  ForecastRead read;
  read.result = plugin.get_station_weather_data(named.c_str(), station.get());
  read.staged_moved = staged.moved();
  if (read.result == -1) read.why = why_unreadable(named);
  return read;
}

bool read_detail(const Plugin& plugin, const std::string& path, const xmlDoc* hourly,
                 StationData& station) {
  plugin.parse_xml_detail_data(as_file(path).c_str(), xmlDocGetRootElement(hourly), station.get());
  return station.holds(BRELUND_KEY_DETAIL);
}

}  // namespace inspector
