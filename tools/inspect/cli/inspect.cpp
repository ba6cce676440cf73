// SPDX-License-Identifier: MIT
#include "cli/inspect.hpp"

#include <cstdio>

#include "cli/exit_status.hpp"
#include "cli/messages.hpp"
#include "host/forecast_read.hpp"
#include "host/hourly_document.hpp"
#include "host/station_data.hpp"
#include "outputs/json.hpp"
#include "outputs/stored.hpp"
#include "outputs/text.hpp"
#include "picture/picture_file.hpp"
#include "picture/scene.hpp"

namespace inspector {
namespace {

// The picture's file is made first: a name it cannot take stops the run
// before anything is read.
bool open_picture(const Options& options, plot::PictureFile& picture) {
  std::string why;
  if (options.plot.empty() || picture.open(options.plot, why)) return true;
  say::picture_unwritable(options.plot, why);
  return false;
}

// Read before the forecast, so that an unusable hourly document stops the
// run before the plug-in swaps in a staged forecast file or reports anything.
bool read_hourly_document(const Options& options, Doc& hourly) {
  if (options.hourly.empty()) return true;
  std::string why;
  hourly = read_hourly(options.hourly, why);
  if (!hourly) say::hourly_unreadable(options.hourly, why);
  return static_cast<bool>(hourly);
}

int read_station(const Plugin& plugin, const std::string& file, StationData& station) {
  const ForecastRead read = read_forecast(plugin, file, station);
  if (read.staged_moved) say::staged_moved(file);
  if (read.result == -2) {
    say::error_document(file);
    return kErrorDocument;
  }
  if (read.result < 0) {
    say::forecast_unreadable(file, read.why);
    return kForecastUnreadable;
  }
  if (!station.holds(BRELUND_KEY_LOCATION) && !station.holds(BRELUND_KEY_FORECAST))
    say::nothing_stored(file);
  return kOk;
}

int show(const Options& options, plot::PictureFile& picture, const Stored& stored) {
  if (!options.plot.empty()) {
    std::string why;
    if (picture.write(plot::build_scene(stored, options.files.front()), why)) return kOk;
    say::picture_unwritable(options.plot, why);
    return kPictureUnwritable;
  }
  const std::string text = options.json ? render_json(stored) : render_text(stored);
  std::fwrite(text.data(), 1, text.size(), stdout);
  return kOk;
}

}  // namespace

int inspect(const Plugin& plugin, const Options& options) {
  plot::PictureFile picture;
  if (!open_picture(options, picture)) return kPictureUnwritable;
  Doc hourly;
  if (!read_hourly_document(options, hourly)) return kHourlyUnreadable;
  const std::string& file = options.files.front();
  StationData station(plugin);  // released on every way out
  if (const int status = read_station(plugin, file, station); status != kOk) return status;
  if (hourly && !read_detail(plugin, file, hourly.get(), station)) {
    say::hourly_refused(options.hourly);
    return kHourlyUnreadable;
  }
  return show(options, picture, Stored(station.get()));
}

}  // namespace inspector
