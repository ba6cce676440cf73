// SPDX-License-Identifier: MIT
// The code lookup: the first byte picks the table (bit 0) and the short flag
// (bit 1); the rest, up to a NUL, is the key.
#include <cstring>
#include <string>

#include "fuzz_host.hpp"
#include "tarnvale-brelund-source.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace brelund;
  if (size == 0) return 0;
  const bool descriptions = (data[0] & 1) != 0;
  const int short_flag = (data[0] & 2) != 0 ? 1 : 0;
  const std::string key(reinterpret_cast<const char*>(data + 1),
                        strnlen(reinterpret_cast<const char*>(data + 1), size - 1));
  GHashTable* table =
      descriptions ? hash_description_brelund_table_create() : hash_icons_brelund_table_create();
  fuzz::require(g_hash_table_size(table) == (descriptions ? 10u : 30u));
  const char* found = hash_brelund_table_find(table, key.c_str(), short_flag);
  // Either the key itself or one of the table's own values.
  bool known = found == key.c_str();
  GHashTableIter it;
  gpointer value = nullptr;
  g_hash_table_iter_init(&it, table);
  while (!known && g_hash_table_iter_next(&it, nullptr, &value)) known = found == value;
  fuzz::require(known);
  if (short_flag == 0 && found != key.c_str())
    fuzz::require(g_hash_table_lookup(table, key.c_str()) == found);
  g_hash_table_destroy(table);
  return 0;
}
