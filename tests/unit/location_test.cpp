// SPDX-License-Identifier: MIT
// The forecast walk and the location record.
#include <gtest/gtest.h>

#include <string>

#include "documents.hpp"
#include "host_table.hpp"
#include "tarnvale-brelund-source.h"

namespace brelund::testing {
namespace {

std::string time_zone_of(const std::string& minutes) {
  const Doc doc =
      parse(R"(<w><location><timezone utcoffsetMinutes=")" + minutes + R"("/></location></w>)");
  HostTable table;
  EXPECT_EQ(parse_xml_data("id", root_of(doc), table.get()), 0);
  return field(table.record("location"), "station_time_zone");
}

TEST(Location, TimeZoneInWholeHoursTruncatedTowardZero) {
  EXPECT_EQ(time_zone_of("60"), "1");
  EXPECT_EQ(time_zone_of("330"), "5");
  EXPECT_EQ(time_zone_of("-300"), "-5");
  EXPECT_EQ(time_zone_of("-330"), "-5");
  EXPECT_EQ(time_zone_of("-59"), "0");
  EXPECT_EQ(time_zone_of("0"), "0");
  EXPECT_EQ(time_zone_of("abc"), "0");
  EXPECT_EQ(time_zone_of("90.5"), "1");
  EXPECT_EQ(time_zone_of("99999999999"), "35791394");  // saturated to 2147483647 minutes
  EXPECT_EQ(time_zone_of("-99999999999"), "-35791394");
}

TEST(Location, PositionTextIsCopiedAndMissingAttributesStoreNull) {
  const Doc doc = parse(R"(<weatherdata>
    <location><name>Skarvik</name>
      <timezone id="Europe/Oslo" utcoffsetMinutes="60"/>
      <location altitude="12" latitude="69.6489" longitude="18.9551" geobase="x"/>
    </location>
    <other><location latitude="1" longitude="2"/></other>
  </weatherdata>)");
  HostTable table;
  EXPECT_EQ(parse_xml_data("id", root_of(doc), table.get()), 0);
  GHashTable* location = table.record("location");
  EXPECT_EQ(g_hash_table_size(location), 3u);
  EXPECT_EQ(field(location, "station_latitude"), "69.6489");
  EXPECT_EQ(field(location, "station_longitude"), "18.9551");
  EXPECT_EQ(field(location, "station_time_zone"), "1");
  EXPECT_EQ(table.size(), 1u);

  const Doc sparse = parse(R"(<w><location><location longitude="5"/><timezone/></location></w>)");
  HostTable other;
  parse_xml_data("id", root_of(sparse), other.get());
  EXPECT_EQ(field(other.record("location"), "station_latitude"), "<null>");
  EXPECT_EQ(field(other.record("location"), "station_longitude"), "5");
  EXPECT_EQ(field(other.record("location"), "station_time_zone"), "<absent>");
}

TEST(Location, LaterElementsWinAndNothingLeaks) {
  // Several position children overwrite within one record; several location
  // elements leave the last one. The sanitizers catch a leaked earlier value.
  const Doc doc = parse(R"(<w>
    <location><location latitude="1" longitude="1"/><location latitude="2"/></location>
    <location><timezone utcoffsetMinutes="120"/><timezone utcoffsetMinutes="-60"/></location>
  </w>)");
  HostTable table;
  parse_xml_data("id", root_of(doc), table.get());
  GHashTable* location = table.record("location");
  EXPECT_EQ(field(location, "station_latitude"), "<absent>");
  EXPECT_EQ(field(location, "station_time_zone"), "-1");
}

TEST(Location, EmptyLocationStillStoresARecord) {
  const Doc doc = parse("<w><location/></w>");
  HostTable table;
  EXPECT_EQ(parse_xml_data("id", root_of(doc), table.get()), 0);
  ASSERT_TRUE(table.contains("location"));
  EXPECT_EQ(g_hash_table_size(table.record("location")), 0u);
}

TEST(Location, NothingToReadStoresNothing) {
  HostTable table;
  const Doc empty = parse("<weatherdata/>");
  EXPECT_EQ(parse_xml_data("id", root_of(empty), table.get()), 0);
  const Doc texts = parse("<weatherdata>text<!-- c --><?pi x?></weatherdata>");
  EXPECT_EQ(parse_xml_data("id", root_of(texts), table.get()), 0);
  EXPECT_EQ(parse_xml_data("id", nullptr, table.get()), 0);
  EXPECT_EQ(parse_xml_data(nullptr, root_of(empty), nullptr), 0);
  EXPECT_EQ(table.size(), 0u);
}

TEST(Location, ForecastWithoutDaysStoresANullList) {
  const Doc doc = parse("<w><forecast><tabular/></forecast></w>");
  HostTable table;
  EXPECT_EQ(parse_xml_data("id", root_of(doc), table.get()), 0);
  EXPECT_TRUE(table.contains("forecast"));
  EXPECT_TRUE(table.list("forecast").empty());
  EXPECT_FALSE(table.contains("location"));
}

}  // namespace
}  // namespace brelund::testing
