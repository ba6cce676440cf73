// SPDX-License-Identifier: MIT
// The exported code tables and their lookup with fallback.
#include <cstdio>

#include "codes/tables.hpp"
#include "records/diagnostics.hpp"
#include "tarnvale-brelund-source.h"

namespace {

template <std::size_t N>
GHashTable* make_table(const std::array<brelund::codes::Entry, N>& entries) noexcept {
  // Keys and values are static: no destroy functions.
  GHashTable* table = g_hash_table_new(g_str_hash, g_str_equal);
  for (const auto& [key, value] : entries)
    g_hash_table_insert(table, const_cast<char*>(key), const_cast<char*>(value));
  return table;
}

}  // namespace

GHashTable* hash_icons_brelund_table_create() noexcept {
  return make_table(brelund::codes::kIcons);
}

GHashTable* hash_description_brelund_table_create() noexcept {
  return make_table(brelund::codes::kDescriptions);
}

const char* hash_brelund_table_find(GHashTable* table, const char* key, int short_flag) noexcept {
  if (key == nullptr) return nullptr;  // nothing to look up, nothing to name
  char short_key[512];
  const char* lookup = key;
  if (short_flag != 0) {
    std::snprintf(short_key, sizeof short_key - 1, "%s_short", key);
    lookup = short_key;
  }
  gpointer value = nullptr;
  if (table != nullptr && g_hash_table_lookup_extended(table, lookup, nullptr, &value))
    return static_cast<const char*>(value);
  brelund::records::Diagnostics::report(key);
  return key;
}
