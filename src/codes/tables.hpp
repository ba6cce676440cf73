// SPDX-License-Identifier: MIT
// The service's symbol numbers and condition names, and the host's icon
// codes and English texts they translate to.
#pragma once

#include <array>
#include <cstddef>
#include <utility>

namespace brelund::codes {

using Entry = std::pair<const char*, const char*>;

// "day<n>" / "night<n>" for symbol n -> host icon code.
inline constexpr std::array<Entry, 30> kIcons{{
    {"day1", "32"},    {"night1", "31"}, {"day2", "30"},    {"night2", "29"}, {"day3", "28"},
    {"night3", "27"},  {"day4", "26"},   {"night4", "26"},  {"day5", "39"},   {"night5", "45"},
    {"day6", "37"},    {"night6", "47"}, {"day7", "5"},     {"night7", "5"},  {"day8", "41"},
    {"night8", "46"},  {"day9", "11"},   {"night9", "11"},  {"day10", "12"},  {"night10", "12"},
    {"day11", "0"},    {"night11", "0"}, {"day12", "7"},    {"night12", "7"}, {"day13", "14"},
    {"night13", "14"}, {"day14", "14"},  {"night14", "14"}, {"day15", "20"},  {"night15", "20"},
}};

// Norwegian condition name (UTF-8) -> English text.
inline constexpr std::array<Entry, 10> kDescriptions{{
    {"Klarvær", "Clear Sky"},
    {"Regnbyger", "Rain Showers"},
    {"Skyet", "Cloudy"},
    {"Lettskyet", "Fair"},
    {"Delvis skyet", "Partly Cloudy"},
    {"Regn", "Rain"},
    {"Sludd", "Sleet"},
    {"Snø", "Snow"},
    {"Snøbyger", "Light Snow"},
    {"Kraftig regn", "Heavy Rain"},
}};

// The readers' lookups: exactly what hash_brelund_table_find finds in a
// freshly created table with short flag 0, without creating and hashing a
// table for every document. A miss gives null; reporting it, and what
// stands in for the translation, are the reader's.

constexpr std::size_t kKeyBuffer = 256;

// The icon code for symbol `number` in the day half ("day<number>") or the
// night half ("night<number>").
const char* icon(bool night, const char* number) noexcept;

// The table key for symbol `number`, formatted into `key` (bounded like the
// readers' 256-byte buffer): the text a missed icon lookup reports.
const char* icon_key(bool night, const char* number, char (&key)[kKeyBuffer]) noexcept;

// The English text for a condition name.
const char* description(const char* name) noexcept;

}  // namespace brelund::codes
