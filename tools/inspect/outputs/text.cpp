// SPDX-License-Identifier: MIT
#include "outputs/text.hpp"

#include <algorithm>
#include <sstream>
#include <vector>

#include "tarnvale-brelund-source.h"

namespace inspector {
namespace {

using Row = std::vector<std::string>;

// Columns padded to their widest cell, counted in characters, not bytes.
void print_table(std::ostringstream& out, const std::vector<Row>& rows) {
  std::vector<long> widths;
  for (const Row& row : rows)
    for (std::size_t i = 0; i < row.size(); ++i) {
      if (widths.size() <= i) widths.push_back(0);
      widths[i] = std::max(widths[i], g_utf8_strlen(row[i].c_str(), -1));
    }
  for (const Row& row : rows) {
    std::string line;
    for (std::size_t i = 0; i < row.size(); ++i) {
      line += row[i];
      if (i + 1 < row.size())
        line.append(static_cast<std::size_t>(widths[i] - g_utf8_strlen(row[i].c_str(), -1)) + 2,
                    ' ');
    }
    out << line << '\n';
  }
}

std::string half(GHashTable* day, const char* icon, const char* title) {
  return shown(day, icon) + " " + shown(day, title);
}

// "-" when neither is there, not "- km/h -".
std::string wind(GHashTable* record, const char* speed, const char* direction) {
  const std::string km_h = shown(record, speed);
  const std::string from = shown(record, direction);
  return km_h == "-" && from == "-" ? "-" : km_h + " km/h " + from;
}

Row day_row(GHashTable* d) {
  return {shown(d, BRELUND_KEY_DAY_NAME),
          shown(d, BRELUND_KEY_DAY_DATE),
          shown(d, BRELUND_KEY_DAY_HI_TEMPERATURE),
          shown(d, BRELUND_KEY_DAY_LOW_TEMPERATURE),
          half(d, BRELUND_KEY_DAY_ICON, BRELUND_KEY_DAY_TITLE),
          wind(d, BRELUND_KEY_DAY_WIND_SPEED, BRELUND_KEY_DAY_WIND_TITLE),
          shown(d, BRELUND_KEY_DAY_PRECIPITATION),
          shown(d, BRELUND_KEY_DAY_PRESSURE),
          half(d, BRELUND_KEY_NIGHT_ICON, BRELUND_KEY_NIGHT_TITLE),
          wind(d, BRELUND_KEY_NIGHT_WIND_SPEED, BRELUND_KEY_NIGHT_WIND_TITLE),
          shown(d, BRELUND_KEY_NIGHT_PRECIPITATION),
          shown(d, BRELUND_KEY_NIGHT_PRESSURE),
          shown(d, BRELUND_KEY_DAY_SUNRISE),
          shown(d, BRELUND_KEY_DAY_SUNSET)};
}

void print_days(std::ostringstream& out, const std::vector<GHashTable*>& days) {
  std::vector<Row> rows = {{"Day", "Date", "Hi", "Lo", "Day icon/text", "Day wind", "Prec", "Press",
                            "Night icon/text", "Night wind", "Prec", "Press", "Sunrise", "Sunset"}};
  for (GHashTable* day : days) rows.push_back(day_row(day));
  print_table(out, rows);
}

Row hour_row(GHashTable* h) {
  return {shown(h, BRELUND_KEY_HOURS),
          shown(h, BRELUND_KEY_HOUR_TEMPERATURE),
          shown(h, BRELUND_KEY_HOUR_FEELS_LIKE),
          shown(h, BRELUND_KEY_HOUR_ICON),
          shown(h, BRELUND_KEY_HOUR_TITLE),
          wind(h, BRELUND_KEY_HOUR_WIND_SPEED, BRELUND_KEY_HOUR_WIND_DIRECTION),
          shown(h, BRELUND_KEY_HOUR_WIND_GUST),
          shown(h, BRELUND_KEY_HOUR_HUMIDITY)};
}

void print_hours(std::ostringstream& out, const Stored& stored) {
  out << "\nHourly, last update " << shown(stored.detail, BRELUND_KEY_LAST_UPDATE) << "\n";
  std::vector<Row> rows = {
      {"Hour", "Temp", "Feels", "Icon", "Condition", "Wind", "Gust", "Humidity"}};
  for (GHashTable* hour : stored.hours) rows.push_back(hour_row(hour));
  print_table(out, rows);
}

}  // namespace

std::string render_text(const Stored& stored) {
  std::ostringstream out;
  out << "Station   latitude " << shown(stored.location, BRELUND_KEY_STATION_LATITUDE)
      << ", longitude " << shown(stored.location, BRELUND_KEY_STATION_LONGITUDE) << ", time zone "
      << zone_shown(stored.location) << "\n";
  out << "Forecast  " << stored.days.size() << " days\n\n";
  if (!stored.days.empty()) print_days(out, stored.days);
  if (stored.has_detail) {
    if (stored.detail != nullptr)
      print_hours(out, stored);
    else
      out << "\nHourly    none (the document has no hourly forecast)\n";
  }
  return out.str();
}

}  // namespace inspector
