// SPDX-License-Identifier: MIT
// The icon and condition tables and their lookup.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "codes/tables.hpp"
#include "tarnvale-brelund-source.h"

namespace brelund::testing {
namespace {

std::map<std::string, std::string> contents(GHashTable* table) {
  std::map<std::string, std::string> out;
  g_hash_table_foreach(
      table,
      [](gpointer key, gpointer value, gpointer data) {
        (*static_cast<std::map<std::string, std::string>*>(data))[static_cast<const char*>(key)] =
            static_cast<const char*>(value);
      },
      &out);
  return out;
}

TEST(CodeTables, IconTableHoldsExactlyTheThirtySymbols) {
  GHashTable* icons = hash_icons_brelund_table_create();
  const std::map<std::string, std::string> expected = {
      {"day1", "32"},    {"night1", "31"}, {"day2", "30"},    {"night2", "29"}, {"day3", "28"},
      {"night3", "27"},  {"day4", "26"},   {"night4", "26"},  {"day5", "39"},   {"night5", "45"},
      {"day6", "37"},    {"night6", "47"}, {"day7", "5"},     {"night7", "5"},  {"day8", "41"},
      {"night8", "46"},  {"day9", "11"},   {"night9", "11"},  {"day10", "12"},  {"night10", "12"},
      {"day11", "0"},    {"night11", "0"}, {"day12", "7"},    {"night12", "7"}, {"day13", "14"},
      {"night13", "14"}, {"day14", "14"},  {"night14", "14"}, {"day15", "20"},  {"night15", "20"},
  };
  EXPECT_EQ(contents(icons), expected);
  g_hash_table_destroy(icons);
}

TEST(CodeTables, DescriptionTableHoldsExactlyTheTenNames) {
  GHashTable* names = hash_description_brelund_table_create();
  const std::map<std::string, std::string> expected = {
      {"Klarv\u00e6r", "Clear Sky"},
      {"Regnbyger", "Rain Showers"},
      {"Skyet", "Cloudy"},
      {"Lettskyet", "Fair"},
      {"Delvis skyet", "Partly Cloudy"},
      {"Regn", "Rain"},
      {"Sludd", "Sleet"},
      {"Sn\u00f8", "Snow"},
      {"Sn\u00f8byger", "Light Snow"},
      {"Kraftig regn", "Heavy Rain"},
  };
  EXPECT_EQ(contents(names), expected);
  g_hash_table_destroy(names);
}

class Lookup : public ::testing::Test {
 protected:
  void SetUp() override {
    icons = hash_icons_brelund_table_create();
    names = hash_description_brelund_table_create();
  }
  void TearDown() override {
    g_hash_table_destroy(icons);
    g_hash_table_destroy(names);
  }
  // The lookup's answer and what it wrote to standard error.
  std::pair<std::string, std::string> find(GHashTable* table, const char* key, int short_flag) {
    ::testing::internal::CaptureStderr();
    const char* found = hash_brelund_table_find(table, key, short_flag);
    return {found != nullptr ? found : "<null>", ::testing::internal::GetCapturedStderr()};
  }
  GHashTable* icons = nullptr;
  GHashTable* names = nullptr;
};

TEST_F(Lookup, HitsReturnTheTableValueSilently) {
  EXPECT_EQ(find(icons, "day3", 0), std::make_pair(std::string("28"), std::string()));
  EXPECT_EQ(find(icons, "night4", 0), std::make_pair(std::string("26"), std::string()));
  EXPECT_EQ(find(names, "Sn\u00f8byger", 0),
            std::make_pair(std::string("Light Snow"), std::string()));
}

TEST_F(Lookup, MissesReturnTheKeyAndNameItOnce) {
  const char* key = "day16";
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(hash_brelund_table_find(icons, key, 0), key);  // the given text itself
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Not found day16\n");

  EXPECT_EQ(find(names, "Cloudy", 0),
            std::make_pair(std::string("Cloudy"), std::string("Not found Cloudy\n")));
  EXPECT_EQ(find(names, "skyet", 0).second, "Not found skyet\n");  // case matters
}

TEST_F(Lookup, ShortFlagLooksForTheShortFormButNamesTheKey) {
  EXPECT_EQ(find(names, "Skyet", 1),
            std::make_pair(std::string("Skyet"), std::string("Not found Skyet\n")));
  const std::string long_key(600, 'k');
  const auto [found, said] = find(names, long_key.c_str(), 1);
  EXPECT_EQ(found, long_key);
  EXPECT_EQ(said, "Not found " + long_key + "\n");
}

TEST_F(Lookup, NullKeyOrTableDoesNotCrash) {
  EXPECT_EQ(find(icons, nullptr, 0), std::make_pair(std::string("<null>"), std::string()));
  EXPECT_EQ(find(nullptr, "day1", 0),
            std::make_pair(std::string("day1"), std::string("Not found day1\n")));
}

// The readers' table-free lookups answer exactly as the exported lookup does
// on a fresh table, and miss exactly where it reports a miss.
TEST_F(Lookup, ReaderLookupsMatchTheExportedLookup) {
  const std::string long_number(300, '7');
  const std::vector<std::string> numbers = {"1",  "2",  "9",   "10", "11", "14",  "15",       "16",
                                            "0",  "01", "015", "1 ", " 1", "1.0", "-1",       "+1",
                                            "19", "20", "150", "",   "a",  "1a",  long_number};
  for (const std::string& number : numbers) {
    for (const bool night : {false, true}) {
      char formatted[codes::kKeyBuffer];
      std::snprintf(formatted, sizeof formatted - 1, night ? "night%s" : "day%s", number.c_str());
      const auto expected = find(icons, formatted, 0);
      char key[codes::kKeyBuffer];
      const char* icon = codes::icon(night, number.c_str());
      const std::string actual =
          icon != nullptr ? icon : codes::icon_key(night, number.c_str(), key);
      const std::string said = icon != nullptr ? "" : "Not found " + actual + "\n";
      EXPECT_EQ(std::make_pair(actual, said), expected) << (night ? "night" : "day") << number;
    }
  }
  for (const char* name : {"Klarv\u00e6r", "Regnbyger", "Skyet", "Lettskyet", "Delvis skyet",
                           "Regn", "Sludd", "Sn\u00f8", "Sn\u00f8byger", "Kraftig regn", "Cloudy",
                           "skyet", "Skyet ", "Sky", "Regnb", "Sn", "", "Kraftig regn og vind"}) {
    const auto expected = find(names, name, 0);
    const char* title = codes::description(name);
    EXPECT_EQ(title == nullptr, !expected.second.empty()) << name;
    EXPECT_EQ(title != nullptr ? title : name, expected.first) << name;
  }
}

}  // namespace
}  // namespace brelund::testing
