// SPDX-License-Identifier: MIT
#include "cli/inspect.hpp"

#include <cstdio>

#include "check/check_file.hpp"
#include "check/report.hpp"
#include "cli/exit_status.hpp"
#include "cli/messages.hpp"
#include "host/forecast_read.hpp"
#include "host/hourly_document.hpp"
#include "host/standard_input.hpp"
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

// The forecast file as the plug-in is handed it, and as messages name it.
struct Forecast {
  std::string path;
  std::string name;
};

bool forecast_of(const Options& options, StandardInput& input, Forecast& forecast) {
  const std::string& file = options.files.front();
  if (file != kStandardInput) {
    forecast = {file, file};
    return true;
  }
  std::string why;
  forecast = {input.path(why), kStandardInputName};
  if (forecast.path.empty()) say::standard_input_unsaved(why);
  return !forecast.path.empty();
}

int read_station(const Plugin& plugin, const Forecast& forecast, StationData& station) {
  const ForecastRead read = read_forecast(plugin, forecast.path, station, Reading::kAsTheHost);
  if (read.staged_moved) say::staged_moved(forecast.name);
  if (read.result == -2) {
    say::error_document(forecast.name);
    return kErrorDocument;
  }
  if (read.result < 0) {
    say::forecast_unreadable(forecast.name, read.refusal.why);
    return kForecastUnreadable;
  }
  if (!station.holds(BRELUND_KEY_LOCATION) && !station.holds(BRELUND_KEY_FORECAST))
    say::nothing_stored(forecast.name);
  return kOk;
}

void print(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);  // before any line on standard error, wherever both go
}

int draw(const Plugin& plugin, const Options& options, plot::PictureFile& picture,
         const Stored& stored, const Forecast& forecast, const std::string& why_no_days) {
  std::string failure;
  if (picture.write(
          plot::build_scene(stored, forecast.name, condition_translations(plugin), why_no_days),
          failure))
    return kOk;
  say::picture_unwritable(options.plot, failure);
  return kPictureUnwritable;
}

// The output asked for, then, for people, a line when the check has
// something to say of the file.
int show(const Plugin& plugin, const Options& options, plot::PictureFile& picture,
         const Stored& stored, const Forecast& forecast) {
  if (options.json) {
    print(render_json(stored));
    return kOk;
  }
  const check::After after = check::findings_after(forecast.path, stored);
  int status = kOk;
  if (options.plot.empty())
    print(render_text(stored));
  else
    status = draw(plugin, options, picture, stored, forecast, after.why_no_days);
  check::Tally tally;
  tally.add(after.findings);
  if (status == kOk && tally.any()) say::findings(check::counted(tally), options.files.front());
  return status;
}

}  // namespace

int inspect(const Plugin& plugin, const Options& options) {
  plot::PictureFile picture;
  if (!open_picture(options, picture)) return kPictureUnwritable;
  Doc hourly;
  if (!read_hourly_document(options, hourly)) return kHourlyUnreadable;
  StandardInput input;
  Forecast forecast;
  if (!forecast_of(options, input, forecast)) return kForecastUnreadable;
  StationData station(plugin);  // released on every way out
  if (const int status = read_station(plugin, forecast, station); status != kOk) return status;
  if (hourly && !read_detail(plugin, forecast.path, hourly.get(), station)) {
    say::hourly_refused(options.hourly);
    return kHourlyUnreadable;
  }
  return show(plugin, options, picture, Stored(station.get()), forecast);
}

}  // namespace inspector
