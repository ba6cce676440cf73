// SPDX-License-Identifier: MIT
// Findings about the values the plug-in converts: wind speeds from m/s to
// whole km/h, the time zone from minutes to whole hours. Only stored values
// count, each with the conversion the reader made of it.
#include <cmath>
#include <cstdlib>

#include "check/families.hpp"

namespace inspector::check {
namespace {

using Unit = readers::Number::Unit;

class UnitFamily final : public Family {
 public:
  void day(const DaySeen& day) override;
  void location(const LocationSeen& location) override;
  void findings(const Ending& ending, std::vector<Finding>& out) override;

 private:
  void wind(const DaySeen& day, const Placed& speed);

  First decimals_, overflow_, negative_, zone_;
  double largest_ = -1;  // the largest loss of a wind speed with decimals, in km/h
};

void UnitFamily::day(const DaySeen& day) {
  for (const Placed& value : day.values)
    if (value.number && value.number->unit == Unit::kKmh) wind(day, value);
}

void UnitFamily::wind(const DaySeen& day, const Placed& speed) {
  const readers::Number& n = *speed.number;
  const std::string stored = shown(speed.text);
  if (n.past_32_bits && overflow_.take(speed.line)) {
    overflow_.message = "a wind speed of " + speed.written().value_or("") +
                        " m/s overflows the contract's 32-bit arithmetic for km/h; the plug-in "
                        "stores the exact " +
                        stored + " as " + speed.key + " of " + day.name();
    overflow_.cites = {day.cite(speed)};
  }
  if (n.stored < 0 && negative_.take(speed.line)) {
    negative_.message = "a wind speed of " + speed.written().value_or("") + " m/s: " + day.name() +
                        " stores " + speed.key + " " + stored + ", a negative speed";
    negative_.cites = {day.cite(speed)};
  }
  // Only a fraction of a metre per second counts: that is what the whole
  // number the plug-in reads drops.
  if (!std::isfinite(n.decimal) || n.decimal == n.read) return;
  const double loss = std::fabs(n.exact - static_cast<double>(n.stored));
  ++decimals_.count;
  if (loss <= largest_) return;
  largest_ = loss;
  decimals_.line = speed.line;
  decimals_.message = "wind speeds stored without the fraction of their m/s; the largest loss: " +
                      speed.written().value_or("") + " m/s is stored as " + speed.key + " " +
                      stored + " of " + day.name() + ", not " + decimal(n.exact, 2) + " km/h";
  decimals_.cites = {day.cite(speed)};
  decimals_.values = {{"mps", speed.written().value_or("")},
                      {"stored_kmh", speed.text.value_or("")},
                      {"exact_kmh", decimal(n.exact, 2)},
                      {"loss_kmh", decimal(loss, 2)}};
}

void UnitFamily::location(const LocationSeen& location) {
  for (const Placed& value : location.values) {
    if (!value.number || value.number->unit != Unit::kHours || value.number->remainder == 0)
      continue;
    const readers::Number& n = *value.number;
    char offset[64];
    std::snprintf(offset, sizeof offset, "UTC%c%lld:%02lld", n.read < 0 ? '-' : '+',
                  std::llabs(static_cast<long long>(n.stored)),
                  std::llabs(static_cast<long long>(n.remainder)));
    zone_.take(value.line);
    // A text that is no whole number, or one beyond 32 bits, is read otherwise.
    const std::string read =
        n.decimal == n.read ? "" : ", read as " + std::to_string(n.read) + " minutes";
    zone_.message = "an offset of " + value.written().value_or("") + " minutes" + read + " (" +
                    offset + ") is stored as " + value.key + " " + shown(value.text) +
                    ": the time zone is kept in whole hours, truncated";
    zone_.cites = {LocationSeen::cite(value)};
    zone_.values = {{"minutes", value.written().value_or("")}, {"stored", value.text.value_or("")}};
  }
}

void UnitFamily::findings(const Ending& /*ending*/, std::vector<Finding>& out) {
  if (decimals_.count > 1)
    decimals_.message += " (" + times(decimals_.count, "stored speed") + " lost decimals)";
  decimals_.report(Code::kWindDecimals, out);
  overflow_.report(Code::kWindOverflow, out, "such stored speeds");
  negative_.report(Code::kNegativeWind, out, "negative stored speeds");
  zone_.report(Code::kZoneNotWholeHours, out);
}

}  // namespace

std::unique_ptr<Family> unit_family() { return std::make_unique<UnitFamily>(); }

}  // namespace inspector::check
