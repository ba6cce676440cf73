// SPDX-License-Identifier: MIT
#include "check/document_facts.hpp"

#include <cmath>
#include <string>

#include "readers/numbers.hpp"

namespace inspector::check {
namespace {

using brelund::readers::leading_int;
using brelund::readers::PeriodKind;
using brelund::sources::Element;
using brelund::sources::Value;
using brelund::sources::Want;

// The least wind speed whose km/h the contract's 32-bit product cannot hold.
constexpr std::int32_t kOverflowingMps = 596'524;

// A plain decimal number, as a reader of the document takes it: a sign,
// digits, perhaps a fraction, white space around.
bool is_number(const char* text) {
  std::size_t i = 0;
  while (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r') ++i;
  if (text[i] == '-' || text[i] == '+') ++i;
  std::size_t digits = 0;
  for (; text[i] >= '0' && text[i] <= '9'; ++i) ++digits;
  if (text[i] == '.')
    for (++i; text[i] >= '0' && text[i] <= '9'; ++i) ++digits;
  while (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r') ++i;
  return digits > 0 && text[i] == '\0';
}

// Notes `text` when it is no number where the plug-in reads one.
void number_read(Seen& seen, const Element& element, const char* what, const char* text) {
  if (is_number(text)) return;
  seen.add(element.line(),
           std::string(what) + " \"" + text + "\" is read as " + std::to_string(leading_int(text)));
}

}  // namespace

Want DocumentFacts::enter(Scope scope, bool children) noexcept {
  scopes_[depth_++] = scope;
  return children ? Want::kChildren : Want::kNothing;
}

Want DocumentFacts::start(const Element& element) {
  if (depth_ == 0) {
    facts_.root.add(element.line(), element.qualified_name());
    return enter(Scope::kRoot, true);
  }
  switch (scopes_[depth_ - 1]) {
    case Scope::kRoot:
      at_root(element);
      if (element.named("location")) return enter(Scope::kLocation, true);
      if (element.named("forecast")) return enter(Scope::kForecast, true);
      break;
    case Scope::kLocation:
      in_location(element);
      break;
    case Scope::kForecast:
      if (element.named("tabular")) return enter(Scope::kTabular, true);
      break;
    case Scope::kTabular:
      if (!element.named("time")) break;
      begin_time(element);
      return enter(Scope::kTime, true);
    case Scope::kTime:
      in_time(element);
      break;
    case Scope::kOther:
      break;
  }
  return enter(Scope::kOther, false);
}

void DocumentFacts::end() {
  if (scopes_[--depth_] == Scope::kTime) end_time();
}

void DocumentFacts::at_root(const Element& element) {
  if (element.named("hbhf")) facts_.hbhf.add(element.line());
  if (element.named("location")) facts_.location.add(element.line());
  if (element.named("forecast")) facts_.forecast.add(element.line());
  if (!element.named("sun")) return;
  const Value rise = element.attribute("rise"), set = element.attribute("set");
  if (rise || set)
    facts_.sun.add(element.line(), std::string("rise \"") + (rise ? rise.get() : "") +
                                       "\", set \"" + (set ? set.get() : "") + "\"");
}

void DocumentFacts::in_location(const Element& element) {
  if (element.named("location")) {
    for (const char* attribute : {"latitude", "longitude"})
      if (!element.attribute(attribute))
        facts_.null_values.add(element.line(), std::string("a location without ") + attribute);
    return;
  }
  if (!element.named("timezone")) return;
  const Value minutes = element.attribute("utcoffsetMinutes");
  if (!minutes) return;
  number_read(facts_.not_a_number, element, "utcoffsetMinutes", minutes.get());
  if (leading_int(minutes.get()) % 60 != 0)
    facts_.zone_not_whole.add(element.line(), minutes.get());
}

void DocumentFacts::begin_time(const Element& time) {
  const int line = time.line();
  facts_.times.add(line);
  const Value period = time.attribute("period");
  // Without a period nothing opens or closes: the values go to the record
  // open, under the last period's kind, if there is one.
  if (!period)
    facts_.untimed.add(line,
                       periods_.open() && periods_.kind() != PeriodKind::other ? "open" : "closed");
  const auto step = periods_.begin(period ? period.get() : nullptr);
  if (step.drops) facts_.dropped.add(static_cast<int>(open_line_));
  if (step.opens) {
    open_line_ = static_cast<std::uint32_t>(line);
    open_periods_ = 0;
  }
  if (period && periods_.open() && periods_.kind() != PeriodKind::other)
    open_periods_ |= static_cast<std::uint8_t>(1u << static_cast<unsigned>(periods_.kind()));
}

void DocumentFacts::end_time() {
  if (!periods_.end()) return;
  facts_.day_lines.push_back(open_line_);
  facts_.day_periods.push_back(open_periods_);
}

void DocumentFacts::in_time(const Element& element) {
  if (element.named("temperature"))
    temperature(element);
  else if (element.named("symbol"))
    symbol(element);
  else if (element.named("windSpeed"))
    wind_speed(element);
  else if (element.named("sunr") || element.named("suns"))
    facts_.sun_times.add(element.line());
  else if (element.named("pressure") || element.named("precipitation"))
    null_value(element, "value");
  else if (element.named("windDirection"))
    null_value(element, "code");
}

// A missing attribute still stores its key, with a null value, where the
// element's value is stored.
void DocumentFacts::null_value(const Element& element, const char* attribute) {
  if (!periods_.open() || periods_.kind() == PeriodKind::other || element.attribute(attribute))
    return;
  facts_.null_values.add(element.line(), "a " + element.qualified_name() + " without " + attribute);
}

// Values are noted only where the plug-in stores them: in an open day
// record (under a period kind for all but temperatures).
void DocumentFacts::temperature(const Element& element) {
  const Value value = element.attribute("value");
  if (!value || !periods_.open()) return;
  number_read(facts_.not_a_number, element, "temperature", value.get());
  if (leading_int(value.get()) >= brelund::readers::kUnsetTemperature)
    facts_.unset_temperature.add(element.line(), value.get());
}

// Translated only under a period kind 0 to 3, as the plug-in does.
void DocumentFacts::symbol(const Element& element) {
  if (periods_.kind() == PeriodKind::other) return;
  const Value number = element.attribute("number"), name = element.attribute("name");
  if (number) facts_.numbers.add(number.get(), element.line());
  if (name) facts_.names.add(name.get(), element.line());
  if (!number) facts_.left_out.add(element.line(), "a symbol without number: no icon is stored");
  if (!name)
    facts_.left_out.add(element.line(), "a symbol without name: no condition text is stored");
}

void DocumentFacts::wind_speed(const Element& element) {
  if (!periods_.open() || periods_.kind() == PeriodKind::other) return;
  const Value mps = element.attribute("mps");
  if (!mps)
    return facts_.left_out.add(element.line(), "a windSpeed without mps: no wind speed is stored");
  number_read(facts_.not_a_number, element, "windSpeed mps", mps.get());
  if (leading_int(mps.get()) >= kOverflowingMps)
    facts_.wind_overflow.add(element.line(), mps.get());
  // Only a fraction of a metre per second counts here: that is what the
  // plug-in's reading of the whole m/s drops.
  const double speed = is_number(mps.get()) ? std::strtod(mps.get(), nullptr) : 0;
  if (speed == std::trunc(speed)) return;
  const double loss =
      std::fabs(speed * 3.6 - static_cast<double>(brelund::readers::wind_kmh(mps.get())));
  facts_.wind_decimals.add(element.line(), mps.get());
  if (loss > facts_.loss) {
    facts_.loss = loss;
    facts_.largest_loss = {};
    facts_.largest_loss.add(element.line(), mps.get());
  }
}

const Facts& DocumentFacts::facts() {
  // A record still open at the end is dropped, as the plug-in drops it.
  if (!finished_ && periods_.open()) facts_.dropped.add(static_cast<int>(open_line_));
  finished_ = true;
  return facts_;
}

void Seen::add(int at, std::string_view first) {
  if (count++ == 0) {
    line = at;
    text = first;
  }
}

void Distinct::add(std::string_view text, int line) {
  if (first_.size() >= kMost && first_.find(text) == first_.end()) return;
  first_.emplace(std::string(text), line);
}

int Distinct::line_of(std::string_view text) const {
  const auto at = first_.find(text);
  return at != first_.end() ? at->second : 0;
}

}  // namespace inspector::check
