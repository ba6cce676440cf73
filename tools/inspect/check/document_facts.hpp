// SPDX-License-Identifier: MIT
// The check's reading of a forecast document: an element handler on the
// plug-in's own file stream that follows the document where the plug-in's
// reader does (location, forecast, tabular, time, and the root's `sun`,
// whose start the reader is shown too), and opens and closes day records
// by the plug-in's own rule (readers/day_periods.hpp). It stores nothing:
// it notes what a reader of the document would not expect.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "check/facts.hpp"
#include "readers/day_periods.hpp"
#include "sources/element.hpp"

namespace inspector::check {

class DocumentFacts final : public brelund::sources::ElementHandler {
 public:
  brelund::sources::Want start(const brelund::sources::Element& element) override;
  void text(std::string_view /*text*/) override {}
  void end() override;
  bool full() const noexcept override { return false; }

  // The facts, once the stream has read the whole document.
  const Facts& facts();

 private:
  enum class Scope : std::uint8_t { kRoot, kLocation, kForecast, kTabular, kTime, kOther };

  brelund::sources::Want enter(Scope scope, bool children) noexcept;
  void at_root(const brelund::sources::Element& element);
  void in_location(const brelund::sources::Element& element);
  void begin_time(const brelund::sources::Element& time);
  void end_time();
  void in_time(const brelund::sources::Element& element);
  void temperature(const brelund::sources::Element& element);
  void symbol(const brelund::sources::Element& element);
  void wind_speed(const brelund::sources::Element& element);
  void null_value(const brelund::sources::Element& element, const char* attribute);

  static constexpr std::size_t kDepth = 5;  // root, forecast, tabular, time, value
  std::array<Scope, kDepth> scopes_{};
  std::size_t depth_ = 0;
  brelund::readers::DayPeriods periods_;
  std::uint32_t open_line_ = 0;    // of the `time` that opened the open record
  std::uint8_t open_periods_ = 0;  // the periods that fed it
  bool finished_ = false;
  Facts facts_;
};

}  // namespace inspector::check
