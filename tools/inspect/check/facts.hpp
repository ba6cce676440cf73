// SPDX-License-Identifier: MIT
// What a reading of a forecast document finds, as the plug-in's own stream
// shows it: counts and first lines, never a list per element. Only the day
// records get an entry each (two small numbers), so that what the plug-in
// stored for a day can be traced to the line that opened it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace inspector::check {

// Something seen in the document: how often, and where and what first.
struct Seen {
  std::size_t count = 0;
  int line = 0;
  std::string text;  // the first occurrence's own words or value
  void add(int at, std::string_view first = {});
  explicit operator bool() const noexcept { return count > 0; }
};

// Distinct texts (condition names, symbol numbers), each with its first
// line. A hostile document could name millions: past kMost, the rest are
// only counted.
class Distinct {
 public:
  static constexpr std::size_t kMost = 1000;
  void add(std::string_view text, int line);
  // The first line of `text`, or 0 when it was not seen or not kept.
  int line_of(std::string_view text) const;
  bool has(std::string_view text) const { return line_of(text) != 0; }

 private:
  std::map<std::string, int, std::less<>> first_;
};

// What the stream showed of one document, in the plug-in's terms.
struct Facts {
  Seen root;               // its name
  Seen location;           // the root's location elements
  Seen forecast;           // the root's forecast elements
  Seen hbhf;               // ...and hbhf elements: an hourly detail document
  Seen sun;                // a root `sun` element with rise or set ("rise ... set ...")
  Seen zone_not_whole;     // an offset in minutes that is no whole number of hours
  Seen times;              // `time` elements of a tabular
  Seen untimed;            // ...without a period: "open" when a day record was open to
                           // take the first one's values, else "closed"
  Seen dropped;            // day records opened and never closed
  Seen sun_times;          // `sunr` and `suns` elements in periods
  Seen wind_decimals;      // `mps` with a fraction the plug-in drops
  Seen largest_loss;       // the one that loses most: text "mps", line where
  double loss = 0;         // ...its loss in km/h
  Seen wind_overflow;      // 596,524 m/s and more
  Seen unset_temperature;  // 2147483647 and more
  Seen not_a_number;       // text that is no number where a number is read
  Seen left_out;           // windSpeed without mps, symbol without number or name
  Seen null_values;        // an attribute missing where its key is stored (null)
  Distinct names;          // condition names translated
  Distinct numbers;        // symbol numbers translated
  // One entry per closed day record, in the order the plug-in stores them:
  // the line of the `time` that opened it, and which periods fed it (bit k
  // for period k).
  std::vector<std::uint32_t> day_lines;
  std::vector<std::uint8_t> day_periods;
};

}  // namespace inspector::check
