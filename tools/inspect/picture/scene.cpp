// SPDX-License-Identifier: MIT
// The whole picture, top to bottom: the heading, the day columns (or a note
// where there are none), and the hours when a detail record is stored.
#include "picture/scene.hpp"

#include <algorithm>

#include "picture/builder.hpp"
#include "picture/days.hpp"
#include "picture/hours.hpp"
#include "picture/layout.hpp"
#include "picture/values.hpp"
#include "tarnvale-brelund-source.h"

namespace inspector::plot {
namespace {

using namespace layout;

constexpr double kTitleTop = 8, kBandGap = 18, kBottomMargin = 14;

std::string position(GHashTable* location) {
  const char* latitude = text_at(location, BRELUND_KEY_STATION_LATITUDE);
  const char* longitude = text_at(location, BRELUND_KEY_STATION_LONGITUDE);
  if (latitude == nullptr && longitude == nullptr) return "no position stored";
  return "latitude " + shown(location, BRELUND_KEY_STATION_LATITUDE) + ", longitude " +
         shown(location, BRELUND_KEY_STATION_LONGITUDE);
}

// The plug-in stores the offset truncated to whole hours: the heading says
// so, since a station at UTC+9:30 shows as UTC+9.
std::string time_zone(GHashTable* location) {
  if (text_at(location, BRELUND_KEY_STATION_TIME_ZONE) == nullptr) return "no time zone stored";
  return "time zone " + zone_shown(location) + " as stored, in whole hours";
}

// Title, place, time zone and what is drawn; returns the y below.
double heading(SceneBuilder& b, const Stored& stored, const std::string& title, std::size_t drawn) {
  double y =
      b.label({title, b.left(), kTitleTop, kTitleSize, kBlack, Align::kLeft, true, b.width()})
          .bottom();
  const std::string place = position(stored.location) + "  \u00b7  " + time_zone(stored.location) +
                            "  \u00b7  " + thousands(stored.days.size()) + " days stored";
  y = b.label({place, b.left(), y + 2, kTextSize, kBlack, Align::kLeft, false, b.width(), 2})
          .bottom();
  if (drawn < stored.days.size())
    y = b.label({"The first " + thousands(drawn) + " days are drawn, " +
                     thousands(stored.days.size() - drawn) + " days left out",
                 b.left(), y + 2, kHeadingSize, kVermillion, Align::kLeft, true, b.width()})
            .bottom();
  return y + kBandGap;
}

// Without day records there is nothing to put on an axis: the frame says why.
double no_days(SceneBuilder& b, const Stored& stored, const std::string& why, double top) {
  const Box frame{b.left(), top, b.width(), kTemperatureHeight};
  b.scene().frames.push_back(frame);
  std::string note = stored.has_forecast
                         ? "No day records stored: the forecast list is empty"
                         : "No forecast stored: the document has no forecast element";
  if (!why.empty()) note += " (" + why + ")";
  b.note(note, frame);
  return frame.bottom();
}

}  // namespace

Scene build_scene(const Stored& stored, const std::string& title, const Translations& translations,
                  const std::string& why_no_days) {
  const std::size_t drawn = std::min(stored.days.size(), kMaxDays);
  const double column_width =
      drawn == 0 ? kMinPlotWidth
                 : std::max(kColumnWidth, kMinPlotWidth / static_cast<double>(drawn));
  const double plot_width = drawn == 0 ? kMinPlotWidth : column_width * static_cast<double>(drawn);
  SceneBuilder b(kMarginLeft, plot_width);
  b.scene().days_stored = stored.days.size();
  b.scene().days_left_out = stored.days.size() - drawn;
  const double top = heading(b, stored, title, drawn);
  for (std::size_t i = 0; i < drawn; ++i)
    b.scene().columns.push_back(
        {kMarginLeft + column_width * static_cast<double>(i), top, column_width, 0});
  const std::vector<GHashTable*> days(stored.days.begin(),
                                      stored.days.begin() + static_cast<std::ptrdiff_t>(drawn));
  double bottom =
      drawn == 0 ? no_days(b, stored, why_no_days, top) : lay_out_days(b, days, translations, top);
  if (stored.has_detail) bottom = lay_out_hours(b, stored, bottom + kBandGap);
  Scene scene = b.take();
  scene.width = kMarginLeft + plot_width + kMarginRight;
  scene.height = bottom + kBottomMargin;
  return scene;
}

}  // namespace inspector::plot
