// The exported code tables and their lookup with fallback.
#include "codes/tables.hpp"

#include <cstdio>
#include <cstring>

#include "tarnvale-brelund-source.h"

namespace {

void report_missing(const char* key) noexcept { std::fprintf(stderr, "Not found %s\n", key); }

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
  report_missing(key);
  return key;
}

namespace brelund::codes {
namespace {

constexpr int kSymbols = static_cast<int>(kIcons.size() / 2);

constexpr bool same(const char* a, const char* b) {
  while (*a != '\0' && *a == *b) ++a, ++b;
  return *a == *b;
}

constexpr bool icon_key_is(std::size_t index, const char* half, int symbol) {
  const char* key = kIcons[index].first;
  while (*half != '\0')
    if (*key++ != *half++) return false;
  char digits[3] = {};
  if (symbol >= 10) {
    digits[0] = static_cast<char>('0' + symbol / 10);
    digits[1] = static_cast<char>('0' + symbol % 10);
  } else {
    digits[0] = static_cast<char>('0' + symbol);
  }
  return same(key, digits);
}

// icon() finds symbol n's keys at 2(n-1) and 2(n-1)+1 without searching.
constexpr bool icons_in_symbol_order() {
  for (int symbol = 1; symbol <= kSymbols; ++symbol) {
    const std::size_t day = 2 * static_cast<std::size_t>(symbol - 1);
    if (!icon_key_is(day, "day", symbol) || !icon_key_is(day + 1, "night", symbol)) return false;
  }
  return true;
}
static_assert(icons_in_symbol_order() && kSymbols == 15);

// The symbol number a table key spells: "1" to "15" exactly, else 0.
int symbol_of(const char* number) noexcept {
  if (number[0] < '1' || number[0] > '9') return 0;
  const int first = number[0] - '0';
  if (number[1] == '\0') return first;
  if (first != 1 || number[1] < '0' || number[1] > '9' || number[2] != '\0') return 0;
  const int symbol = 10 + (number[1] - '0');
  return symbol <= kSymbols ? symbol : 0;
}

}  // namespace

const char* icon(bool night, const char* number, char (&key)[kKeyBuffer]) noexcept {
  if (const int symbol = symbol_of(number); symbol != 0)
    return kIcons[2 * static_cast<std::size_t>(symbol - 1) + (night ? 1 : 0)].second;
  std::memset(key, 0, sizeof key);
  std::snprintf(key, sizeof key - 1, night ? "night%s" : "day%s", number);
  report_missing(key);
  return key;
}

const char* description(const char* name) noexcept {
  for (const auto& [key, value] : kDescriptions)
    if (key[0] == name[0] && std::strcmp(key, name) == 0) return value;
  report_missing(name);
  return name;
}

}  // namespace brelund::codes
