// SPDX-License-Identifier: MIT
// Findings about the values of the stored records: what a period gave that
// another period's value stands in place of, temperatures chosen by whole
// numbers, null values, values left out and numbers that are none.
#include <cstring>

#include "check/families.hpp"
#include "records/day_record.hpp"
#include "tarnvale-brelund-source.h"

namespace inspector::check {
namespace {

using brelund::records::kDayHalf;
using brelund::records::kNightHalf;

bool is_half_value(const char* key) {
  for (const auto* half : {&kDayHalf, &kNightHalf})
    for (const char* k : half->all())
      if (std::strcmp(k, key) == 0) return true;
  return false;
}

bool is_amount(const char* key) {
  return std::strcmp(key, kDayHalf.precipitation) == 0 ||
         std::strcmp(key, kNightHalf.precipitation) == 0;
}

// A plain decimal number, as a person reads the document: a sign, digits,
// perhaps a fraction, white space around.
bool is_number(const std::string& text) {
  std::size_t i = 0;
  const auto blanks = [&] {
    while (i < text.size() &&
           (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r'))
      ++i;
  };
  blanks();
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  std::size_t digits = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) ++digits;
  if (i < text.size() && text[i] == '.')
    for (++i; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) ++digits;
  blanks();
  return digits > 0 && i == text.size();
}

// An element whose value is not stored, with the document's text of it.
Citation element_cite(const Placed& value) {
  return {Citation::Where::kElement, 0, {}, value.written(), value.line, value.element};
}

class ValueFamily final : public Family {
 public:
  void day(const DaySeen& day) override;
  void location(const LocationSeen& location) override;
  void findings(const Ending& ending, std::vector<Finding>& out) override;

 private:
  void lost(const DaySeen& day, const Lost& lost);
  void tie(const DaySeen& day, const Tie& tie);
  void unset(const DaySeen& day, int line, const std::string& text);
  void stored(const Placed& value, const Citation& cite, const std::string& where);
  void left_out(const LeftOut& left, const std::string& where, bool stored);

  First not_used_, amount_, tie_, unset_, not_a_number_, null_, left_out_;
};

void ValueFamily::day(const DaySeen& day) {
  if (day.beyond)  // the record kept only the first of its losses
    for (First* first : {&not_used_, &amount_, &tie_, &unset_, &left_out_}) first->at_least = true;
  for (const Lost& lost : day.lost) this->lost(day, lost);
  for (const Tie& tie : day.ties) this->tie(day, tie);
  for (const auto& [line, text] : day.unset) unset(day, line, text);
  for (const Placed& value : day.values) stored(value, day.cite(value), day.name());
  for (const LeftOut& left : day.left_out)
    left_out(left, day.name(), left.key != nullptr && day.value(left.key) != nullptr);
}

void ValueFamily::location(const LocationSeen& location) {
  for (const Placed& value : location.values)
    stored(value, LocationSeen::cite(value), "the location record");
}

// A value of a half that another period's value stands in place of; the
// losses of a repeated or unnumbered period are those findings' own.
void ValueFamily::lost(const DaySeen& day, const Lost& lost) {
  if (lost.through != Through::kPeriod || lost.why == readers::Unstored::kOtherPeriod) return;
  const Placed& gone = lost.value;
  if (gone.key == nullptr || !gone.text || !is_half_value(gone.key)) return;
  const Placed* kept = day.value(gone.key);
  if (kept == nullptr || kept->written() == gone.written()) return;  // nothing is lost
  const bool amount = is_amount(gone.key) && readers::decimal_value(gone.text->c_str()) != 0;
  First& first = amount ? amount_ : not_used_;
  if (!first.take(gone.line)) return;
  const bool made = kept->source && kept->source != kept->text;  // translated or converted
  const std::string from = made ? "from " + quoted(*kept->source) + " of " : "from ";
  first.message = period_name(lost.period) + "'s " + gone.element + " " + shown(gone.written()) +
                  (lost.replaced ? " is replaced" : " is not used") + ": " + day.name() +
                  " stores " + gone.key + " " + shown(kept->text) + " (" + from +
                  period_name(kept->period) + ", line " + std::to_string(kept->line) + ")";
  first.cites = {day.cite(*kept), element_cite(gone)};
}

void ValueFamily::tie(const DaySeen& day, const Tie& tie) {
  const Placed* kept = day.value(tie.key);
  if (kept == nullptr || kept->text != tie.kept || !tie_.take(tie.line)) return;
  const bool high = std::strcmp(tie.key, BRELUND_KEY_DAY_HI_TEMPERATURE) == 0;
  tie_.message = day.name() + " stores " + tie.key + " " + quoted(tie.kept) + " (line " +
                 std::to_string(kept->line) + "), though " + tie.text + " is " +
                 (high ? "higher" : "lower") + ": the plug-in compares whole numbers, and both " +
                 "read as " + std::to_string(kept->number ? kept->number->read : 0);
  tie_.cites = {day.cite(*kept),
                {Citation::Where::kElement, 0, {}, tie.text, tie.line, "temperature"}};
}

void ValueFamily::unset(const DaySeen& day, int line, const std::string& text) {
  if (!unset_.take(line)) return;
  const Placed* high = day.value(BRELUND_KEY_DAY_HI_TEMPERATURE);
  unset_.message = "a temperature of " + text + " counts as none (" +
                   std::to_string(readers::kUnsetTemperature) +
                   " is the plug-in's unset value): the day's next temperature replaces it, " +
                   "whatever it is; " + day.name() + " stores day_hi_temperature " +
                   (high != nullptr ? shown(high->text) : std::string("none"));
  if (high != nullptr) unset_.cites.push_back(day.cite(*high));
  unset_.values = {{"value", text}};
}

void ValueFamily::stored(const Placed& value, const Citation& cite, const std::string& where) {
  if (!value.text && null_.take(value.line)) {
    null_.message = "a " + value.element +
                    " without the attribute its value is read from: " + where + " stores " +
                    value.key + " with a null value, not leaving it out";
    null_.cites = {cite};
  }
  const std::string written = value.written().value_or("");
  if (value.number && !is_number(written) && not_a_number_.take(value.line)) {
    not_a_number_.message = "a " + value.element + " value " + quoted(written) + " is read as " +
                            std::to_string(value.number->read) +
                            ", the leading whole number of its text: " + where + " stores " +
                            value.key + " " + shown(value.text);
    not_a_number_.cites = {cite};
  }
}

void ValueFamily::left_out(const LeftOut& left, const std::string& where, bool stored) {
  if (stored || !left_out_.take(left.line)) return;
  left_out_.message = left.key == nullptr
                          ? "a " + left.element + " without value: nothing is read from it"
                          : "a " + left.element +
                                " without the attribute its value is read from: " + where +
                                " stores no " + left.key;
  left_out_.cites = {{Citation::Where::kElement, 0, {}, std::nullopt, left.line, left.element}};
}

void ValueFamily::findings(const Ending& /*ending*/, std::vector<Finding>& out) {
  not_used_.report(Code::kValueNotUsed, out, "values of stored day records not used or replaced");
  amount_.report(Code::kAmountNotUsed, out, "amounts of stored day records not used or replaced");
  tie_.report(Code::kTemperatureDecimals, out, "highs and lows chosen so");
  unset_.report(Code::kUnsetTemperature, out, "such temperatures in stored day records");
  not_a_number_.report(Code::kNotANumber, out, "stored values read so");
  null_.report(Code::kNullValue, out, "null values stored");
  left_out_.report(Code::kValueLeftOut, out, "values left out");
}

}  // namespace

std::unique_ptr<Family> value_family() { return std::make_unique<ValueFamily>(); }

}  // namespace inspector::check
