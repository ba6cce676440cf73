// SPDX-License-Identifier: MIT
// The readers' lookups in the code tables.
#include "codes/tables.hpp"

#include <cstdio>
#include <cstring>

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

const char* icon(bool night, const char* number) noexcept {
  if (const int symbol = symbol_of(number); symbol != 0)
    return kIcons[2 * static_cast<std::size_t>(symbol - 1) + (night ? 1 : 0)].second;
  return nullptr;
}

const char* icon_key(bool night, const char* number, char (&key)[kKeyBuffer]) noexcept {
  std::memset(key, 0, sizeof key);
  std::snprintf(key, sizeof key - 1, night ? "night%s" : "day%s", number);
  return key;
}

const char* description(const char* name) noexcept {
  for (const auto& [key, value] : kDescriptions)
    if (key[0] == name[0] && std::strcmp(key, name) == 0) return value;
  return nullptr;
}

}  // namespace brelund::codes
