// SPDX-License-Identifier: MIT
// The check's narrator: it hears the plug-in's readers decide, keeps with
// each value of the open day record and of the location record the element
// it came from, and hands the families each record once its fate is known
// (stored or dropped), so that nothing a finding says of a stored value can
// be about a value the plug-in did not store.
#pragma once

#include <memory>
#include <vector>

#include "check/events.hpp"
#include "readers/narrator.hpp"

namespace inspector::check {

class Narration final : public readers::Narrator {
 public:
  explicit Narration(std::vector<std::unique_ptr<Family>>& families) : families_(families) {}
  Narration(const Narration&) = delete;
  Narration& operator=(const Narration&) = delete;
  ~Narration() = default;

  void root(const brelund::sources::Element& root, bool error_document) override;
  void unread(const brelund::sources::Element& element) override;
  void location(const brelund::sources::Element& element, bool replaces) override;
  void forecast(const brelund::sources::Element& element) override;
  void time(const brelund::sources::Element& time, const readers::TimeStep& step) override;
  void dating(int line, readers::Dating dating) override;
  void day_stored(int line, int index) override;
  void day_dropped(int opened, int line) override;
  void stored(const readers::Store& store) override;
  void unstored(const brelund::sources::Element& element, readers::Record record, const char* key,
                const char* text, readers::Unstored why) override;
  void reading_unset(int line, const char* text) override;
  void compared_whole(const readers::WholeComparison& comparison) override;
  void missed(readers::Table table, const char* key, int line) override;

  // Once the document is read: the location record goes to the families,
  // and the ending says what the document held.
  const Ending& finish();

 private:
  void store_in(std::vector<Placed>& values, const readers::Store& store);

  std::vector<std::unique_ptr<Family>>& families_;
  Ending ending_;
  TimeSeen time_;  // the `time` being read
  DaySeen open_;   // the open day record's values and losses
  LocationSeen location_;
};

}  // namespace inspector::check
