// SPDX-License-Identifier: MIT
// What the forecast reader decides, told at the moment it decides it. The
// plug-in reads with no narrator (a null pointer: one test per decision);
// whoever wants to know what became of each element of a document (the
// inspector's check) passes one and listens. Nothing here changes what is
// read or stored.
//
// Lines are those of the element the decision was made at, as
// sources::Element::line() gives them. Texts are valid only during the call.
#pragma once

#include <cstdint>

#include "readers/day_periods.hpp"
#include "readers/numbers.hpp"
#include "sources/element.hpp"

namespace brelund::readers {

// The record a value goes into.
enum class Record : std::uint8_t { kLocation, kDay };

// A value stored into the location record or the open day record.
struct Store {
  Record record;
  const char* key;
  const char* text;  // null: the key is stored with a null value
  int line;
  const char* element;  // the name of the element it came from
  // The key already held a value in this record, which this one replaces
  // (a null value included).
  bool replaces;
  // The document's text the value was made from, where it is not `text`
  // itself (a symbol number, a condition name, m/s, minutes); else null.
  const char* source;
  const Number* number;  // for values read as numbers, else null
  // The value is the code itself (an icon key, a condition name): the table
  // the reader looked it up in has no translation for it.
  bool untranslated;
};

// Why an element's value is not stored where its kind of value would go.
enum class Unstored : std::uint8_t {
  kNoAttribute,  // the attribute the value is read from is missing
  kOtherPeriod,  // the period is none of "0" to "3": no value of a half is stored
  kKept,         // period 2, whose day value period 1 already gave: not even looked up
};

// A `time` element of a `tabular`, at its start.
struct TimeStep {
  const char* period;  // the attribute's text; null when it has none
  const char* to;      // likewise
  PeriodKind kind;     // the kind its values are read under (kept from before without `period`)
  bool opens;          // a day record opens here
  bool in_record;      // a day record is open for its values (opened here or before)
  bool repeats;        // the open record already had a `time` of this period
};

// What became of a `to` attribute when a day record opened.
enum class Dating : std::uint8_t {
  kMissing,   // no `to`: the record stores no day_name or day_date
  kUnparsed,  // no date there: day_name and day_date come from whatever was parsed before
};

enum class Table : std::uint8_t { kIcons, kDescriptions };

// High and low compare the leading whole numbers of the temperatures'
// texts: a reading whose decimals would have made it the new high (or low)
// left the earlier text in place.
struct WholeComparison {
  const char* key;   // day_hi_temperature or day_low_temperature
  const char* kept;  // the text that stays stored
  const char* text;  // the reading that did not replace it
  int line;          // of that reading
};

class Narrator {
 public:
  // The root element; an error document is not read any further.
  virtual void root(const sources::Element& /*root*/, bool /*error_document*/) {}
  // A child of the root that the reader does not read, nor anything in it.
  virtual void unread(const sources::Element& /*element*/) {}
  // A root `location` element: a new location record. `replaces`: an
  // earlier one's record is abandoned, and this one's is stored instead.
  virtual void location(const sources::Element& /*element*/, bool /*replaces*/) {}
  // A root `forecast` element: the forecast list is stored.
  virtual void forecast(const sources::Element& /*element*/) {}
  virtual void time(const sources::Element& /*time*/, const TimeStep& /*step*/) {}
  virtual void dating(int /*line*/, Dating /*dating*/) {}
  // The open day record closes at the end of the `time` at `line` and is
  // stored as element `index` of the forecast list.
  virtual void day_stored(int /*line*/, int /*index*/) {}
  // The day record opened at `opened` is never stored: another opens at
  // `line`, or the document ends (`line` 0).
  virtual void day_dropped(int /*opened*/, int /*line*/) {}
  virtual void stored(const Store& /*store*/) {}
  // A value of `element` that is not stored: `key` is the one the value
  // would have filled (null for a temperature, and under kOtherPeriod);
  // `text` the document's text of it (the symbol number, the m/s), when
  // there is one.
  virtual void unstored(const sources::Element& /*element*/, Record /*record*/, const char* /*key*/,
                        const char* /*text*/, Unstored /*why*/) {}
  // A temperature reading of kUnsetTemperature or more: it counts as no
  // temperature yet, and the day's next reading replaces it.
  virtual void reading_unset(int /*line*/, const char* /*text*/) {}
  virtual void compared_whole(const WholeComparison& /*comparison*/) {}
  // A code the table does not hold: a "Not found" line is written for it.
  virtual void missed(Table /*table*/, const char* /*key*/, int /*line*/) {}

 protected:
  Narrator() = default;
  Narrator(const Narrator&) = default;
  Narrator& operator=(const Narrator&) = default;
  ~Narrator() = default;
};

}  // namespace brelund::readers
