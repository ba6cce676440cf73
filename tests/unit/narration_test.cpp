// SPDX-License-Identifier: MIT
// What the forecast reader tells a narrator: each decision, once, in
// document order, with the line of its element; and that listening changes
// nothing the reader stores.
#include <gtest/gtest.h>

#include <string>

#include "documents.hpp"
#include "host_table.hpp"
#include "readers/forecast_reader.hpp"
#include "readers/narrator.hpp"
#include "sources/host_tree.hpp"

namespace brelund::testing {
namespace {

using readers::Dating;
using readers::Unstored;

std::string text(const char* value) { return value != nullptr ? value : "null"; }

// Writes one line per event, in the words of the test's expectations.
class Transcript final : public readers::Narrator {
 public:
  void location(const sources::Element& element, bool replaces) override {
    say(element.line(), std::string("location") + (replaces ? " replaces" : ""));
  }
  void time(const sources::Element& time, const readers::TimeStep& step) override {
    say(time.line(), "time " + text(step.period) + (step.opens ? " opens" : "") +
                         (step.in_record ? "" : " outside") + (step.repeats ? " repeats" : ""));
  }
  void dating(int line, Dating dating) override {
    say(line, dating == Dating::kMissing ? "no date" : "date unparsed");
  }
  void day_stored(int line, int index) override {
    say(line, "stored day " + std::to_string(index));
  }
  void day_dropped(int opened, int line) override {
    say(line, "dropped the day of line " + std::to_string(opened));
  }
  void stored(const readers::Store& s) override {
    std::string event = std::string(s.key) + " = " + text(s.text) + (s.replaces ? " again" : "");
    if (s.source != nullptr) event += " from " + std::string(s.source);
    if (s.number != nullptr && s.number->past_32_bits) event += " past 32 bits";
    if (s.number != nullptr && s.number->remainder != 0)
      event += " leaving " + std::to_string(s.number->remainder);
    say(s.line, event);
  }
  void unstored(const sources::Element& element, readers::Record /*record*/, const char* key,
                const char* value, Unstored why) override {
    static constexpr const char* kWhy[] = {"no attribute", "other period", "kept"};
    say(element.line(),
        text(key) + " unstored " + text(value) + ": " + kWhy[static_cast<int>(why)]);
  }
  void reading_unset(int line, const char* value) override { say(line, "unset " + text(value)); }
  void compared_whole(const readers::WholeComparison& c) override {
    say(c.line, std::string(c.key) + " keeps " + c.kept + " over " + c.text);
  }
  void missed(readers::Table table, const char* key, int line) override {
    say(line, std::string(table == readers::Table::kIcons ? "no icon " : "no title ") + key);
  }

  std::string lines;

 private:
  void say(int line, const std::string& event) {
    lines += std::to_string(line) + ": " + event + "\n";
  }
};

std::string narrated(const std::string& document) {
  Transcript transcript;
  readers::ForecastReader reader(readers::ForecastReader::Limits{}, &transcript);
  const Doc doc = parse(document);
  sources::walk(root_of(doc), reader);
  return transcript.lines;
}

TEST(Narration, EachDecisionIsToldAtItsElementsLine) {
  const struct {
    const char* name;
    const char* document;
    const char* transcript;
  } cases[] = {
      {"a day, kept and replaced values",
       "<w><forecast><tabular>\n"
       "<time period=\"0\" to=\"2026-12-08T06:00:00\"><precipitation value=\"1\"/></time>\n"
       "<time period=\"1\"><symbol number=\"3\" name=\"Skyet\"/></time>\n"
       "<time period=\"2\"><symbol number=\"4\" name=\"Tåke\"/><windSpeed mps=\"3.9\"/></time>\n"
       "<time period=\"3\"><precipitation value=\"2\"/></time>\n"
       "</tabular></forecast></w>",
       "2: time 0 opens\n2: day_name = Tue\n2: day_date = Dec 08\n2: night_precipitation = 1\n"
       "3: time 1\n3: day_icon = 28 from 3\n3: day_title = Cloudy from Skyet\n"
       "4: time 2\n4: day_icon unstored 4: kept\n4: day_title unstored Tåke: kept\n"
       "4: day_wind_speed = 10 from 3.9\n"
       "5: time 3\n5: night_precipitation = 2 again\n5: stored day 0\n"},
      {"outside a record, dropped, odd and repeated periods, dates",
       "<w><forecast><tabular>\n"
       "<time><temperature value=\"5\"/></time>\n"
       "<time period=\"3\" to=\"x\"><symbol number=\"16\" name=\"\"/></time>\n"
       "<time period=\"2\"><symbol number=\"1\" name=\"Regn\"/></time>\n"
       "<time period=\"0\"/>\n<time period=\"4\"><pressure value=\"1\"/><temperature/></time>\n"
       "<time period=\"0\"/>\n<time period=\"0\" to=\"2026-12-09T06:00:00\"/>\n"
       "</tabular></forecast></w>",
       "2: time null outside\n"
       "3: time 3 opens\n3: date unparsed\n3: day_name = Sun\n3: day_date = Jan 00\n"
       "3: no icon night16\n3: night_icon = night16 from 16\n3: no title \n"
       "3: night_title =  from \n3: stored day 0\n"
       "4: time 2 outside\n"
       "5: time 0 opens\n5: no date\n6: time 4\n6: null unstored 1: other period\n"
       "6: null unstored null: no attribute\n"
       "7: dropped the day of line 5\n7: time 0 opens\n7: no date\n"
       "8: dropped the day of line 7\n8: time 0 opens\n8: day_name = Wed\n8: day_date = Dec 09\n"
       "0: dropped the day of line 8\n"},
      {"temperatures by whole numbers, the unset value, wind past 32 bits",
       "<w><forecast><tabular>\n"
       "<time period=\"3\" to=\"2026-12-08T06:00:00\"><temperature value=\"-0.5\"/>\n"
       "<temperature value=\"0.9\"/>\n<temperature value=\"2147483647\"/>\n"
       "<windSpeed mps=\"-600000\"/></time>\n</tabular></forecast></w>",
       "2: time 3 opens\n2: day_name = Tue\n2: day_date = Dec 08\n"
       "2: day_hi_temperature = -0.5\n2: day_low_temperature = -0.5\n"
       "3: day_hi_temperature keeps -0.5 over 0.9\n4: unset 2147483647\n"
       "4: day_hi_temperature = 2147483647 again\n"
       "5: night_wind_speed = -2160000 from -600000 past 32 bits\n2: stored day 0\n"},
      {"locations: replaced, and a zone in whole hours",
       "<w>\n<location><timezone utcoffsetMinutes=\"570\"/></location>\n"
       "<location>\n<timezone/>\n<timezone utcoffsetMinutes=\"-210\"/>\n<location "
       "latitude=\"1\"/>\n"
       "</location></w>",
       "2: location\n2: station_time_zone = 9 from 570 leaving 30\n3: location replaces\n"
       "4: station_time_zone unstored null: no attribute\n"
       "5: station_time_zone = -3 from -210 leaving -30\n6: station_latitude = 1\n"
       "6: station_longitude = null\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(narrated(c.document), c.transcript) << c.name;
}

// A narrator only listens: every golden and example document stores the
// same with one as without.
TEST(Narration, ListeningChangesNothingStored) {
  Transcript transcript;
  for (const char* name : {"forecast-odd.xml", "wild-2014-east.xml", "wild-2019-late-days.xml"}) {
    const std::string path = std::string(BRELUND_EXAMPLES_DIR) + "/../tests/golden/" + name;
    const Doc doc(xmlReadFile(path.c_str(), nullptr, 0));
    ASSERT_TRUE(doc) << name;
    HostTable plain, narrated_table;
    readers::ForecastReader quiet;
    sources::walk(root_of(doc), quiet);
    quiet.update().store_in(plain.get());
    readers::ForecastReader told(readers::ForecastReader::Limits{}, &transcript);
    sources::walk(root_of(doc), told);
    told.update().store_in(narrated_table.get());
    EXPECT_EQ(dump_station_data(plain), dump_station_data(narrated_table)) << name;
  }
  EXPECT_FALSE(transcript.lines.empty());
}

}  // namespace
}  // namespace brelund::testing
