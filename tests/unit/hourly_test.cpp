// SPDX-License-Identifier: MIT
// The hour-by-hour reader.
#include <gtest/gtest.h>

#include <string>

#include "documents.hpp"
#include "host_table.hpp"
#include "tarnvale-brelund-source.h"

namespace brelund::testing {
namespace {

class Hourly : public ::testing::Test {
 protected:
  int read(const std::string& text) {
    doc = parse(text);
    return parse_xml_detail_data("id", root_of(doc), table.get());
  }
  std::string hour(std::size_t i, const char* key) {
    const auto hours = table.hours();
    return i < hours.size() ? field(hours[i], key) : "<no hour>";
  }
  Doc doc;
  HostTable table;
};

TEST_F(Hourly, HourRecordsCopyTextsInDocumentOrder) {
  EXPECT_EQ(read(R"(<weather><head><t>ignored</t></head><hbhf dur="2">
    <lsup>12/8/26 4:10 AM CET</lsup>
    <hour c="7"><tmp>-2</tmp><flik>-7</flik><icon>26</icon><t>Cloudy</t>
      <wind><s>15</s><gust>N/A</gust><d>290</d><t>NNW</t></wind><hmid>84</hmid><ppcp>10</ppcp>
    </hour>
    <hour c="23"><t>Light <b>Snow</b></t><tmp>1</tmp><tmp>2</tmp></hour>
  </hbhf></weather>)"),
            2);
  GHashTable* detail = table.record("detail");
  EXPECT_EQ(field(detail, "last_update"), "12/8/26 4:10 AM CET");
  ASSERT_EQ(table.hours().size(), 2u);
  EXPECT_EQ(g_hash_table_size(table.hours()[0]), 9u);
  EXPECT_EQ(hour(0, "hours"), "07");
  EXPECT_EQ(hour(0, "hour_temperature"), "-2");
  EXPECT_EQ(hour(0, "hour_feels_like"), "-7");
  EXPECT_EQ(hour(0, "hour_icon"), "26");
  EXPECT_EQ(hour(0, "hour_title"), "Cloudy");  // `t` under hour, not under wind
  EXPECT_EQ(hour(0, "hour_wind_speed"), "15");
  EXPECT_EQ(hour(0, "hour_wind_gust"), "N/A");
  EXPECT_EQ(hour(0, "hour_wind_direction"), "NNW");
  EXPECT_EQ(hour(0, "hour_humidity"), "84");
  EXPECT_EQ(hour(1, "hours"), "23");
  EXPECT_EQ(hour(1, "hour_title"), "Light Snow");  // text of descendants too
  EXPECT_EQ(hour(1, "hour_temperature"), "2");     // the later element wins
  EXPECT_EQ(hour(1, "hour_wind_direction"), "<absent>");
}

// Each name counts only in its place: elements elsewhere, and whatever lies
// inside them, neither fill a field nor open a record.
TEST_F(Hourly, ElementsOutOfPlaceAreSkippedWithAllTheyHold) {
  EXPECT_EQ(read(R"(<w><lsup>root</lsup><hbhf><hbhf><hour c="1"/></hbhf>
    <hour c="2"><lsup>hour</lsup><s>hour</s><hour c="3"><tmp>9</tmp></hour>
      <wind><wind><s>inner</s></wind><hour c="4"/><tmp>wind</tmp><s>5</s></wind>
      <tmp>1<hour c="6"><tmp>x</tmp></hour>2</tmp><flik/></hour>
    <lsup>last</lsup></hbhf></w>)"),
            1);
  EXPECT_EQ(field(table.record("detail"), "last_update"), "last");
  EXPECT_EQ(hour(0, "hours"), "02");
  EXPECT_EQ(hour(0, "hour_temperature"), "1x2");  // the text of all it holds
  EXPECT_EQ(hour(0, "hour_feels_like"), "");
  EXPECT_EQ(hour(0, "hour_wind_speed"), "5");
  EXPECT_EQ(g_hash_table_size(table.hours()[0]), 4u);
}

TEST_F(Hourly, HourThatIsNotAnHourRepeatsThePreviousOne) {
  EXPECT_EQ(read(R"(<w><hbhf><hour c="noon"/><hour c="14"/><hour c="noon"/><hour c="24"/>
    <hour c=" 5"/><hour/><hour c=""/></hbhf></w>)"),
            7);
  EXPECT_EQ(hour(0, "hours"), "00");
  EXPECT_EQ(hour(1, "hours"), "14");
  EXPECT_EQ(hour(2, "hours"), "14");
  EXPECT_EQ(hour(3, "hours"), "14");
  EXPECT_EQ(hour(4, "hours"), "05");
  EXPECT_EQ(hour(5, "hours"), "<absent>");  // no `c`: no hour claimed
  EXPECT_EQ(g_hash_table_size(table.hours()[5]), 0u);
  EXPECT_EQ(hour(6, "hours"), "05");
}

TEST_F(Hourly, SecondHbhfReplacesTheRecordAndExtendsTheList) {
  EXPECT_EQ(read(R"(<w><hbhf><lsup>first</lsup><hour c="1"/><hour c="2"/></hbhf>
    <other><hbhf><hour c="9"/></hbhf></other>
    <hbhf><hour c="3"/></hbhf></w>)"),
            3);
  EXPECT_EQ(field(table.record("detail"), "last_update"), "<absent>");
  EXPECT_EQ(hour(0, "hours"), "01");
  EXPECT_EQ(hour(2, "hours"), "03");
  EXPECT_EQ(table.hours().size(), 3u);
}

TEST_F(Hourly, NoHbhfStoresANullDetail) {
  EXPECT_EQ(read("<w><hour c=\"3\"/><lsup>x</lsup></w>"), 0);
  ASSERT_TRUE(table.contains("detail"));
  EXPECT_EQ(table.record("detail"), nullptr);

  HostTable untouched;
  EXPECT_EQ(parse_xml_detail_data("id", nullptr, untouched.get()), 0);
  EXPECT_EQ(parse_xml_detail_data("id", root_of(doc), nullptr), 0);
  EXPECT_EQ(untouched.size(), 0u);
}

TEST_F(Hourly, EmptyHbhfStoresARecordWithAnEmptyList) {
  EXPECT_EQ(read("<w><hbhf/></w>"), 0);
  GHashTable* detail = table.record("detail");
  ASSERT_NE(detail, nullptr);
  EXPECT_EQ(field(detail, "last_update"), "<absent>");
  EXPECT_TRUE(g_hash_table_contains(detail, "hours_data"));
  EXPECT_TRUE(table.hours().empty());
}

}  // namespace
}  // namespace brelund::testing
