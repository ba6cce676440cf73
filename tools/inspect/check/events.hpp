// SPDX-License-Identifier: MIT
// What the readers said of a document, put together for the families of
// codes: each value the plug-in stored with the element it came from, each
// day record as it was stored or dropped, and what became of the values
// that were not stored. A family hears these as the reading goes on
// (narration.cpp), then says its findings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "check/findings.hpp"
#include "readers/narrator.hpp"

namespace inspector::check {

namespace readers = brelund::readers;

// A value put into a record, and the element it came from.
struct Placed {
  const char* key = nullptr;        // static: the readers' own key names
  std::optional<std::string> text;  // none: a null value
  int line = 0;
  std::string element;
  // The document's text it was made from, where that is not `text` (a
  // symbol number, a condition name, m/s, minutes); and for a value read as
  // a number, what was read.
  std::optional<std::string> source;
  std::optional<readers::Number> number;
  readers::PeriodKind period = readers::PeriodKind::other;  // of the `time` it was read in
  bool untranslated = false;  // the code itself: the table has no translation for it

  // As the document wrote it: `source`, else `text`.
  std::optional<std::string> written() const { return source ? source : text; }
};

// High or low kept by whole numbers against a reading whose decimals say
// otherwise (readers::WholeComparison, its texts kept).
struct Tie {
  const char* key = nullptr;
  std::string kept;
  std::string text;
  int line = 0;
};

// An element without the attribute its value is read from.
struct LeftOut {
  const char* key = nullptr;  // the key it would have filled; none for a temperature
  std::string element;
  int line = 0;
};

// Why a `time` element stands where it does, as far as values are lost
// through it.
enum class Through : std::uint8_t {
  kPeriod,   // a period that belongs in its day record
  kRepeat,   // a period the open record already had
  kUntimed,  // no `period`: the values count as the period before
  kUnknown,  // a period other than "0" to "3"
};

// A `time` element, at its start.
struct TimeSeen {
  int line = 0;
  std::optional<std::string> period;
  std::optional<std::string> to;
  readers::PeriodKind kind = readers::PeriodKind::other;
  bool in_record = false;
  Through through = Through::kPeriod;
};

// A value of an open record that did not end up stored: replaced by a
// later one, or never taken (readers::Unstored).
struct Lost {
  Placed value;           // its key is the one it would have filled (none for kOtherPeriod)
  bool replaced = false;  // else not taken
  readers::Unstored why = readers::Unstored::kKept;
  Through through = Through::kPeriod;                       // of the `time` that lost it
  readers::PeriodKind period = readers::PeriodKind::other;  // of the value lost
  int time = 0;                                             // the line of the `time` that lost it
};

// A day record as the plug-in stored it.
struct DaySeen {
  std::size_t index = 0;  // in the forecast list
  int opened = 0;         // line of the `time` that opened it
  int closed = 0;         // ...and of the one that closed it
  std::optional<std::string> opening_to;
  std::uint8_t periods = 0;  // bit k: a `time` of period k fed it
  std::optional<readers::Dating> dating;
  std::vector<Placed> values;  // as stored, in the order first stored
  // What the record's `time` elements held that it does not store. A
  // hostile record could hold millions: at most kDetail of each kind are
  // kept, and `beyond` says that some were not, so counts made from these
  // are a least.
  std::vector<Lost> lost;
  std::vector<Tie> ties;
  std::vector<LeftOut> left_out;
  std::vector<std::pair<int, std::string>> unset;  // temperature readings counted as none
  bool beyond = false;
  static constexpr std::size_t kDetail = 256;

  const Placed* value(const char* key) const;
  // "day record "Dec 09"", or "day record 3" without a date.
  std::string name() const;
  Citation cite(const Placed& value) const;
};

struct DroppedDay {
  int opened = 0;
  int at = 0;                     // the `time` opening the next one; 0: the document's end
  std::optional<std::string> to;  // of the `time` that opened it
};

// The location record as stored, and the ones it replaced.
struct LocationSeen {
  int line = 0;
  std::vector<Placed> values;
  std::vector<LeftOut> left_out;
  std::size_t replaced = 0;  // earlier `location` elements, the first at
  int first_replaced = 0;    // ...this line

  const Placed* value(const char* key) const;
  static Citation cite(const Placed& value);
};

// At the end of the reading.
struct Ending {
  std::string root;
  int root_line = 0;
  bool has_location = false;
  bool has_forecast = false;
  int forecast_line = 0;
  std::size_t days = 0;
  std::size_t times = 0;
  std::size_t untimed = 0;  // `time` elements without a period
  std::size_t outside = 0;  // `time` elements outside any day record
  std::size_t dropped = 0;  // day records dropped
  int first_time = 0;
};

// A family of codes: hears what it needs, then says its findings.
class Family {
 public:
  virtual ~Family() = default;
  virtual void unread(const brelund::sources::Element& /*element*/) {}
  virtual void time(const TimeSeen& /*time*/) {}
  virtual void day(const DaySeen& /*day*/) {}
  virtual void dropped(const DroppedDay& /*day*/) {}
  virtual void missed(readers::Table /*table*/, const char* /*key*/, int /*line*/) {}
  virtual void location(const LocationSeen& /*location*/) {}
  virtual void findings(const Ending& ending, std::vector<Finding>& out) = 0;

 protected:
  Family() = default;
  Family(const Family&) = default;
  Family& operator=(const Family&) = default;
};

// Counts occurrences of one kind, keeping the first one's line and words.
struct First {
  std::size_t count = 0;
  int line = 0;
  std::string message;
  std::vector<Citation> cites;
  std::vector<Value> values;
  bool at_least = false;  // `count` is a least: not every occurrence was kept
  // True for the first: the caller fills in the words then.
  bool take(int at);
  // Adds the finding, when there was any; with more than one, the message
  // ends with how many `plural` there are ("3 partial day records", "at
  // least 256 ...").
  void report(Code code, std::vector<Finding>& out, const char* plural = nullptr);
};

// Text helpers the families share.
std::string quoted(const std::string& text);
std::string shown(const std::optional<std::string>& text);  // quoted, or "null"
std::string decimal(double value, int decimals);
std::string period_name(readers::PeriodKind kind);       // "period 2"
std::string times(std::size_t count, const char* what);  // "3 day records", "1 day record"

}  // namespace inspector::check
