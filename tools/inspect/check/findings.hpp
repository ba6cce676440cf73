// SPDX-License-Identifier: MIT
// A finding: one way in which what the plug-in stores from a document
// differs from what a reader of the document would expect. Each kind has a
// stable code; docs/checks.md explains every one.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace inspector::check {

enum class Code {
  kRefused,
  kErrorDocument,
  kLongPath,
  kNoLocation,
  kNoForecast,
  kHourByHour,
  kTimeWithoutPeriod,
  kPartialDay,
  kSameDate,
  kDroppedDay,
  kNoTemperature,
  kUnsetTemperature,
  kSunElsewhere,
  kWindDecimals,
  kWindOverflow,
  kZoneNotWholeHours,
  kUntranslatedName,
  kUntranslatedSymbol,
  kNotANumber,
  kNullValue,
  kValueLeftOut,
};

// "partial-day" for Code::kPartialDay.
const char* code_name(Code code);

// A value the finding involves, for programs: a name and its text, which is
// a JSON integer when `number` is set (decimals stay text, as the document
// or the plug-in writes them).
struct Value {
  std::string name;
  std::string text;
  bool number = false;
};

// One of several texts a finding names (an untranslated name, say), with
// how often and where first.
struct Item {
  std::string text;
  std::size_t count;
  int line;
};

struct Finding {
  Code code;
  int line = 0;  // of the first occurrence; 0 for the file as a whole
  std::size_t count = 1;
  std::string message;
  std::vector<Value> values;
  std::vector<Item> items;
};

// What a check of one file found, and what the plug-in made of it.
struct FileReport {
  std::string file;               // as given
  int result = 0;                 // get_station_weather_data's: days, -1 or -2
  std::vector<Finding> findings;  // sorted by line
};

}  // namespace inspector::check
