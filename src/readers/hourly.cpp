// SPDX-License-Identifier: MIT
#include "readers/hourly.hpp"

#include <cstring>
#include <span>
#include <utility>

#include "tarnvale-brelund-source.h"

namespace brelund::readers {
namespace {

using sources::Want;

// Children of `hour`, then of its `wind`, whose text fills the fields after
// `hours` (kHourKeys[0]), in the same order.
constexpr const char* kHourTexts[] = {"tmp", "flik", "icon", "t", "hmid"};
constexpr const char* kWindTexts[] = {"s", "gust", "t"};

// The field `first` plus the place of the element's name in `names`;
// `absent` when the name is not there.
std::size_t field_of(const sources::Element& element, std::span<const char* const> names,
                     std::size_t first, std::size_t absent) {
  for (std::size_t i = 0; i < names.size(); ++i)
    if (element.named(names[i])) return first + i;
  return absent;
}

}  // namespace

const std::array<const char*, HourlyReader::kFields> HourlyReader::kHourKeys = {
    BRELUND_KEY_HOURS,           BRELUND_KEY_HOUR_TEMPERATURE, BRELUND_KEY_HOUR_FEELS_LIKE,
    BRELUND_KEY_HOUR_ICON,       BRELUND_KEY_HOUR_TITLE,       BRELUND_KEY_HOUR_HUMIDITY,
    BRELUND_KEY_HOUR_WIND_SPEED, BRELUND_KEY_HOUR_WIND_GUST,   BRELUND_KEY_HOUR_WIND_DIRECTION,
};

Want HourlyReader::descend() noexcept {
  ++open_;
  return Want::kChildren;
}

Want HourlyReader::start(const sources::Element& element) {
  std::size_t leaf = kSkipped;
  switch (open_) {
    case 0:  // the root, whatever its name
      return descend();
    case 1:
      if (!element.named("hbhf")) break;
      detail_ = records::make_record();  // an earlier one is released: the host never saw it
      return descend();
    case 2:
      if (element.named("lsup")) leaf = kLastUpdate;
      if (!element.named("hour")) break;
      // Without `c` there is no hour to tell: `hours` is left out rather
      // than claiming the previous one.
      if (const sources::Value c = element.attribute("c")) store_hour(c.get());
      return descend();
    case 3:
      if (element.named("wind")) return descend();
      leaf = field_of(element, kHourTexts, 1, kSkipped);
      break;
    default:
      leaf = field_of(element, kWindTexts, 1 + std::size(kHourTexts), kSkipped);
      break;
  }
  leaf_ = leaf;
  text_.clear();
  return leaf == kSkipped ? Want::kNothing : Want::kText;
}

void HourlyReader::text(std::string_view text) { text_.append(text); }

void HourlyReader::end() {
  const std::size_t leaf = std::exchange(leaf_, kNone);
  if (leaf < kFields) {  // a later element of the same name overwrites the value
    hour_.set_copy(leaf, std::string_view(text_));
  } else if (leaf == kLastUpdate) {
    records::store(detail_.get(), BRELUND_KEY_LAST_UPDATE, text_.c_str());
  } else if (leaf == kNone && open_-- == 3) {  // an `hour` closes
    hours_.append(hour_.build());
    ++count_;
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
