// SPDX-License-Identifier: MIT
// The hour-by-hour document, read element by element: the root's `hbhf`
// becomes the detail record, its `hour` elements the hours list. Nothing is
// translated: every value but the hour itself is an element's text, copied.
#pragma once

#include <glib.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <span>
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
  // Where an element stands. Only the root, `hbhf`, `hour` and `wind` have
  // their children shown; a text element shows its text alone.
  enum class Scope : std::uint8_t {
    kDocument,    // the root's parent
    kRoot,        // whatever its name
    kHbhf,        // the detail record
    kHour,        // an hour record
    kWind,        // inside an hour
    kField,       // a text for the hour record (field_ says which field)
    kLastUpdate,  // `lsup`: a text for the detail record
    kOther,       // skipped, with all it holds
  };

  // The hour record's fields; kHourKeys names them.
  static constexpr std::size_t kFields = 9;
  static const std::array<const char*, kFields> kHourKeys;

  sources::Want enter(Scope scope, sources::Want want) noexcept;
  // The child of `hour` or `wind` among `names` fills the field `first`
  // plus its place there; any other is skipped.
  sources::Want enter_field(const sources::Element& element, std::span<const char* const> names,
                            std::size_t first);
  sources::Want enter_text(Scope scope);
  sources::Want open_hour(const sources::Element& hour);
  void store_hour(const char* c);

  static constexpr std::size_t kDepth = 6;  // document, root, hbhf, hour, wind, a text
  std::array<Scope, kDepth> scopes_{Scope::kDocument};
  std::size_t depth_ = 1;
  std::size_t field_ = 0;  // the field a kField element's text fills
  std::string text_;
  records::Record detail_;
  records::RecordList hours_;
  int count_ = 0;
  records::RecordDraft<kFields> hour_{kHourKeys};  // the hour being read
  // The call's time record, kept from hour to hour.
  std::tm time_{};
};

}  // namespace brelund::readers
