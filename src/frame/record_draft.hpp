// One record's values gathered field by field before the record is built,
// for readers whose documents overwrite values as they go on. Overwriting is
// a pointer swap rather than a hash lookup, only the final values are
// copied, and each key is hashed once. Keys go in in the order their fields
// first got a value, so the record is laid out exactly as storing value by
// value lays it out.
#pragma once

#include <glib.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>

#include "frame/station_data.hpp"
#include "xml.hpp"

namespace brelund::station {

template <std::size_t N>
class RecordDraft {
 public:
  using Keys = std::array<const char*, N>;

  // `keys` are the record's static key names, by field.
  explicit RecordDraft(const Keys& keys) noexcept : keys_(keys) {}
  RecordDraft(const RecordDraft&) = delete;
  RecordDraft& operator=(const RecordDraft&) = delete;

  // Document text, borrowed from the tree (which must outlive build()) or
  // held when libxml2 had to copy it. A null text stores a null value.
  void set(std::size_t field, xml::String text) noexcept {
    Slot& slot = claim(field);
    slot.text = text.get();
    slot.document = std::move(text);
    slot.copy.reset();
  }

  // Document text kept where it is when it is the tree's own, copied now
  // when it is libxml2's copy.
  void set_text(std::size_t field, const xml::String& text) noexcept {
    if (text.copied())
      set_copy(field, text.get());
    else
      set_static(field, text.get());
  }

  // Text that outlives the draft: static text, or the document's.
  void set_static(std::size_t field, const char* text) noexcept {
    Slot& slot = claim(field);
    slot.text = text;
    slot.document = xml::String();
    slot.copy.reset();
  }

  // Short-lived text (a stack buffer): copied now.
  void set_copy(std::size_t field, const char* text) noexcept {
    Slot& slot = claim(field);
    slot.copy.reset(g_strdup(text));
    slot.text = slot.copy.get();
    slot.document = xml::String();
  }

  // True when the field holds a value that is not null.
  bool holds_value(std::size_t field) const noexcept {
    return slots_[field].present && slots_[field].text != nullptr;
  }

  // The record, with a copy of every value; the draft is empty afterwards.
  Record build() noexcept {
    Record record = make_record();
    for (std::size_t i = 0; i < filled_; ++i) {
      Slot& slot = slots_[order_[i]];
      char* value = slot.copy ? slot.copy.release() : g_strdup(slot.text);
      g_hash_table_insert(record.get(), const_cast<char*>(keys_[order_[i]]), value);
    }
    clear();
    return record;
  }

  void clear() noexcept {
    for (std::size_t i = 0; i < filled_; ++i) slots_[order_[i]] = Slot();
    filled_ = 0;
  }

 private:
  struct GFree {
    void operator()(char* text) const noexcept { g_free(text); }
  };
  struct Slot {
    const char* text = nullptr;
    xml::String document;
    std::unique_ptr<char, GFree> copy;
    bool present = false;
  };

  Slot& claim(std::size_t field) noexcept {
    Slot& slot = slots_[field];
    if (!slot.present) {
      slot.present = true;
      order_[filled_++] = static_cast<std::uint8_t>(field);
    }
    return slot;
  }

  static_assert(N <= 255, "fields are numbered in a byte");
  const Keys& keys_;
  std::array<Slot, N> slots_{};
  std::array<std::uint8_t, N> order_{};
  std::size_t filled_ = 0;
};

}  // namespace brelund::station
