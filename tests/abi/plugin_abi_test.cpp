// SPDX-License-Identifier: MIT
// The plug-in as the host sees it: a file loaded with dlopen, nine C symbols.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <libxml/parser.h>

#include <string>
#include <type_traits>

#include "host/plugin.hpp"
#include "host_table.hpp"
#include "tarnvale-brelund-source.h"

namespace brelund::testing {
namespace {

// The header's pointer types are the functions' own, noexcept included, so
// a host's dlsym result cast to one calls the function as declared.
static_assert(std::is_same_v<brelund_source_init_fn, decltype(&source_init)>);
static_assert(std::is_same_v<brelund_source_destroy_fn, decltype(&source_destroy)>);
static_assert(
    std::is_same_v<brelund_get_station_weather_data_fn, decltype(&get_station_weather_data)>);
static_assert(std::is_same_v<brelund_free_fields_fn, decltype(&free_fields)>);
static_assert(std::is_same_v<brelund_parse_xml_data_fn, decltype(&parse_xml_data)>);
static_assert(std::is_same_v<brelund_parse_xml_detail_data_fn, decltype(&parse_xml_detail_data)>);
static_assert(std::is_same_v<brelund_hash_icons_brelund_table_create_fn,
                             decltype(&hash_icons_brelund_table_create)>);
static_assert(std::is_same_v<brelund_hash_description_brelund_table_create_fn,
                             decltype(&hash_description_brelund_table_create)>);
static_assert(
    std::is_same_v<brelund_hash_brelund_table_find_fn, decltype(&hash_brelund_table_find)>);

// The host's view: the file loaded with dlopen and the nine functions
// resolved by name (the inspector's loader, which is exactly that).
class LoadedPlugin : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string why;
    ASSERT_TRUE(p.load(BRELUND_PLUGIN_PATH, why)) << why;
  }
  inspector::Plugin p;
};

TEST_F(LoadedPlugin, InternalNamesStayHidden) {
  for (const char* name :
       {"_ZN7brelund7station10new_recordEv", "release_record", "store", "leading_int", "kIcons"})
    EXPECT_EQ(dlsym(p.handle, name), nullptr) << name;
}

TEST_F(LoadedPlugin, LifeCycleToleratesRepeatedOrMissingCalls) {
  p.source_destroy();  // before any source_init: nothing to release
  EXPECT_EQ(p.source_init(), 1);
  p.source_destroy();
  p.source_destroy();  // the slot was cleared: no second release
  EXPECT_EQ(p.source_init(), 1);
  p.source_destroy();
}

TEST_F(LoadedPlugin, ReadsAForecastFileIntoTheHostsTable) {
  TempDir dir;
  const std::string path = dir.write("STATION1.xml", R"(<?xml version="1.0"?>
<weatherdata><location><timezone utcoffsetMinutes="-210"/>
<location latitude="47.5556" longitude="-52.7453"/></location></weatherdata>)");
  HostTable table;
  EXPECT_EQ(p.get_station_weather_data(path.c_str(), table.get()), 0);
  GHashTable* location = table.record("location");
  EXPECT_EQ(field(location, "station_latitude"), "47.5556");
  EXPECT_EQ(field(location, "station_longitude"), "-52.7453");
  EXPECT_EQ(field(location, "station_time_zone"), "-3");

  const std::string error = dir.write("STATION2.xml", "<error/>");
  HostTable untouched;
  EXPECT_EQ(p.get_station_weather_data(error.c_str(), untouched.get()), -2);
  EXPECT_EQ(untouched.size(), 0u);
}

TEST_F(LoadedPlugin, FreeFieldsReleasesTextAndSkipsNull) {
  GHashTable* record = g_hash_table_new(g_str_hash, g_str_equal);
  g_hash_table_insert(record, const_cast<char*>("a"), g_strdup("text"));
  g_hash_table_insert(record, const_cast<char*>("b"), nullptr);
  g_hash_table_foreach(record, p.free_fields, nullptr);
  g_hash_table_destroy(record);
}

TEST_F(LoadedPlugin, ReadsTheBundledHourlyDocumentAsAHostWould) {
  xmlDoc* doc = xmlReadFile(BRELUND_EXAMPLES_DIR "/skarvik-hourly.xml", nullptr, 0);
  ASSERT_NE(doc, nullptr);
  HostTable table;
  EXPECT_EQ(p.parse_xml_detail_data("skarvik", xmlDocGetRootElement(doc), table.get()), 48);
  xmlFreeDoc(doc);  // the records hold copies, never pointers into the document
  EXPECT_EQ(field(table.record("detail"), "last_update"), "12/8/26 4:10 AM CET");
  const auto hours = table.hours();
  ASSERT_EQ(hours.size(), 48u);
  EXPECT_EQ(field(hours.front(), "hours"), "05");
  EXPECT_EQ(field(hours.front(), "hour_title"), "Fair");
  EXPECT_EQ(field(hours.front(), "hour_wind_direction"), "SSE");
  EXPECT_EQ(field(hours.back(), "hours"), "04");
}

}  // namespace
}  // namespace brelund::testing
