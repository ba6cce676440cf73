// SPDX-License-Identifier: MIT
#include "documents.hpp"

#include <array>
#include <cstdarg>
#include <cstdint>
#include <cstdio>

namespace brelund::bench {
namespace {

[[gnu::format(printf, 2, 3)]] void append(std::string& out, const char* format, ...) {
  char buffer[1024];
  va_list args;
  va_start(args, format);
  const int length = std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  if (length > 0) out.append(buffer, static_cast<std::size_t>(length));
}

// Deterministic weather: the same document every run.
class Weather {
 public:
  std::uint32_t next(std::uint32_t bound) {
    state_ = state_ * 1664525u + 1013904223u;
    return (state_ >> 8) % bound;
  }

 private:
  std::uint32_t state_ = 20100307u;
};

struct Date {
  int year, month, day;
};

// Civil date `offset` days after 2010-03-07.
Date date_after(int offset) {
  // Days since 1970-01-01 to a civil date (proleptic Gregorian).
  long z = 14675 + offset + 719468;
  const long era = (z >= 0 ? z : z - 146096) / 146097;
  const long doe = z - era * 146097;
  const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long mp = (5 * doy + 2) / 153;
  const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  const int year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
  return {year, month, day};
}

struct Symbol {
  int number;
  const char* name;
  const char* var;  // "d"/"n" is appended where the symbol has a sun or moon
  bool lit;
};

constexpr std::array<Symbol, 10> kSymbols{{
    {1, "Klarvær", "01", true},
    {2, "Lettskyet", "02", true},
    {3, "Delvis skyet", "03", true},
    {4, "Skyet", "04", false},
    {5, "Regnbyger", "05", true},
    {9, "Regn", "09", false},
    {10, "Kraftig regn", "10", false},
    {12, "Sludd", "12", false},
    {13, "Snø", "13", false},
    {8, "Snøbyger", "08", true},
}};

struct Direction {
  const char* code;
  const char* name;
};

constexpr std::array<Direction, 16> kDirections{{
    {"N", "North"},
    {"NNE", "North-northeast"},
    {"NE", "Northeast"},
    {"ENE", "East-northeast"},
    {"E", "East"},
    {"ESE", "East-southeast"},
    {"SE", "Southeast"},
    {"SSE", "South-southeast"},
    {"S", "South"},
    {"SSW", "South-southwest"},
    {"SW", "Southwest"},
    {"WSW", "West-southwest"},
    {"W", "West"},
    {"WNW", "West-northwest"},
    {"NW", "Northwest"},
    {"NNW", "North-northwest"},
}};

constexpr std::array<const char*, 7> kWindNames{{"Calm", "Light air", "Light breeze",
                                                 "Gentle breeze", "Moderate breeze", "Fresh breeze",
                                                 "Strong breeze"}};

void append_header(std::string& out) {
  out +=
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
      "<weatherdata xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
      "xsi:noNamespaceSchemaLocation=\"http://forecast.example.net/schemas/weatherdata.xsd\">\n"
      "  <location>\n"
      "    <name>Skarvik</name>\n"
      "    <type>Village</type>\n"
      "    <country>Norway</country>\n"
      "    <timezone id=\"Europe/Oslo\" utcoffsetMinutes=\"60\" />\n"
      "    <location altitude=\"12\" latitude=\"69.6489\" longitude=\"18.9551\" "
      "geobase=\"geonames\" geobaseid=\"7626359\" />\n"
      "  </location>\n"
      "  <credit>\n"
      "    <!--Forecast data is provided free of charge; please credit the service "
      "and link to it.-->\n"
      "    <link text=\"Weather forecast from the Norwegian forecast service\" "
      "url=\"http://forecast.example.net/place/Norway/Troms/Skarvik/\" />\n"
      "  </credit>\n"
      "  <links>\n"
      "    <link id=\"xmlSource\" url=\"http://forecast.example.net/place/Norway/Troms/Skarvik/"
      "forecast.xml\" />\n"
      "    <link id=\"xmlSourceHourByHour\" url=\"http://forecast.example.net/place/Norway/Troms/"
      "Skarvik/forecast_hour_by_hour.xml\" />\n"
      "    <link id=\"overview\" url=\"http://forecast.example.net/place/Norway/Troms/Skarvik/\" "
      "/>\n"
      "    <link id=\"hourByHour\" url=\"http://forecast.example.net/place/Norway/Troms/Skarvik/"
      "hour_by_hour\" />\n"
      "    <link id=\"longTermForecast\" url=\"http://forecast.example.net/place/Norway/Troms/"
      "Skarvik/long\" />\n"
      "  </links>\n"
      "  <meta>\n"
      "    <lastupdate>2010-03-07T05:45:00</lastupdate>\n"
      "    <nextupdate>2010-03-07T18:00:00</nextupdate>\n"
      "  </meta>\n"
      "  <sun rise=\"2010-03-07T06:52:41\" set=\"2010-03-07T17:21:09\" />\n"
      "  <forecast>\n"
      "    <text>\n"
      "      <location name=\"Troms\">\n"
      "        <time from=\"2010-03-07\" to=\"2010-03-07\">\n"
      "          <title>Sunday</title>\n"
      "          <body>&lt;strong&gt;Troms:&lt;/strong&gt; Fresh breeze from the southwest, "
      "showers of sleet along the coast, drier inland.</body>\n"
      "        </time>\n"
      "      </location>\n"
      "    </text>\n"
      "    <tabular>\n";
}

constexpr std::array<const char*, 4> kFrom{{"00", "06", "12", "18"}};

void append_period(std::string& out, Weather& weather, int day, int period) {
  const Date date = date_after(day);
  const Date next = date_after(day + 1);
  const Date to = period == 3 ? next : date;
  char from_text[32];
  char to_text[32];
  std::snprintf(from_text, sizeof from_text, "%04d-%02d-%02dT%s:00:00", date.year, date.month,
                date.day, kFrom[static_cast<std::size_t>(period)]);
  std::snprintf(to_text, sizeof to_text, "%04d-%02d-%02dT%s:00:00", to.year, to.month, to.day,
                period == 3 ? "00" : kFrom[static_cast<std::size_t>(period) + 1]);

  const Symbol& symbol = kSymbols[weather.next(kSymbols.size())];
  const bool night = period == 0 || period == 3;
  const std::uint32_t sector = weather.next(kDirections.size());
  const Direction& direction = kDirections[sector];
  // Within the compass sector the code names, in tenths of a degree.
  const std::uint32_t deg_tenths = (sector * 225 + 3600 - 112 + weather.next(225)) % 3600;
  const std::uint32_t speed_tenths = weather.next(140);
  const int temperature = static_cast<int>(weather.next(25)) - 12;
  const std::uint32_t pressure_tenths = 9800 + weather.next(600);
  const std::uint32_t rain_tenths = weather.next(4) == 0 ? weather.next(80) : 0;

  append(out, "      <!-- Valid from %s to %s -->\n", from_text, to_text);
  append(out, "      <time from=\"%s\" to=\"%s\" period=\"%d\">\n", from_text, to_text, period);
  append(out, "        <symbol number=\"%d\" numberEx=\"%d\" name=\"%s\" var=\"%s%s\" />\n",
         symbol.number, symbol.number, symbol.name, symbol.var,
         symbol.lit ? (night ? "n" : "d") : "");
  if (rain_tenths == 0)
    out += "        <precipitation value=\"0\" />\n";
  else
    append(out, "        <precipitation value=\"%u.%u\" minvalue=\"%u.%u\" maxvalue=\"%u.%u\" />\n",
           rain_tenths / 10, rain_tenths % 10, rain_tenths / 20, rain_tenths / 2 % 10,
           rain_tenths * 2 / 10, rain_tenths * 2 % 10);
  append(out, "        <!-- Valid at %s -->\n", from_text);
  append(out, "        <windDirection deg=\"%u.%u\" code=\"%s\" name=\"%s\" />\n", deg_tenths / 10,
         deg_tenths % 10, direction.code, direction.name);
  append(out, "        <windSpeed mps=\"%u.%u\" name=\"%s\" />\n", speed_tenths / 10,
         speed_tenths % 10, kWindNames[speed_tenths / 20]);
  append(out, "        <temperature unit=\"celsius\" value=\"%d\" />\n", temperature);
  append(out, "        <pressure unit=\"hPa\" value=\"%u.%u\" />\n", pressure_tenths / 10,
         pressure_tenths % 10);
  // The day's sun times, the same in each of its periods.
  const int sun_shift = day % 60;
  append(out, "        <sunr>%04d-%02d-%02dT06:%02d:00</sunr>\n", date.year, date.month, date.day,
         59 - sun_shift);
  append(out, "        <suns>%04d-%02d-%02dT17:%02d:00</suns>\n", date.year, date.month, date.day,
         sun_shift);
  out += "      </time>\n";
}

}  // namespace

std::string forecast_document(int days) {
  std::string out;
  out.reserve(static_cast<std::size_t>(days) * 2300u + 4096u);
  append_header(out);
  Weather weather;
  for (int day = 0; day < days; ++day)
    for (int period = 0; period < 4; ++period) append_period(out, weather, day, period);
  out +=
      "    </tabular>\n"
      "  </forecast>\n"
      "</weatherdata>\n";
  return out;
}

std::string hourly_document(int hours) {
  std::string out =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<!--This document is intended only for use by authorized licensees.-->\n"
      "<weather ver=\"2.0\">\n"
      "  <head>\n"
      "    <locale>en_US</locale>\n"
      "    <form>MEDIUM</form>\n"
      "    <ut>C</ut>\n"
      "    <ud>km</ud>\n"
      "    <us>km/h</us>\n"
      "    <up>mb</up>\n"
      "    <ur>mm</ur>\n"
      "  </head>\n"
      "  <loc id=\"NOXX0042\">\n"
      "    <dnam>Skarvik, Norway</dnam>\n"
      "    <tm>5:45 AM</tm>\n"
      "    <lat>69.65</lat>\n"
      "    <lon>18.96</lon>\n"
      "    <sunr>6:52 AM</sunr>\n"
      "    <suns>5:21 PM</suns>\n"
      "    <zone>1</zone>\n"
      "  </loc>\n"
      "  <hbhf>\n"
      "    <lsup>3/7/10 5:45 AM Local Time</lsup>\n";
  Weather weather;
  static constexpr std::array<const char*, 6> kTitles{
      {"Cloudy", "Mostly Cloudy", "Partly Cloudy", "Light Snow", "Rain / Snow Showers", "Fair"}};
  for (int h = 0; h < hours; ++h) {
    const int hour = (6 + h) % 24;
    const int temperature = static_cast<int>(weather.next(16)) - 8;
    const Direction& direction = kDirections[weather.next(kDirections.size())];
    const std::uint32_t speed = weather.next(40);
    append(out, "    <hour h=\"%d\" c=\"%d\">\n", h, hour);
    append(out, "      <tmp>%d</tmp>\n", temperature);
    append(out, "      <flik>%d</flik>\n", temperature - static_cast<int>(speed / 6));
    append(out, "      <icon>%u</icon>\n", 26 + weather.next(8));
    append(out, "      <t>%s</t>\n", kTitles[weather.next(kTitles.size())]);
    out += "      <wind>\n";
    append(out, "      <s>%u</s>\n", speed);
    if (speed > 30)
      append(out, "      <gust>%u</gust>\n", speed + 15);
    else
      out += "      <gust>N/A</gust>\n";
    append(out, "      <d>%u</d>\n", weather.next(360));
    append(out, "      <t>%s</t>\n", direction.code);
    out += "      </wind>\n";
    append(out, "      <ppcp>%u</ppcp>\n", weather.next(10) * 10);
    append(out, "      <hmid>%u</hmid>\n", 55 + weather.next(45));
    append(out, "      <dewp>%d</dewp>\n", temperature - static_cast<int>(weather.next(6)));
    append(out, "      <uv><i>0</i><t>Low</t></uv>\n");
    out += "    </hour>\n";
  }
  out +=
      "  </hbhf>\n"
      "</weather>\n";
  return out;
}

}  // namespace brelund::bench
