// SPDX-License-Identifier: MIT
// Findings about the document as a whole: which parts it has, what of it
// the plug-in never reads, and the location record.
#include "check/families.hpp"
#include "tarnvale-brelund-source.h"

namespace inspector::check {
namespace {

using brelund::sources::Element;

class DocumentFamily final : public Family {
 public:
  void unread(const Element& element) override;
  void day(const DaySeen& day) override;
  void location(const LocationSeen& location) override;
  void findings(const Ending& ending, std::vector<Finding>& out) override;

 private:
  void parts(const Ending& ending, std::vector<Finding>& out) const;
  void sun(const Ending& ending, std::vector<Finding>& out);

  First observations_, replaced_, incomplete_, some_days_;
  int hbhf_ = 0;      // line of a root `hbhf`: an hourly detail document
  int sun_line_ = 0;  // of a root `sun` with rise or set
  std::string sun_;   // what it holds
  std::size_t days_with_sun_ = 0;
  std::optional<Citation> sun_stored_;                  // the first stored sunrise or sunset
  std::optional<std::pair<int, std::string>> sunless_;  // the first day record without
};

void DocumentFamily::unread(const Element& element) {
  if (element.named("hbhf") && hbhf_ == 0) hbhf_ = element.line();
  if (element.named("observations") && observations_.take(element.line()))
    observations_.message =
        "an observations element: the plug-in reads only the forecast, and stores none of the "
        "values observed at weather stations";
  if (!element.named("sun") || sun_line_ != 0) return;
  const auto rise = element.attribute("rise"), set = element.attribute("set");
  if (!rise && !set) return;
  sun_line_ = element.line();
  sun_ = "rise " + quoted(rise ? rise.get() : "") + ", set " + quoted(set ? set.get() : "");
}

void DocumentFamily::day(const DaySeen& day) {
  const Placed* rise = day.value(BRELUND_KEY_DAY_SUNRISE);
  const Placed* set = day.value(BRELUND_KEY_DAY_SUNSET);
  if (rise == nullptr && set == nullptr) {
    if (!sunless_) sunless_.emplace(day.opened, day.name());
    return;
  }
  if (days_with_sun_++ == 0) sun_stored_ = day.cite(rise != nullptr ? *rise : *set);
}

void DocumentFamily::location(const LocationSeen& location) {
  if (location.replaced > 0 && replaced_.take(location.line)) {
    replaced_.count = location.replaced;
    replaced_.message = times(location.replaced + 1, "location element") +
                        ": the plug-in stores the last one's record, and " +
                        (location.replaced == 1 ? "the earlier one's (line "
                                                : "the earlier ones' (first at line ") +
                        std::to_string(location.first_replaced) + ") is never stored";
    replaced_.cites.push_back(
        {Citation::Where::kElement, 0, {}, {}, location.first_replaced, "location"});
  }
  std::vector<std::string> missing;
  for (const char* key :
       {BRELUND_KEY_STATION_LATITUDE, BRELUND_KEY_STATION_LONGITUDE, BRELUND_KEY_STATION_TIME_ZONE})
    if (location.value(key) == nullptr) missing.emplace_back(key);
  if (missing.empty() || !incomplete_.take(location.line)) return;
  std::string why;
  for (const LeftOut& left : location.left_out)
    why = "; its " + left.element + " element (line " + std::to_string(left.line) +
          ") has no utcoffsetMinutes";
  std::string keys;
  for (std::size_t i = 0; i < missing.size(); ++i)
    keys += (i == 0 ? "" : i + 1 == missing.size() ? " or " : ", ") + missing[i];
  incomplete_.message = "the location record stores no " + keys + why;
}

// Why a forecast with periods stored no day.
std::string no_days(const Ending& ending) {
  std::string why;
  if (ending.dropped > 0)
    why += times(ending.dropped, "day record") + " opened and dropped before a period 3";
  if (ending.outside > 0)
    why += (why.empty() ? "" : ", ") + times(ending.outside, "time element") +
           " outside any day record";
  return "no day record is stored from the forecast's " + times(ending.times, "time element") +
         (why.empty() ? "" : ": " + why);
}

void DocumentFamily::parts(const Ending& ending, std::vector<Finding>& out) const {
  const std::string hourly = hbhf_ != 0 ? " (it is an hourly detail document, with an hbhf "
                                          "element: the host reads it beside a forecast)"
                                        : "";
  const auto add = [&](Code code, std::string message, int line) {
    out.push_back({.code = code,
                   .line = line,
                   .count = 1,
                   .message = std::move(message),
                   .values = {},
                   .items = {},
                   .cites = {}});
  };
  if (!ending.has_location && !ending.has_forecast)
    add(Code::kNoForecast,
        "the document (its root element is " + quoted(ending.root) +
            ") has neither a location nor a forecast element, so nothing is stored" + hourly,
        ending.root_line);
  else if (!ending.has_location)
    add(Code::kNoLocation,
        "the document has no location element: no position or time zone is stored",
        ending.root_line);
  else if (!ending.has_forecast)
    add(Code::kNoForecast, "the document has no forecast element: no day is stored" + hourly,
        ending.root_line);
  if (ending.has_forecast && ending.times == 0)
    add(Code::kEmptyForecast, "the forecast holds no time element: no day is stored",
        ending.forecast_line);
  if (ending.times > 0 && ending.days == 0 && ending.untimed < ending.times)
    add(Code::kNoDays, no_days(ending), ending.first_time);
  if (ending.times > 0 && ending.untimed == ending.times) {
    add(Code::kHourByHour,
        "an hour-by-hour forecast: none of its " + times(ending.times, "time element") +
            " has a period, and days are built only from periods",
        ending.first_time);
    out.back().count = ending.times;
  }
}

void DocumentFamily::sun(const Ending& ending, std::vector<Finding>& out) {
  if (sun_line_ != 0 && ending.days > 0 && days_with_sun_ == 0)
    out.push_back({.code = Code::kSunElsewhere,
                   .line = sun_line_,
                   .count = 1,
                   .message = "no day record stores a sunrise or sunset, while this sun element "
                              "holds " +
                              sun_ + ", which the plug-in does not read",
                   .values = {{"sun", sun_}},
                   .items = {},
                   .cites = {}});
  if (days_with_sun_ == 0 || !sunless_ || !some_days_.take(sunless_->first)) return;
  some_days_.count = ending.days - days_with_sun_;
  const std::size_t with = days_with_sun_;
  some_days_.message = times(some_days_.count, "day record") + " of " +
                       std::to_string(ending.days) +
                       (some_days_.count == 1 ? " stores" : " store") +
                       " no sunrise or sunset (the first: " + sunless_->second + "), while " +
                       (with == 1 ? "the other does" : "the other " + std::to_string(with) + " do");
  some_days_.cites.push_back(*sun_stored_);
  some_days_.report(Code::kSunSomeDays, out);
}

void DocumentFamily::findings(const Ending& ending, std::vector<Finding>& out) {
  parts(ending, out);
  replaced_.report(Code::kLocationReplaced, out);
  incomplete_.report(Code::kLocationIncomplete, out);
  observations_.report(Code::kObservationsUnread, out, "observations elements");
  sun(ending, out);
}

}  // namespace

std::unique_ptr<Family> document_family() { return std::make_unique<DocumentFamily>(); }

}  // namespace inspector::check
