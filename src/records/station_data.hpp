// SPDX-License-Identifier: MIT
// Records and lists of the station data tree, as the host receives them:
// GHashTables with static keys and g_strdup values, GSLists of records.
// The holders here own what a call builds until it is handed to the host.
#pragma once

#include <glib.h>

#include <memory>

namespace brelund::records {

// A new, empty record: text keys, no destroy functions.
GHashTable* new_record() noexcept;

// Frees one value of a record (g_free; null is ignored): a GHFunc.
void free_value(gpointer key, gpointer value, gpointer user_data) noexcept;

// Frees every value, empties the record and drops it. Null is ignored.
void release_record(GHashTable* record) noexcept;

// Releases each record in order, then the list cells.
void release_records(GSList* list) noexcept;

// Releases `location`, `current` and `forecast` of a station data table, then
// empties and destroys the table itself. `detail` is not touched.
void release_station_data(GHashTable* table) noexcept;

struct RecordRelease {
  void operator()(GHashTable* record) const noexcept { release_record(record); }
};
using Record = std::unique_ptr<GHashTable, RecordRelease>;

inline Record make_record() noexcept { return Record(new_record()); }

// Stores a copy of `value` (null stores a null value) under the static `key`,
// freeing the value it replaces: records have no value destroy function.
void store(GHashTable* record, const char* key, const char* value) noexcept;

// Inserts into the host's table (insert semantics: a value already there is
// replaced without being released, as the host expects).
void hand_over(GHashTable* station_data, const char* key, gpointer value) noexcept;

// A list of records built by appending in constant time; releases whatever it
// still owns when destroyed.
class RecordList {
 public:
  RecordList() = default;
  RecordList(const RecordList&) = delete;
  RecordList& operator=(const RecordList&) = delete;
  ~RecordList() { release_records(head_); }

  void append(Record record) noexcept;
  // Gives up ownership of the cells and records.
  GSList* release() noexcept;

 private:
  GSList* head_ = nullptr;
  GSList* tail_ = nullptr;
};

}  // namespace brelund::records
