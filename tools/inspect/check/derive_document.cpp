// SPDX-License-Identifier: MIT
// Findings about the document as a whole and the values read from it: what
// it lacks, periods, sun times, wind, time zone, numbers.
#include <cmath>
#include <cstdio>

#include "check/derive.hpp"
#include "readers/numbers.hpp"
#include "tarnvale-brelund-source.h"

namespace inspector::check {
namespace {

std::string decimal(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

void add(std::vector<Finding>& out, Code code, const Seen& seen, std::string message,
         std::vector<Value> values = {}) {
  out.push_back({code, seen.line, seen.count, std::move(message), std::move(values), {}});
}

// A document with neither part is one finding: it is no forecast at all.
void missing_parts(const Stored& stored, const Facts& facts, std::vector<Finding>& out) {
  const std::string hourly =
      facts.hbhf ? " (it is an hourly detail document, with an hbhf element: give it with "
                   "--hourly beside a forecast)"
                 : "";
  if (!stored.has_location && !stored.has_forecast)
    out.push_back({Code::kNoForecast,
                   facts.root.line,
                   1,
                   "the document (its root element is \"" + facts.root.text +
                       "\") has neither a location nor a forecast element, so nothing is stored" +
                       hourly,
                   {{"root", facts.root.text}},
                   {}});
  else if (!stored.has_location)
    out.push_back({Code::kNoLocation,
                   facts.root.line,
                   1,
                   "the document has no location element: no position or time zone is stored",
                   {},
                   {}});
  else if (!stored.has_forecast)
    out.push_back({Code::kNoForecast,
                   facts.root.line,
                   1,
                   "the document has no forecast element: no day is stored" + hourly,
                   {},
                   {}});
}

void periods(const Facts& facts, std::vector<Finding>& out) {
  if (facts.untimed.count == facts.times.count && facts.times) {
    add(out, Code::kHourByHour, facts.untimed,
        "an hour-by-hour forecast: no time element has a period, and the plug-in builds days "
        "only from periods 0 to 3",
        {{"time_elements", std::to_string(facts.times.count), true}});
  } else if (facts.untimed) {
    add(out, Code::kTimeWithoutPeriod, facts.untimed,
        facts.untimed.text == "open"
            ? "a time element without a period: no day opens or closes there, and its values "
              "count toward the period before it"
            : "a time element without a period, where no day record is open: nothing of it is "
              "stored");
  }
}

void sun_times(const Stored& stored, const Facts& facts, std::vector<Finding>& out) {
  if (facts.sun_times || !facts.sun || stored.days.empty()) return;
  add(out, Code::kSunElsewhere, facts.sun,
      "no period holds sunr or suns, so no day stores a sunrise or sunset; this sun element "
      "holds " +
          facts.sun.text + ", which the plug-in does not read",
      {{"sun", facts.sun.text}});
}

void wind(const Facts& facts, std::vector<Finding>& out) {
  if (facts.wind_decimals) {
    const char* mps = facts.largest_loss.text.c_str();
    const double exact = std::strtod(mps, nullptr) * 3.6;
    const std::string stored = std::to_string(brelund::readers::wind_kmh(mps));
    add(out, Code::kWindDecimals, facts.wind_decimals,
        "wind speeds with decimals: the plug-in keeps the whole m/s times 3.6, truncated; the "
        "largest loss (line " +
            std::to_string(facts.largest_loss.line) + "): " + mps + " m/s is stored as " + stored +
            " km/h, not " + decimal(exact, 2),
        {{"mps", mps},
         {"stored_kmh", stored, true},
         {"exact_kmh", decimal(exact, 2)},
         {"loss_kmh", decimal(facts.loss, 2)},
         {"line", std::to_string(facts.largest_loss.line), true}});
  }
  if (facts.wind_overflow) {
    const char* mps = facts.wind_overflow.text.c_str();
    add(out, Code::kWindOverflow, facts.wind_overflow,
        std::string("a wind speed of ") + mps +
            " m/s overflows the contract's 32-bit km/h; the "
            "plug-in stores the exact " +
            std::to_string(brelund::readers::wind_kmh(mps)),
        {{"mps", mps}});
  }
}

void time_zone(const Facts& facts, std::vector<Finding>& out) {
  if (!facts.zone_not_whole) return;
  const char* minutes = facts.zone_not_whole.text.c_str();
  const int offset = brelund::readers::leading_int(minutes);
  char meant[32];
  std::snprintf(meant, sizeof meant, "UTC%c%d:%02d", offset < 0 ? '-' : '+', std::abs(offset) / 60,
                std::abs(offset) % 60);
  const std::string hours = std::to_string(brelund::readers::zone_hours(minutes));
  add(out, Code::kZoneNotWholeHours, facts.zone_not_whole,
      std::string("an offset of ") + minutes + " minutes (" + meant + ") is stored as " + hours +
          ": station_time_zone is in whole hours, truncated",
      {{"minutes", minutes}, {"stored", hours}});
}

void numbers(const Facts& facts, std::vector<Finding>& out) {
  if (facts.not_a_number)
    add(out, Code::kNotANumber, facts.not_a_number,
        facts.not_a_number.text + ": the plug-in reads the leading whole number of a text");
  if (facts.unset_temperature)
    add(out, Code::kUnsetTemperature, facts.unset_temperature,
        "a temperature of " + facts.unset_temperature.text +
            " counts as none (2147483647 is the plug-in's unset value): the day's next "
            "temperature replaces it, whatever it is",
        {{"value", facts.unset_temperature.text}});
  if (facts.left_out)
    add(out, Code::kValueLeftOut, facts.left_out,
        facts.left_out.text + " (the plug-in has nothing to convert or translate)");
}

}  // namespace

void document_findings(const Stored& stored, const Facts& facts, std::vector<Finding>& out) {
  missing_parts(stored, facts, out);
  periods(facts, out);
  sun_times(stored, facts, out);
  wind(facts, out);
  time_zone(facts, out);
  numbers(facts, out);
}

}  // namespace inspector::check
