// SPDX-License-Identifier: MIT
// Findings about the day records: which `time` elements built each one,
// which fell outside any, and which records never reached the host.
#include "check/families.hpp"
#include "records/day_record.hpp"
#include "tarnvale-brelund-source.h"

namespace inspector::check {
namespace {

using readers::PeriodKind;

// Bit k for period k, for each of the periods a record can have.
constexpr std::uint8_t kEveryPeriod = (1u << static_cast<unsigned>(PeriodKind::other)) - 1;

// "period 3 alone", "periods 2, 3 alone".
std::string periods_of(std::uint8_t periods) {
  std::string text;
  int count = 0;
  for (unsigned k = 0; k < static_cast<unsigned>(PeriodKind::other); ++k)
    if (periods & (1u << k)) text += (count++ == 0 ? "" : ", ") + std::to_string(k);
  if (count == 0) return "no numbered period";
  return (count == 1 ? "period " : "periods ") + text + (periods != kEveryPeriod ? " alone" : "");
}

bool holds_any(const DaySeen& day, const brelund::records::HalfKeys& half) {
  for (const char* key : half.all())
    if (day.value(key) != nullptr) return true;
  return false;
}

std::size_t lost_through(const DaySeen& day, Through through, bool replaced) {
  std::size_t count = 0;
  for (const Lost& lost : day.lost) count += lost.through == through && lost.replaced == replaced;
  return count;
}

class DayFamily final : public Family {
 public:
  void time(const TimeSeen& time) override;
  void day(const DaySeen& day) override;
  void dropped(const DroppedDay& day) override;
  void findings(const Ending& ending, std::vector<Finding>& out) override;

 private:
  void outside(const TimeSeen& time);
  std::string outside_message() const;
  void in_record(const TimeSeen& time, const DaySeen& day);
  void halves(const DaySeen& day);
  void dates(const DaySeen& day);

  // The `time` elements of the open record that say something of it, kept
  // until it is stored (a dropped record is one finding of its own).
  std::vector<TimeSeen> pending_;
  bool pending_beyond_ = false;  // more than kDetail of them
  First untimed_, outside_, unknown_, repeated_, partial_, same_date_, missing_, unparsed_,
      dropped_, no_temperature_;
  TimeSeen outside_first_;
  std::string outside_after_;  // the record stored before it
  std::optional<std::string> outside_last_to_;
  std::string after_;  // the record stored last
  std::optional<std::string> previous_date_;
};

void DayFamily::time(const TimeSeen& time) {
  if (!time.in_record) return outside(time);
  if (time.through == Through::kPeriod) return;
  if (pending_.size() < DaySeen::kDetail)
    pending_.push_back(time);
  else
    pending_beyond_ = true;
}

void DayFamily::outside(const TimeSeen& time) {
  if (time.to) outside_last_to_ = time.to;
  if (!outside_.take(time.line)) return;
  outside_first_ = time;
  outside_after_ = after_;
  outside_.cites.push_back({Citation::Where::kElement, 0, {}, time.period, time.line, "time"});
}

// "a time element (period "2", to "...") stands outside any day record,
// after ... closed", or, for several, the dates they cover and the first.
std::string DayFamily::outside_message() const {
  const TimeSeen& first = outside_first_;
  const std::string period =
      first.period ? "period " + quoted(*first.period) : std::string("without a period");
  const std::string where = outside_after_.empty() ? "before any period opened one"
                                                   : "after " + outside_after_ + " closed";
  if (outside_.count == 1)
    return "a time element (" + period + (first.to ? ", to " + quoted(*first.to) : "") +
           ") stands outside any day record, " + where + ": nothing of it is stored";
  std::string span;
  if (first.to && outside_last_to_)
    span = first.to == outside_last_to_
               ? ", all with to " + quoted(*first.to)
               : ", to " + quoted(*first.to) + " to " + quoted(*outside_last_to_);
  return times(outside_.count, "time element") + " stand outside any day record" + span +
         "; the first (" + period + ") comes " + where + ": nothing of them is stored";
}

// What a `time` under a period kind none of "0" to "3" held for the day or
// night half, which is not stored: "(here: its symbol, windSpeed)".
std::string not_stored(const TimeSeen& time, const DaySeen& day) {
  std::string elements;
  for (const Lost& lost : day.lost)
    if (lost.time == time.line && lost.why == readers::Unstored::kOtherPeriod &&
        elements.find(lost.value.element) == std::string::npos)
      elements += (elements.empty() ? "" : ", ") + lost.value.element;
  return "what it holds for the day or night half is not stored (" +
         (elements.empty() ? std::string("it holds none") : "here: its " + elements) + ")";
}

void DayFamily::in_record(const TimeSeen& time, const DaySeen& day) {
  if (time.through == Through::kUntimed && untimed_.take(time.line)) {
    untimed_.message =
        time.kind == PeriodKind::other
            ? "a time element without a period in " + day.name() +
                  ": it opens and closes nothing, and as the period before it is none of \"0\" "
                  "to \"3\", " +
                  not_stored(time, day)
            : "a time element without a period in " + day.name() +
                  ": it opens and closes nothing, and its values count as " +
                  period_name(time.kind) + "'s, the period before it";
  }
  if (time.through == Through::kUnknown && unknown_.take(time.line))
    unknown_.message = "a time element with period " + quoted(time.period.value_or("")) + " in " +
                       day.name() + ", none of \"0\" to \"3\": " + not_stored(time, day);
  if (time.through == Through::kRepeat && repeated_.take(time.line)) {
    repeated_.message = "a second " + period_name(time.kind) + " in " + day.name() +
                        " (opened at line " + std::to_string(day.opened) + "): its values " +
                        (time.kind == PeriodKind::period2 ? "fill only what period 1 left empty"
                                                          : "replace the first one's");
    repeated_.values.push_back(
        {"replaced", std::to_string(lost_through(day, Through::kRepeat, true)), true});
  }
}

void DayFamily::day(const DaySeen& day) {
  for (const TimeSeen& time : pending_) in_record(time, day);
  if (pending_beyond_)
    for (First* first : {&untimed_, &unknown_, &repeated_}) first->at_least = true;
  pending_.clear();
  pending_beyond_ = false;
  halves(day);
  dates(day);
  if (day.value(BRELUND_KEY_DAY_HI_TEMPERATURE) == nullptr && no_temperature_.take(day.opened))
    no_temperature_.message = day.name() + " has no temperature: no high or low is stored";
  after_ = day.name() + " (line " + std::to_string(day.closed) + ")";
}

void DayFamily::halves(const DaySeen& day) {
  const bool has_day = holds_any(day, brelund::records::kDayHalf);
  const bool has_night = holds_any(day, brelund::records::kNightHalf);
  if (has_day && has_night && day.periods == kEveryPeriod) return;
  if (!partial_.take(day.opened)) return;
  const std::string periods = periods_of(day.periods);
  partial_.message = has_day == has_night
                         ? day.name() + " is built from " + periods
                         : day.name() + " holds only its " + (has_day ? "day" : "night") +
                               " half: it is built from " + periods;
}

void DayFamily::dates(const DaySeen& day) {
  const Placed* date = day.value(BRELUND_KEY_DAY_DATE);
  if (date != nullptr && date->text && previous_date_ == date->text &&
      same_date_.take(day.opened)) {
    same_date_.message = "day records " + std::to_string(day.index) + " and " +
                         std::to_string(day.index + 1) + " are both dated " + quoted(*date->text);
    same_date_.cites.push_back(day.cite(*date));
  }
  previous_date_ = date != nullptr ? date->text : std::nullopt;
  if (day.dating == readers::Dating::kMissing && missing_.take(day.opened))
    missing_.message =
        day.name() + " stores no day_name or day_date: the time element that opens it has no to";
  if (day.dating != readers::Dating::kUnparsed || date == nullptr || !unparsed_.take(day.opened))
    return;
  const Placed* name = day.value(BRELUND_KEY_DAY_NAME);
  unparsed_.message = "the time element opening " + day.name() + " has a to of " +
                      quoted(day.opening_to.value_or("")) +
                      ", which is no date and time as the service writes them: its day_date " +
                      shown(date->text) +
                      (name != nullptr ? " and day_name " + shown(name->text) : "") +
                      " are made of as much of it as reads as one, and of what earlier dates left";
  unparsed_.cites.push_back(day.cite(*date));
}

void DayFamily::dropped(const DroppedDay& day) {
  pending_.clear();
  pending_beyond_ = false;
  if (!dropped_.take(day.opened)) return;
  dropped_.message =
      "a day record opened here" + (day.to ? " (to " + quoted(*day.to) + ")" : "") +
      " never reaches a period 3: " +
      (day.at != 0 ? "a period 0 at line " + std::to_string(day.at) + " opens the next one first"
                   : "the document ends first") +
      ", and none of it is stored";
}

void DayFamily::findings(const Ending& ending, std::vector<Finding>& out) {
  // In an hour-by-hour forecast, no `time` has a period: that one finding says it all.
  if (ending.untimed == ending.times) outside_ = First{};
  if (outside_.count > 0) outside_.message = outside_message();
  untimed_.report(Code::kTimeWithoutPeriod, out,
                  "time elements without a period in stored day records");
  outside_.report(Code::kOutsideDay, out);
  unknown_.report(Code::kUnknownPeriod, out, "such periods in stored day records");
  repeated_.report(Code::kRepeatedPeriod, out, "repeated periods in stored day records");
  partial_.report(Code::kPartialDay, out, "such day records");
  same_date_.report(Code::kSameDate, out, "day records dated like the one before");
  missing_.report(Code::kDateMissing, out, "day records without a date");
  unparsed_.report(Code::kDateUnparsed, out, "day records dated so");
  dropped_.report(Code::kDroppedDay, out, "day records dropped");
  no_temperature_.report(Code::kNoTemperature, out, "day records without temperature");
}

}  // namespace

std::unique_ptr<Family> day_family() { return std::make_unique<DayFamily>(); }

}  // namespace inspector::check
