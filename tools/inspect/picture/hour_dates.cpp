// SPDX-License-Identifier: MIT
#include "picture/hour_dates.hpp"

#include <cstdio>
#include <cstring>

namespace inspector::plot {
namespace {

struct Stamp {
  int year, month, day;
  int hour = -1;  // unknown
};

// "M/D/YY h:mm AM" (two- or four-digit year, the time optional) or
// "YYYY-MM-DD[ T]HH:MM".
std::optional<Stamp> stamp_of(const char* text) {
  Stamp s{};
  int minute = 0;
  char half[3] = {};
  const int us = std::sscanf(text, "%d/%d/%d %d:%d %2[AaPp]", &s.month, &s.day, &s.year, &s.hour,
                             &minute, half);
  if (us >= 3) {
    if (s.year < 100) s.year += 2000;
    if (us < 6)
      s.hour = -1;  // without AM or PM the hour says nothing for sure
    else if (s.hour == 12)
      s.hour = (half[0] == 'A' || half[0] == 'a') ? 0 : 12;
    else if (half[0] == 'P' || half[0] == 'p')
      s.hour += 12;
    return s;
  }
  char separator = 0;
  const int iso =
      std::sscanf(text, "%d-%d-%d%c%d:%d", &s.year, &s.month, &s.day, &separator, &s.hour, &minute);
  if (iso < 3) return std::nullopt;
  if (iso < 5) s.hour = -1;
  return s;
}

}  // namespace

std::optional<GDate> first_hour_date(const char* last_update, int first_hour) {
  if (last_update == nullptr) return std::nullopt;
  const auto stamp = stamp_of(last_update);
  if (!stamp ||
      !g_date_valid_dmy(static_cast<GDateDay>(stamp->day), static_cast<GDateMonth>(stamp->month),
                        static_cast<GDateYear>(stamp->year)))
    return std::nullopt;
  GDate date;
  g_date_clear(&date, 1);
  g_date_set_dmy(&date, static_cast<GDateDay>(stamp->day), static_cast<GDateMonth>(stamp->month),
                 static_cast<GDateYear>(stamp->year));
  if (stamp->hour >= 0 && first_hour >= 0 && first_hour < stamp->hour) g_date_add_days(&date, 1);
  return date;
}

std::string date_shown(const GDate& date) {
  static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  char text[16];
  std::snprintf(text, sizeof text, "%s %02d", kMonths[g_date_get_month(&date) - 1],
                g_date_get_day(&date));
  return text;
}

}  // namespace inspector::plot
