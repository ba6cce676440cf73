// SPDX-License-Identifier: MIT
#include "records/station_data.hpp"

#include "tarnvale-brelund-source.h"

namespace brelund::records {

GHashTable* new_record() noexcept { return g_hash_table_new(g_str_hash, g_str_equal); }

void free_value(gpointer /*key*/, gpointer value, gpointer /*user_data*/) noexcept {
  g_free(value);
}

void release_record(GHashTable* record) noexcept {
  if (record == nullptr) return;
  g_hash_table_foreach(record, free_value, nullptr);
  g_hash_table_remove_all(record);
  g_hash_table_unref(record);
}

void release_records(GSList* list) noexcept {
  for (GSList* cell = list; cell != nullptr; cell = cell->next)
    release_record(static_cast<GHashTable*>(cell->data));
  g_slist_free(list);
}

void release_station_data(GHashTable* table) noexcept {
  if (table == nullptr) return;
  release_record(static_cast<GHashTable*>(g_hash_table_lookup(table, BRELUND_KEY_LOCATION)));
  release_record(static_cast<GHashTable*>(g_hash_table_lookup(table, BRELUND_KEY_CURRENT)));
  release_records(static_cast<GSList*>(g_hash_table_lookup(table, BRELUND_KEY_FORECAST)));
  g_hash_table_remove_all(table);
  g_hash_table_destroy(table);
}

void store(GHashTable* record, const char* key, const char* value) noexcept {
  gpointer replaced = g_hash_table_lookup(record, key);
  g_hash_table_insert(record, const_cast<char*>(key), g_strdup(value));
  g_free(replaced);
}

void hand_over(GHashTable* station_data, const char* key, gpointer value) noexcept {
  g_hash_table_insert(station_data, const_cast<char*>(key), value);
}

void RecordList::append(Record record) noexcept {
  GSList* cell = g_slist_alloc();
  cell->data = record.release();
  cell->next = nullptr;
  if (tail_ == nullptr)
    head_ = cell;
  else
    tail_->next = cell;
  tail_ = cell;
}

GSList* RecordList::release() noexcept {
  GSList* list = head_;
  head_ = tail_ = nullptr;
  return list;
}

}  // namespace brelund::records
