// SPDX-License-Identifier: MIT
// One record's values gathered field by field before the record is built,
// for readers whose documents overwrite values as they go on. Overwriting
// reuses the field's buffer rather than allocating, only the final values
// are copied to the heap, and each key is hashed once. Keys go in in the
// order their fields first got a value, so the record is laid out exactly as
// storing value by value lays it out.
#pragma once

#include <glib.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "records/station_data.hpp"

namespace brelund::records {

template <std::size_t N>
class RecordDraft {
 public:
  using Keys = std::array<const char*, N>;

  // Estimated heap cost of a built record, beyond its values: the hash
  // table with its arrays, and the list cell that holds it.
  static constexpr std::size_t kRecordCost = 640;
  // ...and of each value: the allocation's header and rounding.
  static constexpr std::size_t kValueCost = 32;

  // `keys` are the record's static key names, by field.
  explicit RecordDraft(const Keys& keys) noexcept : keys_(keys) {}
  RecordDraft(const RecordDraft&) = delete;
  RecordDraft& operator=(const RecordDraft&) = delete;
  ~RecordDraft() = default;

  // Text that may go away: copied now. Null stores a null value.
  void set_copy(std::size_t field, const char* text) {
    if (text == nullptr) return set_null(field);
    set_copy(field, std::string_view(text));
  }
  void set_copy(std::size_t field, std::string_view text) {
    Slot& slot = claim(field);
    const std::size_t before = slot.copy.capacity();
    slot.copy.assign(text);
    capacity_ += slot.copy.capacity() - before;  // strings never shrink here
    slot.state = State::kCopy;
  }

  // Text that outlives the record (static text): kept as a pointer.
  void set_static(std::size_t field, const char* text) noexcept {
    Slot& slot = claim(field);
    slot.fixed = text;
    slot.state = text != nullptr ? State::kStatic : State::kNull;
  }

  void set_null(std::size_t field) noexcept { claim(field).state = State::kNull; }

  // True when the field holds a value that is not null.
  bool holds_value(std::size_t field) const noexcept {
    return slots_[field].state == State::kCopy || slots_[field].state == State::kStatic;
  }

  // True when the field holds anything, a null value included.
  bool has(std::size_t field) const noexcept { return slots_[field].state != State::kAbsent; }

  // The field's text; null when it holds none (or a null value).
  const char* text_of(std::size_t field) const noexcept {
    const Slot& slot = slots_[field];
    if (slot.state == State::kCopy) return slot.copy.c_str();
    return slot.state == State::kStatic ? slot.fixed : nullptr;
  }

  // Heap bytes the draft's buffers hold, kept between records.
  std::size_t capacity() const noexcept { return capacity_; }

  // The record, with a heap copy of every value; the draft is empty
  // afterwards (its buffers stay for the next record). Adds the record's
  // estimated heap bytes to `bytes`.
  Record build(std::size_t& bytes) noexcept {
    Record record = make_record();
    bytes += kRecordCost;
    for (std::size_t i = 0; i < filled_; ++i) {
      const Slot& slot = slots_[order_[i]];
      char* value = nullptr;
      if (slot.state == State::kCopy) {
        value = g_strndup(slot.copy.data(), slot.copy.size());
        bytes += kValueCost + slot.copy.size();
      } else if (slot.state == State::kStatic) {
        value = g_strdup(slot.fixed);
        bytes += kValueCost;  // static values are short codes and texts
      }
      g_hash_table_insert(record.get(), const_cast<char*>(keys_[order_[i]]), value);
    }
    clear();
    return record;
  }
  Record build() noexcept {
    std::size_t ignored = 0;
    return build(ignored);
  }

  void clear() noexcept {
    for (std::size_t i = 0; i < filled_; ++i) slots_[order_[i]].state = State::kAbsent;
    filled_ = 0;
  }

 private:
  enum class State : std::uint8_t { kAbsent, kNull, kCopy, kStatic };
  struct Slot {
    std::string copy;
    const char* fixed = nullptr;
    State state = State::kAbsent;
  };

  Slot& claim(std::size_t field) noexcept {
    Slot& slot = slots_[field];
    if (slot.state == State::kAbsent) order_[filled_++] = static_cast<std::uint8_t>(field);
    return slot;
  }

  static_assert(N <= 255, "fields are numbered in a byte");
  const Keys& keys_;
  std::array<Slot, N> slots_{};
  std::array<std::uint8_t, N> order_{};
  std::size_t filled_ = 0;
  std::size_t capacity_ = 0;  // of every slot's buffer
};

}  // namespace brelund::records
