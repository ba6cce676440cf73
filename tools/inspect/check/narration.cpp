// SPDX-License-Identifier: MIT
#include "check/narration.hpp"

#include <cstring>

namespace inspector::check {
namespace {

using brelund::sources::Element;

std::optional<std::string> text_of(const char* text) {
  return text != nullptr ? std::optional<std::string>(text) : std::nullopt;
}

Placed* find(std::vector<Placed>& values, const char* key) {
  for (Placed& value : values)
    if (std::strcmp(value.key, key) == 0) return &value;
  return nullptr;
}

// Keeps `item` unless the list is full, which `beyond` then says.
template <typename T>
void keep(std::vector<T>& list, T item, bool& beyond) {
  if (list.size() < DaySeen::kDetail)
    list.push_back(std::move(item));
  else
    beyond = true;
}

Through through_of(const readers::TimeStep& step) {
  if (step.period == nullptr) return Through::kUntimed;
  if (step.kind == readers::PeriodKind::other) return Through::kUnknown;
  return step.repeats ? Through::kRepeat : Through::kPeriod;
}

}  // namespace

void Narration::root(const Element& root, bool /*error_document*/) {
  ending_.root = root.qualified_name();
  ending_.root_line = root.line();
}

void Narration::unread(const Element& element) {
  for (auto& family : families_) family->unread(element);
}

void Narration::location(const Element& element, bool replaces) {
  if (replaces && location_.replaced++ == 0) location_.first_replaced = location_.line;
  location_.line = element.line();
  location_.values.clear();
  location_.left_out.clear();
  ending_.has_location = true;
}

void Narration::forecast(const Element& element) {
  if (!ending_.has_forecast) ending_.forecast_line = element.line();
  ending_.has_forecast = true;
}

void Narration::time(const Element& time, const readers::TimeStep& step) {
  time_ = {time.line(), text_of(step.period), text_of(step.to),
           step.kind,   step.in_record,       through_of(step)};
  if (ending_.times++ == 0) ending_.first_time = time_.line;
  if (step.period == nullptr) ++ending_.untimed;
  if (!step.in_record) ++ending_.outside;
  if (step.opens) {
    open_ = DaySeen{};
    open_.opened = time_.line;
    open_.opening_to = time_.to;
  }
  if (step.in_record && step.kind != readers::PeriodKind::other && step.period != nullptr)
    open_.periods |= static_cast<std::uint8_t>(1u << static_cast<unsigned>(step.kind));
  for (auto& family : families_) family->time(time_);
}

void Narration::dating(int /*line*/, readers::Dating dating) { open_.dating = dating; }

void Narration::day_stored(int line, int index) {
  open_.index = static_cast<std::size_t>(index);
  open_.closed = line;
  ++ending_.days;
  for (auto& family : families_) family->day(open_);
  open_ = DaySeen{};
}

void Narration::day_dropped(int opened, int line) {
  const DroppedDay dropped{opened, line, open_.opening_to};
  ++ending_.dropped;
  for (auto& family : families_) family->dropped(dropped);
  open_ = DaySeen{};
}

// A value replaced in the open day record is kept among its losses, with
// the `time` that replaced it; the location's earlier values just go.
void Narration::store_in(std::vector<Placed>& values, const readers::Store& store) {
  Placed placed{store.key, text_of(store.text), store.line, store.element, std::nullopt,
                {},        time_.kind};
  if (store.number != nullptr) placed.number = *store.number;
  if (store.source != nullptr) placed.source = store.source;
  placed.untranslated = store.untranslated;
  if (store.record == readers::Record::kLocation) placed.period = readers::PeriodKind::other;
  Placed* earlier = store.replaces ? find(values, store.key) : nullptr;
  if (earlier == nullptr) {
    values.push_back(std::move(placed));
    return;
  }
  if (store.record == readers::Record::kDay) {
    const readers::PeriodKind period = earlier->period;
    keep(open_.lost,
         Lost{std::move(*earlier), true, readers::Unstored::kKept, time_.through, period,
              time_.line},
         open_.beyond);
  }
  *earlier = std::move(placed);
}

void Narration::stored(const readers::Store& store) {
  store_in(store.record == readers::Record::kLocation ? location_.values : open_.values, store);
}

void Narration::unstored(const Element& element, readers::Record record, const char* key,
                         const char* text, readers::Unstored why) {
  if (why == readers::Unstored::kNoAttribute) {
    LeftOut left{key, element.qualified_name(), element.line()};
    if (record != readers::Record::kLocation)
      keep(open_.left_out, std::move(left), open_.beyond);
    else if (location_.left_out.size() < DaySeen::kDetail)  // only named, never counted
      location_.left_out.push_back(std::move(left));
    return;
  }
  Placed value{key, text_of(text), element.line(), element.qualified_name(), std::nullopt,
               {},  time_.kind};
  keep(open_.lost, Lost{std::move(value), false, why, time_.through, time_.kind, time_.line},
       open_.beyond);
}

void Narration::reading_unset(int line, const char* text) {
  keep(open_.unset, std::pair<int, std::string>(line, text), open_.beyond);
}

void Narration::compared_whole(const readers::WholeComparison& comparison) {
  keep(open_.ties, Tie{comparison.key, comparison.kept, comparison.text, comparison.line},
       open_.beyond);
}

void Narration::missed(readers::Table table, const char* key, int line) {
  for (auto& family : families_) family->missed(table, key, line);
}

const Ending& Narration::finish() {
  if (ending_.has_location)
    for (auto& family : families_) family->location(location_);
  return ending_;
}

}  // namespace inspector::check
