// SPDX-License-Identifier: MIT
#include "readers/hourly.hpp"

#include <cstring>
#include <iterator>

#include "tarnvale-brelund-source.h"

namespace brelund::readers {
namespace {

using sources::Want;

// Children of `hour`, then of its `wind`, whose text fills the fields after
// `hours` (kHourKeys[0]), in the same order.
constexpr const char* kHourTexts[] = {"tmp", "flik", "icon", "t", "hmid"};
constexpr const char* kWindTexts[] = {"s", "gust", "t"};

}  // namespace

const std::array<const char*, HourlyReader::kFields> HourlyReader::kHourKeys = {
    BRELUND_KEY_HOURS,           BRELUND_KEY_HOUR_TEMPERATURE, BRELUND_KEY_HOUR_FEELS_LIKE,
    BRELUND_KEY_HOUR_ICON,       BRELUND_KEY_HOUR_TITLE,       BRELUND_KEY_HOUR_HUMIDITY,
    BRELUND_KEY_HOUR_WIND_SPEED, BRELUND_KEY_HOUR_WIND_GUST,   BRELUND_KEY_HOUR_WIND_DIRECTION,
};

Want HourlyReader::enter(Scope scope, Want want) noexcept {
  scopes_[depth_++] = scope;
  return want;
}

Want HourlyReader::enter_text(Scope scope) {
  text_.clear();
  return enter(scope, Want::kText);
}

Want HourlyReader::enter_field(const sources::Element& element, std::span<const char* const> names,
                               std::size_t first) {
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (!element.named(names[i])) continue;
    field_ = first + i;
    return enter_text(Scope::kField);
  }
  return enter(Scope::kOther, Want::kNothing);
}

Want HourlyReader::open_hour(const sources::Element& hour) {
  // Without `c` there is no hour to tell: `hours` is left out rather than
  // claiming the previous one.
  if (const sources::Value c = hour.attribute("c")) store_hour(c.get());
  return enter(Scope::kHour, Want::kChildren);
}

Want HourlyReader::start(const sources::Element& element) {
  switch (scopes_[depth_ - 1]) {  // the parent's
    case Scope::kDocument:        // the root, whatever its name
      return enter(Scope::kRoot, Want::kChildren);
    case Scope::kRoot:
      if (!element.named("hbhf")) break;
      detail_ = records::make_record();  // an earlier one is released: the host never saw it
      return enter(Scope::kHbhf, Want::kChildren);
    case Scope::kHbhf:
      if (element.named("hour")) return open_hour(element);
      if (element.named("lsup")) return enter_text(Scope::kLastUpdate);
      break;
    case Scope::kHour:
      if (element.named("wind")) return enter(Scope::kWind, Want::kChildren);
      return enter_field(element, kHourTexts, 1);
    case Scope::kWind:
      return enter_field(element, kWindTexts, 1 + std::size(kHourTexts));
    case Scope::kField:
    case Scope::kLastUpdate:
    case Scope::kOther:
      break;
  }
  return enter(Scope::kOther, Want::kNothing);
}

void HourlyReader::text(std::string_view text) { text_.append(text); }

void HourlyReader::end() {
  switch (scopes_[--depth_]) {
    case Scope::kField:  // a later element of the same name overwrites the value
      hour_.set_copy(field_, std::string_view(text_));
      break;
    case Scope::kLastUpdate:
      records::store(detail_.get(), BRELUND_KEY_LAST_UPDATE, text_.c_str());
      break;
    case Scope::kHour:
      hours_.append(hour_.build());
      ++count_;
      break;
    default:
      break;
  }
}

// The hour of day as two digits. The time record lives for the whole call,
// so a `c` that is not an hour repeats the previous hour ("00" before any).
void HourlyReader::store_hour(const char* c) {
  char buffer[256] = {};
  std::strncpy(buffer, c, sizeof buffer - 1);
  strptime(buffer, "%H", &time_);
  std::memset(buffer, 0, sizeof buffer);
  std::strftime(buffer, sizeof buffer - 1, "%H", &time_);
  hour_.set_copy(0, buffer);  // `hours`
}

int HourlyReader::hand_over(GHashTable* station_data) noexcept {
  if (detail_)
    g_hash_table_insert(detail_.get(), const_cast<char*>(BRELUND_KEY_HOURS_DATA), hours_.release());
  records::hand_over(station_data, BRELUND_KEY_DETAIL, detail_.release());
  return count_;
}

}  // namespace brelund::readers
