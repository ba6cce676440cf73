// SPDX-License-Identifier: MIT
#include "cli/inspect.hpp"

#include <cstdio>

#include "check/check_file.hpp"
#include "check/derive.hpp"
#include "check/report.hpp"
#include "cli/exit_status.hpp"
#include "cli/messages.hpp"
#include "host/forecast_read.hpp"
#include "host/hourly_document.hpp"
#include "host/station_data.hpp"
#include "model/stored.hpp"
#include "outputs/json.hpp"
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

int read_station(const Plugin& plugin, const std::string& file, StationData& station,
                 NotFound& not_found) {
  ForecastRead read = read_forecast(plugin, file, station, Reading::kAsTheHost);
  not_found = std::move(read.not_found);
  if (read.staged_moved) say::staged_moved(file);
  if (read.result == -2) {
    say::error_document(file);
    return kErrorDocument;
  }
  if (read.result < 0) {
    say::forecast_unreadable(file, read.refusal.why);
    return kForecastUnreadable;
  }
  if (!station.holds(BRELUND_KEY_LOCATION) && !station.holds(BRELUND_KEY_FORECAST))
    say::nothing_stored(file);
  return kOk;
}

int draw(const Plugin& plugin, const Options& options, plot::PictureFile& picture,
         const Stored& stored, const NotFound& not_found) {
  const std::string& file = options.files.front();
  // An empty forecast's note says why, when a finding does.
  const std::string why =
      stored.days.empty() ? check::why_no_days(check::findings_after(file, stored, not_found)) : "";
  std::string failure;
  if (picture.write(plot::build_scene(stored, file, condition_translations(plugin), why), failure))
    return kOk;
  say::picture_unwritable(options.plot, failure);
  return kPictureUnwritable;
}

int show(const Plugin& plugin, const Options& options, plot::PictureFile& picture,
         const Stored& stored, const NotFound& not_found) {
  if (!options.plot.empty()) return draw(plugin, options, picture, stored, not_found);
  if (options.json) {
    const std::string text = render_json(stored);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return kOk;
  }
  const std::string text = render_text(stored);
  std::fwrite(text.data(), 1, text.size(), stdout);
  const std::size_t found = check::findings_after(options.files.front(), stored, not_found).size();
  if (found > 0) say::findings(check::findings_counted(found), options.files.front());
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
  NotFound not_found;
  if (const int status = read_station(plugin, file, station, not_found); status != kOk)
    return status;
  if (hourly && !read_detail(plugin, file, hourly.get(), station)) {
    say::hourly_refused(options.hourly);
    return kHourlyUnreadable;
  }
  return show(plugin, options, picture, Stored(station.get()), not_found);
}

}  // namespace inspector
