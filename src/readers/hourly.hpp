// SPDX-License-Identifier: MIT
// The hour-by-hour document, read element by element: the root's `hbhf`
// becomes the detail record, its `hour` elements the hours list. Nothing is
// translated: every value but the hour itself is an element's text, copied.
#pragma once

#include <glib.h>

#include <array>
#include <cstddef>
#include <ctime>
#include <string>

#include "records/record_draft.hpp"
#include "sources/element.hpp"

namespace brelund::readers {

class HourlyReader final : public sources::ElementHandler {
 public:
  sources::Want start(const sources::Element& element) override;
  void text(std::string_view text) override;
  void end() override;
  bool full() const noexcept override { return false; }

  // Stores `detail` in `station_data` (null when the root has no `hbhf`
  // child) and returns the number of hour records.
  int hand_over(GHashTable* station_data) noexcept;

 private:
  // Where the text of the element being read goes: a field of the hour
  // record (kHourKeys), or `last_update`; kSkipped when it is not read, kNone
  // while no such element is open.
  enum : std::size_t { kFields = 9, kLastUpdate = kFields, kSkipped, kNone };
  static const std::array<const char*, kFields> kHourKeys;

  sources::Want descend() noexcept;
  void store_hour(const char* c);

  // Open elements whose children are shown: the root, `hbhf`, `hour` and
  // `wind`, in that order, so their number says where a child stands.
  std::size_t open_ = 0;
  std::size_t leaf_ = kNone;
  std::string text_;
  records::Record detail_;
  records::RecordList hours_;
  int count_ = 0;
  records::RecordDraft<kFields> hour_{kHourKeys};  // the hour being read
  // The call's time record, kept from hour to hour.
  std::tm time_{};
};

}  // namespace brelund::readers
