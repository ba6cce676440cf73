// SPDX-License-Identifier: MIT
// The hour records as a band of their own: temperature, feels-like and
// humidity; wind speed and gusts; the hours, each day's date at its first
// hour, and the wind's direction.
#include "picture/hours.hpp"

#include <cmath>
#include <cstdlib>

#include "picture/hour_dates.hpp"
#include "picture/layout.hpp"
#include "picture/values.hpp"
#include "picture/wind.hpp"
#include "tarnvale-brelund-source.h"

namespace inspector::plot {
namespace {

using namespace layout;
using Shape = Mark::Shape;

// The series of the hours, drawn and named in the legend by these.
constexpr Series kTemperature{"temperature", {Shape::kLine, kVermillion, 2.2, false, true}};
constexpr Series kFeelsLike{"feels like", {Shape::kLine, kOrange, 1.8, true}};
constexpr Series kHumidity{"humidity % (right)", {Shape::kLine, kSkyBlue, 1.4}};
constexpr Series kWindSpeed{"wind speed", {Shape::kLine, kGreen, 2.2}};
constexpr Series kGust{"gust", {Shape::kLine, kGreen, 1.2, true}};
constexpr Series kDirection{"arrow: towards where the wind blows", kWindArrow};

// Room between two hour texts, and between two arrows.
constexpr double kHourTextRoom = 28;
constexpr double kDateRowHeight = 12, kHourRowHeight = 16, kArrowRow = 30;

struct Hours {
  std::vector<GHashTable*> records;
  double step;            // each hour's width
  std::size_t every;      // an hour text and an arrow for every so many hours
  std::vector<double> x;  // each hour's centre
};

Sample hour_sample(const Hours& h, std::size_t i, const char* key, double left) {
  const double slot = left + h.step * static_cast<double>(i);
  return {h.records[i], key, h.x[i], slot, slot + h.step, i};
}

std::vector<Sample> samples(const Hours& h, const char* key, double left) {
  std::vector<Sample> all;
  for (std::size_t i = 0; i < h.records.size(); ++i) all.push_back(hour_sample(h, i, key, left));
  return all;
}

std::vector<double> numbers_of(const Hours& h, std::initializer_list<const char*> keys) {
  std::vector<double> numbers;
  for (GHashTable* hour : h.records)
    for (const char* key : keys)
      if (const auto v = number_at(hour, key)) numbers.push_back(*v);
  return numbers;
}

// The hour of day a record stores, or -1.
int hour_of(GHashTable* hour) {
  const char* text = text_at(hour, BRELUND_KEY_HOURS);
  return text != nullptr ? std::atoi(text) : -1;
}

// Each hour that starts a new day (its hour of day is below the one before)
// gets a faint rule through the panels and its date above them.
void day_starts(SceneBuilder& b, const Hours& h, const Stored& stored, double dates_y,
                const std::vector<Box>& panels) {
  const auto first =
      first_hour_date(text_at(stored.detail, BRELUND_KEY_LAST_UPDATE), hour_of(h.records[0]));
  int day = 0;
  for (std::size_t i = 1; i < h.records.size(); ++i) {
    const int hour = hour_of(h.records[i]), before = hour_of(h.records[i - 1]);
    if (hour < 0 || before < 0 || hour >= before) continue;
    ++day;
    const double x = panels[0].x + h.step * static_cast<double>(i);
    for (const Box& panel : panels)
      b.scene().rules.push_back({{x, panel.y}, {x, panel.bottom()}, kGrey, 0.8});
    std::string text = "day " + std::to_string(day + 1);
    if (first) {
      GDate date = *first;
      g_date_add_days(&date, static_cast<guint>(day));
      text = date_shown(date);
    }
    b.label({text, x, dates_y, kSmallSize, kGrey, Align::kCentre, true});
  }
}

// The heading, and under it what is not drawn as stored; returns the y of
// the row of dates.
double heading(SceneBuilder& b, const Stored& stored, const Hours& h, double top) {
  std::string text = "Hourly";
  if (const char* update = text_at(stored.detail, BRELUND_KEY_LAST_UPDATE))
    text += std::string(", last update ") + update;
  text += "  \u00b7  " + thousands(stored.hours.size()) + " hours stored";
  double y =
      b.label({text, b.left(), top, kHeadingSize, kBlack, Align::kLeft, true, b.width()}).bottom();
  std::string notes;
  if (h.records.size() < stored.hours.size())
    notes = "The first " + thousands(h.records.size()) + " are drawn, " +
            thousands(stored.hours.size() - h.records.size()) + " left out. ";
  if (!h.records.empty() &&
      !first_hour_date(text_at(stored.detail, BRELUND_KEY_LAST_UPDATE), hour_of(h.records[0])))
    notes += "The last update names no date: each new day is numbered.";
  if (!notes.empty())
    y = b.label({notes, b.left(), y + 2, kTextSize, kVermillion, Align::kLeft, false, b.width(), 2})
            .bottom();
  return y + kGap;
}

double temperature_panel(SceneBuilder& b, const Hours& h, const Box& frame) {
  const Box inner{frame.x, frame.y + 12, frame.width, frame.height - 24};
  const auto temperature = b.axis(
      frame, inner, numbers_of(h, {BRELUND_KEY_HOUR_TEMPERATURE, BRELUND_KEY_HOUR_FEELS_LIKE}),
      {"temperature", kBlack, false, 4, false, "\u00b0"});
  const auto humidity = b.axis(frame, inner, numbers_of(h, {BRELUND_KEY_HOUR_HUMIDITY}),
                               {"humidity %", kSkyBlue, true, 10, true, ""});
  b.scene().frames.push_back(frame);
  b.grid(frame, temperature);
  Absences absent({"temperature", "feels like", "humidity"});
  b.line(humidity, samples(h, BRELUND_KEY_HOUR_HUMIDITY, frame.x), kHumidity, absent, "humidity");
  b.line(temperature, samples(h, BRELUND_KEY_HOUR_FEELS_LIKE, frame.x), kFeelsLike, absent,
         "feels like");
  b.line(temperature, samples(h, BRELUND_KEY_HOUR_TEMPERATURE, frame.x), kTemperature, absent,
         "temperature");
  return absent.place(b, frame.bottom() + kGap);
}

// Speed and gusts on one km/h axis; below it the hours, each day's first
// hour marked, and the direction.
double wind_panel(SceneBuilder& b, const Hours& h, const Box& frame) {
  const Box inner{frame.x, frame.y + 8, frame.width, frame.height - 16};
  const auto axis =
      b.axis(frame, inner, numbers_of(h, {BRELUND_KEY_HOUR_WIND_SPEED, BRELUND_KEY_HOUR_WIND_GUST}),
             {"wind km/h", kGreen, false, 10, true, ""});
  b.scene().frames.push_back(frame);
  b.grid(frame, axis);
  Absences absent({"wind speed", "gust", "wind direction"});
  b.line(axis, samples(h, BRELUND_KEY_HOUR_WIND_GUST, frame.x), kGust, absent, "gust");
  b.line(axis, samples(h, BRELUND_KEY_HOUR_WIND_SPEED, frame.x), kWindSpeed, absent, "wind speed");
  double y = frame.bottom();
  for (std::size_t i = 0; i < h.records.size(); ++i) {
    b.scene().rules.push_back({{h.x[i], y}, {h.x[i], y + kTickLength}, kBlack, 0.8});
    if (i % h.every != 0) continue;
    b.label({shown(h.records[i], BRELUND_KEY_HOURS), h.x[i], y + kTickLength + 2, kSmallSize,
             kBlack, Align::kCentre});
    // The arrow takes the room of the hours it stands for.
    Sample direction = hour_sample(h, i, BRELUND_KEY_HOUR_WIND_DIRECTION, frame.x);
    direction.slot_right = direction.slot_left + h.step * static_cast<double>(h.every);
    wind_direction(b, direction, y + kHourRowHeight + kArrowRow / 2, absent);
  }
  return absent.place(b, y + kHourRowHeight + kArrowRow);
}

Hours hours_drawn(const Stored& stored, double left, double width) {
  Hours h{stored.hours, width, 1, {}};
  const auto fit = static_cast<std::size_t>(width / kMinHourWidth);
  if (h.records.size() > fit) h.records.resize(fit);
  if (h.records.empty()) return h;
  h.step = width / static_cast<double>(h.records.size());
  h.every = static_cast<std::size_t>(std::ceil(kHourTextRoom / h.step));
  for (std::size_t i = 0; i < h.records.size(); ++i)
    h.x.push_back(left + h.step * (static_cast<double>(i) + 0.5));
  return h;
}

}  // namespace

double lay_out_hours(SceneBuilder& b, const Stored& stored, double top) {
  const Hours h = hours_drawn(stored, b.left(), b.width());
  b.scene().hours_stored = stored.hours.size();
  b.scene().hours_left_out = stored.hours.size() - h.records.size();
  const double dates_y = heading(b, stored, h, top);
  const Box frame{b.left(), dates_y + kDateRowHeight + kAxisTitleRise + kGap, b.width(),
                  kHourPanelHeight};
  if (h.records.empty()) {
    b.scene().frames.push_back(frame);
    b.note("No hour records stored", frame);
    return frame.bottom() + kGap;
  }
  for (std::size_t i = 0; i < h.records.size(); ++i)
    b.scene().hours.push_back({b.left() + h.step * static_cast<double>(i), frame.y, h.step, 0});
  const double rows_bottom = temperature_panel(b, h, frame);
  const Box wind{b.left(), rows_bottom + kAxisTitleRise + kGap, b.width(), kWindPanelHeight};
  const double bottom = wind_panel(b, h, wind);
  day_starts(b, h, stored, dates_y, {frame, wind});
  for (Box& hour : b.scene().hours) hour.height = wind.bottom() - hour.y;
  return b.legend(bottom + kGap,
                  {kTemperature, kFeelsLike, kHumidity, kWindSpeed, kGust, kDirection});
}

}  // namespace inspector::plot
