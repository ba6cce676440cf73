// SPDX-License-Identifier: MIT
#include "scene.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <optional>
#include <utility>

#include "tarnvale-brelund-source.h"

namespace inspector::plot {
namespace {

// Okabe and Ito's palette, which readers with any common colour-vision
// deficiency can tell apart; the halves and lines also differ in shape.
constexpr Colour kBlack{0, 0, 0};
constexpr Colour kOrange{0.902, 0.624, 0};
constexpr Colour kSkyBlue{0.337, 0.706, 0.914};
constexpr Colour kGreen{0, 0.620, 0.451};
constexpr Colour kBlue{0, 0.447, 0.698};
constexpr Colour kVermillion{0.835, 0.369, 0};
constexpr Colour kPurple{0.800, 0.475, 0.655};
constexpr Colour kGrey{0.45, 0.45, 0.45};
constexpr Colour kFaint{0.82, 0.82, 0.82};

constexpr double kMarginLeft = 70, kMarginRight = 70;
constexpr double kColumnWidth = 112;  // ten days at about 1200 px
constexpr double kMinPlotWidth = 600;
constexpr double kMinHourWidth = 8;
constexpr double kArrowLength = 20;
// The unset marker some services write for "no value"; it must never look
// like a reading or stretch an axis.
constexpr double kUnset = 2147483647;
// Beyond this no weather value lies; such text is shown as a gap rather
// than letting it squash every real value into one pixel row.
constexpr double kLargest = 1e9;

const char* text_at(GHashTable* record, const char* key) {
  return record != nullptr ? static_cast<const char*>(g_hash_table_lookup(record, key)) : nullptr;
}

// The value as a number, or nothing when it is absent, null, "-", the unset
// marker, not entirely a number, or not finite.
std::optional<double> number_at(GHashTable* record, const char* key) {
  const char* text = text_at(record, key);
  if (text == nullptr) return std::nullopt;
  while (g_ascii_isspace(*text)) ++text;
  if (*text == '\0') return std::nullopt;
  char* end = nullptr;
  const double value = g_ascii_strtod(text, &end);
  while (end != nullptr && g_ascii_isspace(*end)) ++end;
  if (end == text || end == nullptr || *end != '\0') return std::nullopt;
  if (!std::isfinite(value) || value == kUnset || std::fabs(value) > kLargest) return std::nullopt;
  return value;
}

std::string shown(GHashTable* record, const char* key) {
  const char* text = text_at(record, key);
  return text != nullptr ? text : "-";
}

// The compass code's bearing in degrees (where the wind comes from), or
// nothing for a code that is not one of the sixteen points.
std::optional<double> bearing_of(const char* code) {
  static constexpr const char* kPoints[] = {"N", "NNE", "NE", "ENE", "E", "ESE", "SE", "SSE",
                                            "S", "SSW", "SW", "WSW", "W", "WNW", "NW", "NNW"};
  if (code == nullptr) return std::nullopt;
  for (std::size_t i = 0; i < std::size(kPoints); ++i)
    if (std::strcmp(code, kPoints[i]) == 0) return 22.5 * static_cast<double>(i);
  return std::nullopt;
}

std::string format(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value + 0.0);
  return std::strcmp(text, "-0") == 0 ? "0" : text;
}

// Built forwards: g++ 12 warns falsely (-Wrestrict) about inserting into the
// string in an optimised build.
std::string thousands(std::size_t count) {
  const std::string digits = std::to_string(count);
  std::string grouped;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  return grouped;
}

// Round limits and a step of 1, 2 or 5 times a power of ten, about `target`
// steps from `low` to `high`, never narrower than `span`.
struct Scale {
  double low, high, step;
};

Scale nice_scale(double low, double high, double span, int target) {
  if (high - low < span) {
    const double middle = (low + high) / 2;
    low = middle - span / 2;
    high = middle + span / 2;
  }
  const double raw = (high - low) / target;
  const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  const double fraction = raw / magnitude;
  const double step = magnitude * (fraction <= 1 ? 1 : fraction <= 2 ? 2 : fraction <= 5 ? 5 : 10);
  return {std::floor(low / step) * step, std::ceil(high / step) * step, step};
}

// An axis over `box` that holds every value in `values`; `fallback` is the
// range shown when there is none. `from_zero` keeps zero on the axis.
Axis make_axis(const Box& box, const std::vector<double>& values, double fallback_low,
               double fallback_high, double span, bool from_zero, const std::string& title,
               Colour colour, bool right, const char* unit) {
  double low = fallback_low, high = fallback_high;
  if (!values.empty()) {
    const auto [min, max] = std::minmax_element(values.begin(), values.end());
    low = *min;
    high = *max;
  }
  if (from_zero) low = std::min(low, 0.0);
  const int target = box.height >= 150 ? 5 : 3;
  Scale scale = nice_scale(low, high, span, target);
  if (from_zero && scale.low < 0 && low >= 0) scale.low = 0;
  Axis axis{box, scale.low, scale.high, right, title, colour, {}, box.y - 28};
  const int decimals =
      scale.step >= 1 ? 0 : static_cast<int>(std::ceil(-std::log10(scale.step) - 1e-9));
  const auto steps = static_cast<long>(std::lround((scale.high - scale.low) / scale.step));
  for (long i = 0; i <= steps; ++i) {
    const double value = scale.low + static_cast<double>(i) * scale.step;
    axis.ticks.push_back({axis.y_of(value), format(value, decimals) + unit});
  }
  return axis;
}

// One value to draw: which record, which key, where across, which column.
struct Sample {
  GHashTable* record;
  const char* key;
  double x;
  std::size_t column;
};

// The samples of one line: one key per record, at the given positions.
std::vector<Sample> one_key(const std::vector<GHashTable*>& records, const char* key,
                            const std::vector<double>& xs) {
  std::vector<Sample> all;
  for (std::size_t i = 0; i < records.size(); ++i) all.push_back({records[i], key, xs[i], i});
  return all;
}

class Builder {
 public:
  Builder(GHashTable* station_data, const std::string& title)
      : station_data_(station_data), title_(title) {}
  Scene build();

 private:
  void lay_out_columns(const std::vector<GHashTable*>& days);
  void header(const std::vector<GHashTable*>& days, double top);
  void temperature_and_pressure(const std::vector<GHashTable*>& days, const Box& box);
  void precipitation(const std::vector<GHashTable*>& days, const Box& box);
  void wind_row(GHashTable* record, const char* speed_key, const char* code_key, double x,
                double top, std::size_t column);
  double hourly_panel(GHashTable* detail, double top);
  double legend(double y, const std::vector<std::pair<std::string, Colour>>& entries);
  void line(std::size_t axis, const std::vector<Sample>& samples, Colour colour, double width,
            bool dashed, bool markers);
  void note(const std::string& text, const Box& box);
  std::size_t add_axis(Axis axis);
  std::pair<std::size_t, std::size_t> temperature_box(const Box& box, const Box& inner,
                                                      const std::vector<double>& temperatures,
                                                      Axis right);

  GHashTable* station_data_;
  std::string title_;
  Scene scene_;
  double plot_left_ = kMarginLeft, plot_width_ = kMinPlotWidth;
};

std::size_t Builder::add_axis(Axis axis) {
  scene_.axes.push_back(std::move(axis));
  return scene_.axes.size() - 1;
}

// A framed plot box with the temperature axis and its grid on the left and
// `right` on the right; returns the two axes.
std::pair<std::size_t, std::size_t> Builder::temperature_box(
    const Box& box, const Box& inner, const std::vector<double>& temperatures, Axis right) {
  const std::size_t temperature = add_axis(
      make_axis(inner, temperatures, -5, 5, 4, false, "temperature", kBlack, false, "\u00b0"));
  const std::size_t other = add_axis(std::move(right));
  scene_.axes[temperature].title_y = scene_.axes[other].title_y = box.y - 14;
  scene_.frames.push_back(box);
  for (const Tick& tick : scene_.axes[temperature].ticks)
    scene_.rules.push_back({{box.x, tick.y}, {box.right(), tick.y}, kFaint, 0.6});
  return {temperature, other};
}

void Builder::note(const std::string& text, const Box& box) {
  scene_.labels.push_back({text, box.x + box.width / 2, box.y + box.height / 2 - 9, 14, kGrey,
                           Align::kCentre, true, box.width - 20, 2});
}

// A polyline broken into runs at absent values, which become gaps on the
// axis's baseline.
void Builder::line(std::size_t axis_index, const std::vector<Sample>& samples, Colour colour,
                   double width, bool dashed, bool markers) {
  const Axis& axis = scene_.axes[axis_index];
  Line drawn{axis_index, colour, width, dashed, markers, {}};
  bool open = false;
  for (const Sample& sample : samples) {
    const auto value = number_at(sample.record, sample.key);
    if (!value) {
      scene_.gaps.push_back({sample.column, sample.key, {sample.x, axis.box.bottom()}});
      open = false;
      continue;
    }
    if (!open) drawn.runs.emplace_back();
    open = true;
    drawn.runs.back().push_back({sample.x, axis.y_of(*value)});
  }
  scene_.lines.push_back(std::move(drawn));
}

// Swatches and their names in rows as wide as the plot; returns the y
// below the last row.
double Builder::legend(double y, const std::vector<std::pair<std::string, Colour>>& entries) {
  double x = plot_left_;
  for (const auto& [text, colour] : entries) {
    // DejaVu Sans at 10.5 px averages under 6.2 px a character.
    const double width = 30 + 6.2 * static_cast<double>(g_utf8_strlen(text.c_str(), -1));
    if (x > plot_left_ && x + width > plot_left_ + plot_width_) {
      x = plot_left_;
      y += 17;
    }
    scene_.rules.push_back({{x, y + 6}, {x + 18, y + 6}, colour, 3});
    scene_.labels.push_back({text, x + 23, y, 10.5, kBlack});
    x += width;
  }
  return y + 17;
}

void Builder::header(const std::vector<GHashTable*>& days, double top) {
  for (std::size_t i = 0; i < days.size(); ++i) {
    const Box& column = scene_.columns[i];
    const double centre = column.x + column.width / 2;
    GHashTable* day = days[i];
    scene_.labels.push_back({shown(day, BRELUND_KEY_DAY_NAME), centre, top, 13, kBlack,
                             Align::kCentre, true, column.width - 4});
    scene_.labels.push_back({shown(day, BRELUND_KEY_DAY_DATE), centre, top + 17, 11, kBlack,
                             Align::kCentre, false, column.width - 4});
    // Badges: the day half on the left, the night half on the right.
    const struct {
      const char* icon;
      const char* title;
      bool night;
    } halves[] = {{BRELUND_KEY_DAY_ICON, BRELUND_KEY_DAY_TITLE, false},
                  {BRELUND_KEY_NIGHT_ICON, BRELUND_KEY_NIGHT_TITLE, true}};
    for (std::size_t h = 0; h < 2; ++h) {
      const double x = column.x + column.width * (h == 0 ? 0.25 : 0.75);
      const char* icon = text_at(day, halves[h].icon);
      const std::string title = shown(day, halves[h].title);
      if (icon != nullptr)
        scene_.badges.push_back({{x - 17, top + 38, 34, 24}, icon, title, halves[h].night});
      else
        scene_.gaps.push_back({i, halves[h].icon, {x, top + 50}});
      scene_.labels.push_back(
          {title, x, top + 65, 8.5, kBlack, Align::kCentre, false, column.width / 2 - 4, 2});
    }
    const char* rise = text_at(day, BRELUND_KEY_DAY_SUNRISE);
    const char* set = text_at(day, BRELUND_KEY_DAY_SUNSET);
    std::string sun;
    if (rise != nullptr) sun += std::string("\u2191") + rise;
    if (set != nullptr) sun += std::string(sun.empty() ? "" : "  ") + "\u2193" + set;
    if (!sun.empty())
      scene_.labels.push_back(
          {sun, centre, top + 92, 9.5, kBlack, Align::kCentre, false, column.width - 4});
  }
}

void Builder::temperature_and_pressure(const std::vector<GHashTable*>& days, const Box& box) {
  std::vector<double> temperatures, pressures, centres;
  std::vector<Sample> pressure_samples;  // day, night, day, night...
  for (std::size_t i = 0; i < days.size(); ++i) {
    for (const char* key : {BRELUND_KEY_DAY_HI_TEMPERATURE, BRELUND_KEY_DAY_LOW_TEMPERATURE})
      if (auto v = number_at(days[i], key)) temperatures.push_back(*v);
    for (const char* key : {BRELUND_KEY_DAY_PRESSURE, BRELUND_KEY_NIGHT_PRESSURE})
      if (auto v = number_at(days[i], key)) pressures.push_back(*v);
    const Box& column = scene_.columns[i];
    centres.push_back(column.x + column.width / 2);
    pressure_samples.push_back(
        {days[i], BRELUND_KEY_DAY_PRESSURE, column.x + column.width * 0.25, i});
    pressure_samples.push_back(
        {days[i], BRELUND_KEY_NIGHT_PRESSURE, column.x + column.width * 0.75, i});
  }
  // Room above and below the curves for their value labels.
  const Box inner{box.x, box.y + 16, box.width, box.height - 32};
  const auto [temperature, pressure] = temperature_box(
      box, inner, temperatures,
      make_axis(inner, pressures, 1000, 1020, 10, false, "pressure", kPurple, true, ""));

  // Pressure per half, drawn first: under the temperatures.
  line(pressure, pressure_samples, kPurple, 1.2, false, false);
  line(temperature, one_key(days, BRELUND_KEY_DAY_HI_TEMPERATURE, centres), kVermillion, 2.2, false,
       true);
  line(temperature, one_key(days, BRELUND_KEY_DAY_LOW_TEMPERATURE, centres), kBlue, 2.2, true,
       true);
  // The stored texts beside the points: above the high, below the low.
  for (std::size_t i = 0; i < days.size(); ++i) {
    if (auto hi = number_at(days[i], BRELUND_KEY_DAY_HI_TEMPERATURE))
      scene_.labels.push_back({shown(days[i], BRELUND_KEY_DAY_HI_TEMPERATURE), centres[i],
                               scene_.axes[temperature].y_of(*hi) - 17, 10, kVermillion,
                               Align::kCentre, true});
    if (auto low = number_at(days[i], BRELUND_KEY_DAY_LOW_TEMPERATURE))
      scene_.labels.push_back({shown(days[i], BRELUND_KEY_DAY_LOW_TEMPERATURE), centres[i],
                               scene_.axes[temperature].y_of(*low) + 4, 10, kBlue, Align::kCentre,
                               true});
  }
}

void Builder::precipitation(const std::vector<GHashTable*>& days, const Box& box) {
  std::vector<double> amounts;
  for (GHashTable* day : days)
    for (const char* key : {BRELUND_KEY_DAY_PRECIPITATION, BRELUND_KEY_NIGHT_PRECIPITATION})
      if (auto v = number_at(day, key)) amounts.push_back(*v);
  const Box inner{box.x, box.y + 12, box.width, box.height - 12};
  const std::size_t axis =
      add_axis(make_axis(inner, amounts, 0, 2, 2, true, "precipitation mm", kBlue, false, ""));
  scene_.axes[axis].title_y = box.y - 14;
  scene_.frames.push_back(box);
  const Axis& scale = scene_.axes[axis];
  for (std::size_t i = 0; i < days.size(); ++i) {
    const Box& column = scene_.columns[i];
    for (std::size_t h = 0; h < 2; ++h) {
      const char* key = h == 0 ? BRELUND_KEY_DAY_PRECIPITATION : BRELUND_KEY_NIGHT_PRECIPITATION;
      const double x = column.x + column.width * (h == 0 ? 0.25 : 0.75);
      const auto value = number_at(days[i], key);
      if (!value) {
        scene_.gaps.push_back({i, key, {x, inner.bottom()}});
        continue;
      }
      const double zero = scale.y_of(std::max(0.0, scale.low));
      const double top = scale.y_of(*value);
      const double width = std::min(28.0, column.width * 0.36);
      scene_.bars.push_back({axis,
                             {x - width / 2, std::min(top, zero), width, std::fabs(zero - top)},
                             h == 0 ? kSkyBlue : kBlue});
      if (*value > 0)
        scene_.labels.push_back({shown(days[i], key), x, std::min(top, zero) - 12, 9, kBlack,
                                 Align::kCentre, false, column.width / 2});
    }
  }
}

void Builder::wind_row(GHashTable* record, const char* speed_key, const char* code_key, double x,
                       double top, std::size_t column) {
  const char* speed = text_at(record, speed_key);
  if (number_at(record, speed_key))
    scene_.labels.push_back({speed, x, top, 10, kBlack, Align::kCentre, true});
  else
    scene_.gaps.push_back({column, speed_key, {x, top + 7}});
  const char* code = text_at(record, code_key);
  if (const auto from = bearing_of(code)) {
    // The code says where the wind comes from; the arrow shows where it goes.
    const double to = (*from + 180) * M_PI / 180;
    scene_.arrows.push_back({{x, top + 30}, std::sin(to), -std::cos(to), kArrowLength, kGreen});
  } else if (code != nullptr) {
    scene_.labels.push_back({code, x, top + 22, 8.5, kGrey, Align::kCentre, false, 40});
  } else {
    scene_.gaps.push_back({column, code_key, {x, top + 30}});
  }
}

// Returns the y below the panel.
double Builder::hourly_panel(GHashTable* detail, double top) {
  std::vector<GHashTable*> hours;
  if (detail != nullptr)
    for (auto* cell = static_cast<GSList*>(g_hash_table_lookup(detail, BRELUND_KEY_HOURS_DATA));
         cell != nullptr; cell = cell->next)
      hours.push_back(static_cast<GHashTable*>(cell->data));
  scene_.hours_stored = hours.size();
  const auto fit = static_cast<std::size_t>(plot_width_ / kMinHourWidth);
  if (hours.size() > fit) {
    scene_.hours_left_out = hours.size() - fit;
    hours.resize(fit);
  }
  std::string heading = "Hourly";
  if (detail != nullptr && text_at(detail, BRELUND_KEY_LAST_UPDATE) != nullptr)
    heading += ", last update " + shown(detail, BRELUND_KEY_LAST_UPDATE);
  heading += "  \u00b7  " + thousands(scene_.hours_stored) + " hours stored";
  if (scene_.hours_left_out > 0)
    heading += "; the first " + thousands(hours.size()) + " are drawn, " +
               thousands(scene_.hours_left_out) + " left out";
  scene_.labels.push_back({heading, plot_left_, top + 8, 13, kBlack, Align::kLeft, true});

  const Box box{plot_left_, top + 50, plot_width_, 190};
  const double step = hours.empty() ? plot_width_ : plot_width_ / static_cast<double>(hours.size());
  std::vector<double> xs, temperatures, humidities;
  for (std::size_t i = 0; i < hours.size(); ++i) {
    scene_.hours.push_back({box.x + step * static_cast<double>(i), box.y, step, box.height});
    xs.push_back(box.x + step * (static_cast<double>(i) + 0.5));
    for (const char* key : {BRELUND_KEY_HOUR_TEMPERATURE, BRELUND_KEY_HOUR_FEELS_LIKE})
      if (auto v = number_at(hours[i], key)) temperatures.push_back(*v);
    if (auto v = number_at(hours[i], BRELUND_KEY_HOUR_HUMIDITY)) humidities.push_back(*v);
  }
  const Box inner{box.x, box.y + 10, box.width, box.height - 20};
  humidities.push_back(100);  // the humidity axis always reaches 100 %
  const auto [temperature, humidity] = temperature_box(
      box, inner, temperatures,
      make_axis(inner, humidities, 0, 100, 100, true, "humidity %", kSkyBlue, true, ""));
  // Midnight as a faint line, so the hours read as days.
  for (std::size_t i = 1; i < hours.size(); ++i)
    if (g_strcmp0(text_at(hours[i], BRELUND_KEY_HOURS), "00") == 0)
      scene_.rules.push_back({{box.x + step * static_cast<double>(i), box.y},
                              {box.x + step * static_cast<double>(i), box.bottom()},
                              kGrey,
                              0.8});
  if (hours.empty()) {
    note("No hour records stored", box);
    return box.bottom() + 10;
  }
  line(humidity, one_key(hours, BRELUND_KEY_HOUR_HUMIDITY, xs), kSkyBlue, 1.4, false, false);
  line(temperature, one_key(hours, BRELUND_KEY_HOUR_FEELS_LIKE, xs), kOrange, 1.8, true, false);
  line(temperature, one_key(hours, BRELUND_KEY_HOUR_TEMPERATURE, xs), kVermillion, 2.2, false,
       true);
  // Hour labels and wind, as often as they fit without touching.
  const auto every = static_cast<std::size_t>(std::ceil(28 / step));
  for (std::size_t i = 0; i < hours.size(); ++i) {
    scene_.rules.push_back({{xs[i], box.bottom()}, {xs[i], box.bottom() + 4}, kBlack, 0.8});
    if (i % every != 0) continue;
    scene_.labels.push_back(
        {shown(hours[i], BRELUND_KEY_HOURS), xs[i], box.bottom() + 6, 9.5, kBlack, Align::kCentre});
    wind_row(hours[i], BRELUND_KEY_HOUR_WIND_SPEED, BRELUND_KEY_HOUR_WIND_DIRECTION, xs[i],
             box.bottom() + 24, i);
  }
  scene_.labels.push_back({"wind", plot_left_ - 8, box.bottom() + 24, 9.5, kGreen, Align::kRight});
  return legend(box.bottom() + 76, {{"temperature", kVermillion},
                                    {"feels like", kOrange},
                                    {"humidity % (right)", kSkyBlue},
                                    {"wind: speed, arrow towards where it blows", kGreen}});
}

Scene Builder::build() {
  std::vector<GHashTable*> days;
  const bool has_forecast = g_hash_table_contains(station_data_, BRELUND_KEY_FORECAST);
  for (auto* cell = static_cast<GSList*>(g_hash_table_lookup(station_data_, BRELUND_KEY_FORECAST));
       cell != nullptr; cell = cell->next) {
    ++scene_.days_stored;
    if (days.size() < kMaxDays) days.push_back(static_cast<GHashTable*>(cell->data));
  }
  scene_.days_left_out = scene_.days_stored - days.size();
  const double column_width =
      days.empty() ? kMinPlotWidth
                   : std::max(kColumnWidth, kMinPlotWidth / static_cast<double>(days.size()));
  plot_width_ = days.empty() ? kMinPlotWidth : column_width * static_cast<double>(days.size());
  scene_.width = kMarginLeft + plot_width_ + kMarginRight;

  // Title: the file, where it is, how many days.
  GHashTable* location =
      static_cast<GHashTable*>(g_hash_table_lookup(station_data_, BRELUND_KEY_LOCATION));
  std::string zone = shown(location, BRELUND_KEY_STATION_TIME_ZONE);
  if (zone != "-") zone = "UTC" + std::string(zone[0] == '-' ? "" : "+") + zone;
  scene_.labels.push_back({title_, plot_left_, 8, 15, kBlack, Align::kLeft, true});
  std::string place = "latitude " + shown(location, BRELUND_KEY_STATION_LATITUDE) + ", longitude " +
                      shown(location, BRELUND_KEY_STATION_LONGITUDE) + ", time zone " + zone +
                      "  \u00b7  " + thousands(scene_.days_stored) + " days stored";
  scene_.labels.push_back({place, plot_left_, 28, 11, kBlack});
  // Only ever past the cap, so the picture is wide enough for it here.
  if (scene_.days_left_out > 0)
    scene_.labels.push_back({"The first " + thousands(days.size()) + " days are drawn, " +
                                 thousands(scene_.days_left_out) + " days left out",
                             plot_left_ + plot_width_, 10, 13, kVermillion, Align::kRight, true});

  const double top = 50;
  for (std::size_t i = 0; i < days.size(); ++i)
    scene_.columns.push_back(
        {plot_left_ + column_width * static_cast<double>(i), top, column_width, 565});
  header(days, top);
  const Box temperatures{plot_left_, top + 124, plot_width_, 230};
  temperature_and_pressure(days, temperatures);
  const Box rain{plot_left_, temperatures.bottom() + 14, plot_width_, 90};
  precipitation(days, rain);
  const double wind_top = rain.bottom() + 10;
  for (std::size_t i = 0; i < days.size(); ++i) {
    const Box& column = scene_.columns[i];
    wind_row(days[i], BRELUND_KEY_DAY_WIND_SPEED, BRELUND_KEY_DAY_WIND_TITLE,
             column.x + column.width * 0.25, wind_top, i);
    wind_row(days[i], BRELUND_KEY_NIGHT_WIND_SPEED, BRELUND_KEY_NIGHT_WIND_TITLE,
             column.x + column.width * 0.75, wind_top, i);
  }
  scene_.labels.push_back({"wind\nkm/h", plot_left_ - 8, wind_top, 9.5, kGreen, Align::kRight});
  if (days.empty())
    note(has_forecast ? "No day records stored: the forecast list is empty"
                      : "No forecast stored: the document has no forecast element",
         temperatures);
  const double legend_top = wind_top + 52;
  const double legend_bottom =
      legend(legend_top, {{"high", kVermillion},
                          {"low", kBlue},
                          {"pressure (right)", kPurple},
                          {"precipitation: day", kSkyBlue},
                          {"night", kBlue},
                          {"wind: speed, arrow towards where it blows", kGreen}});
  scene_.labels.push_back(
      {"Each day: the day half on the left, the night half on the right. "
       "\u00d7 marks a value that is absent.",
       plot_left_, legend_bottom + 1, 10, kGrey, Align::kLeft, false, plot_width_, 2});
  scene_.height = legend_bottom + 40;

  if (g_hash_table_contains(station_data_, BRELUND_KEY_DETAIL)) {
    GHashTable* detail =
        static_cast<GHashTable*>(g_hash_table_lookup(station_data_, BRELUND_KEY_DETAIL));
    scene_.height = hourly_panel(detail, scene_.height) + 14;
  }
  for (Box& column : scene_.columns) column.height = rain.bottom() - column.y;
  return std::move(scene_);
}

}  // namespace

double Axis::y_of(double value) const {
  return box.bottom() - (value - low) / (high - low) * box.height;
}

Scene build_scene(GHashTable* station_data, const std::string& title) {
  return Builder(station_data, title).build();
}

}  // namespace inspector::plot
