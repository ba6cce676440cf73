// SPDX-License-Identifier: MIT
// A finding: one thing the plug-in did with a document that its readers
// said as they read it, and that a user of the host should know. Each has
// a code (codes.hpp); docs/checks.md explains every one.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "check/codes.hpp"

namespace inspector::check {

// What a finding points at: a value the plug-in stored (in the location
// record, or in day record `day` of the forecast list), or an element whose
// value was not stored. Programs can hold each against the station data
// and the document.
struct Citation {
  enum class Where { kLocation, kDay, kElement };
  Where where = Where::kElement;
  std::size_t day = 0;  // kDay: the index in the forecast list
  std::string key;      // kLocation, kDay: the key
  // kLocation, kDay: the text stored (none: a null value). kElement: the
  // value not stored, when there is one.
  std::optional<std::string> value;
  int line = 0;         // of the element the value came from
  std::string element;  // that element's name
};

// A number or text a finding involves, for programs: a JSON integer when
// `number` is set (decimals stay text, as the document or the plug-in
// writes them).
struct Value {
  std::string name;
  std::string text;
  bool number = false;
};

// One of several texts a finding names (an untranslated name, say), with
// how often and where first.
struct Item {
  std::string text;
  std::size_t count = 0;
  int line = 0;
};

struct Finding {
  Code code;
  int line = 0;  // of the first occurrence; 0 for the file as a whole
  // How many consequences: what `message` says it counts ("looked up 5
  // times", "in 3 day records").
  std::size_t count = 1;
  std::string message;
  std::vector<Value> values;
  std::vector<Item> items;
  std::vector<Citation> cites;
};

// What a check of one file found, and what the plug-in made of it.
struct FileReport {
  std::string file;               // as the user named it
  int result = 0;                 // get_station_weather_data's: days, -1 or -2
  std::vector<Finding> findings;  // sorted by line
};

// Findings of each severity.
struct Tally {
  std::size_t errors = 0, warnings = 0, notes = 0;
  void add(const std::vector<Finding>& findings);
  // Errors and warnings: what makes --check exit 7.
  bool serious() const { return errors + warnings > 0; }
  bool any() const { return serious() || notes > 0; }
};

}  // namespace inspector::check
