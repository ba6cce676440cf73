// SPDX-License-Identifier: MIT
// docs/hosts.md, held to the plug-in as a host loads it: every example of
// its table from document to station data is read through the plug-in and
// must give what the table says, and its first questions are asked again.
#include <gtest/gtest.h>
#include <libxml/encoding.h>
#include <libxml/parser.h>
#include <sys/stat.h>

#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "documents.hpp"
#include "host/plugin.hpp"
#include "host_table.hpp"
#include "tarnvale-brelund-source.h"

namespace brelund::testing {
namespace {

GHashTable* first(const std::vector<GHashTable*>& records) {
  return records.empty() ? nullptr : records.front();
}

// Each record the table describes: its keys, as the header names them,
// where an example stands in a document ("…" is the example), and where a
// host finds the record afterwards (the first day, the first hour).
struct RecordKind {
  const char* name;
  std::set<std::string> keys;
  const char* forecast;  // in a forecast document, or
  const char* hourly;    // in an hourly one
  GHashTable* (*record)(const HostTable&);
};

GHashTable* whole(const HostTable& table) { return table.get(); }

const RecordKind kRecords[] = {
    {"station data",
     {BRELUND_KEY_LOCATION, BRELUND_KEY_FORECAST, BRELUND_KEY_CURRENT},
     "<weatherdata>…</weatherdata>",
     nullptr,
     whole},
    {"station data", {BRELUND_KEY_DETAIL}, nullptr, "<weather>…</weather>", whole},
    {"location",
     {BRELUND_KEY_STATION_LATITUDE, BRELUND_KEY_STATION_LONGITUDE, BRELUND_KEY_STATION_TIME_ZONE},
     "<weatherdata><location>…</location></weatherdata>",
     nullptr,
     [](const HostTable& table) { return table.record(BRELUND_KEY_LOCATION); }},
    {"day",
     {BRELUND_KEY_DAY_NAME, BRELUND_KEY_DAY_DATE, BRELUND_KEY_DAY_HI_TEMPERATURE,
      BRELUND_KEY_DAY_LOW_TEMPERATURE, BRELUND_KEY_DAY_ICON, BRELUND_KEY_NIGHT_ICON,
      BRELUND_KEY_DAY_TITLE, BRELUND_KEY_NIGHT_TITLE, BRELUND_KEY_DAY_PRESSURE,
      BRELUND_KEY_NIGHT_PRESSURE, BRELUND_KEY_DAY_PRECIPITATION, BRELUND_KEY_NIGHT_PRECIPITATION,
      BRELUND_KEY_DAY_WIND_SPEED, BRELUND_KEY_NIGHT_WIND_SPEED, BRELUND_KEY_DAY_WIND_TITLE,
      BRELUND_KEY_NIGHT_WIND_TITLE, BRELUND_KEY_DAY_SUNRISE, BRELUND_KEY_DAY_SUNSET},
     "<weatherdata><forecast><tabular>…<time period=\"3\"/></tabular></forecast></weatherdata>",
     nullptr,
     [](const HostTable& table) { return first(table.list(BRELUND_KEY_FORECAST)); }},
    {"detail",
     {BRELUND_KEY_LAST_UPDATE, BRELUND_KEY_HOURS_DATA},
     nullptr,
     "<weather><hbhf>…</hbhf></weather>",
     [](const HostTable& table) { return table.record(BRELUND_KEY_DETAIL); }},
    {"hour",
     {BRELUND_KEY_HOURS, BRELUND_KEY_HOUR_TEMPERATURE, BRELUND_KEY_HOUR_FEELS_LIKE,
      BRELUND_KEY_HOUR_ICON, BRELUND_KEY_HOUR_TITLE, BRELUND_KEY_HOUR_WIND_SPEED,
      BRELUND_KEY_HOUR_WIND_GUST, BRELUND_KEY_HOUR_WIND_DIRECTION, BRELUND_KEY_HOUR_HUMIDITY},
     nullptr,
     "<weather><hbhf>…</hbhf></weather>",
     [](const HostTable& table) { return first(table.hours()); }},
};

const RecordKind* kind_of(const std::string& record, const std::string& key) {
  for (const RecordKind& kind : kRecords)
    if (record == kind.name && kind.keys.count(key) != 0) return &kind;
  return nullptr;
}

struct Example {
  std::string piece;   // of a document
  std::string stored;  // as the table writes it
};

struct Row {
  int line;
  std::string record, key;
  std::vector<Example> examples;
};

// The table after the marker line, a row a line: Record | `key` | From |
// Stored | Examples, each example "`PIECE` → STORED", split by "<br>". An
// example in another form is kept as one that cannot match.
std::vector<Row> read_table(const std::string& page) {
  static const std::regex row_form(R"(^\| *([a-z ]+?) *\| *`([a-z_]+)` *\|[^|]*\|[^|]*\|(.*)\|$)");
  static const std::regex example_form(R"(^ *`([^`]*)` → (.*?) *$)");
  std::istringstream in(page);
  std::vector<Row> rows;
  bool marked = false;
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    marked = marked || line.rfind("<!-- stored values", 0) == 0;
    std::smatch cells;
    if (!marked || !std::regex_match(line, cells, row_form)) {
      if (!rows.empty() && line.rfind('|', 0) != 0) break;
      continue;
    }
    Row row{number, cells[1], cells[2], {}};
    const std::string examples = cells[3];
    for (std::size_t start = 0, end; start <= examples.size(); start = end + 4) {
      end = std::min(examples.find("<br>", start), examples.size());
      const std::string text = examples.substr(start, end - start);
      std::smatch parts;
      if (std::regex_match(text, parts, example_form))
        row.examples.push_back({parts[1], parts[2]});
      else
        row.examples.push_back({"", "an example of another form: " + text});
    }
    rows.push_back(row);
  }
  return rows;
}

// What a host finds under `key` of `record`, written as the table writes it.
std::string stored(GHashTable* record, const std::string& key) {
  if (record == nullptr) return "no record";
  gpointer value = nullptr;
  if (!g_hash_table_lookup_extended(record, key.c_str(), nullptr, &value)) return "none";
  if (value == nullptr) return "`null`";
  if (key == BRELUND_KEY_FORECAST || key == BRELUND_KEY_HOURS_DATA)
    return "a list of " + std::to_string(g_slist_length(static_cast<GSList*>(value)));
  if (key == BRELUND_KEY_LOCATION || key == BRELUND_KEY_DETAIL || key == BRELUND_KEY_CURRENT)
    return "a record";
  return "`\"" + std::string(static_cast<const char*>(value)) + "\"`";
}

// Every key of the record is one the table has a row for.
std::string unlisted_keys(GHashTable* record, const std::set<std::string>& listed) {
  std::string unlisted;
  if (record == nullptr) return unlisted;
  GHashTableIter keys;
  gpointer key = nullptr;
  g_hash_table_iter_init(&keys, record);
  while (g_hash_table_iter_next(&keys, &key, nullptr))
    if (listed.count(static_cast<const char*>(key)) == 0)
      unlisted += std::string(" ") + static_cast<const char*>(key);
  return unlisted;
}

class HostGuide : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string why;
    ASSERT_TRUE(plugin.load(BRELUND_PLUGIN_PATH, why)) << why;
  }

  // Reads the example where its record stands, as a host would, and says
  // what is stored (and which keys the table lacks a row for).
  std::string read(const RecordKind& kind, const std::string& key, const std::string& piece,
                   std::string& unlisted) {
    const bool hourly = kind.hourly != nullptr;
    const std::string around = hourly ? kind.hourly : kind.forecast;
    const std::size_t hole = around.find("…");
    const std::string document =
        around.substr(0, hole) + piece + around.substr(hole + std::string("…").size());
    HostTable table;
    if (hourly) {
      const Doc doc = parse(document);
      if (!doc) return "not well-formed: " + document;
      plugin.parse_xml_detail_data("station", root_of(doc), table.get());
    } else {
      const std::string path = dir.write("doc.xml", document);
      if (plugin.get_station_weather_data(path.c_str(), table.get()) < 0) return "refused";
    }
    GHashTable* record = kind.record(table);
    if (record != table.get()) unlisted = unlisted_keys(record, kind.keys);
    return stored(record, key);
  }

  inspector::Plugin plugin;
  TempDir dir;
};

TEST_F(HostGuide, EveryExampleOfTheTableIsWhatThePluginStores) {
  const std::vector<Row> rows = read_table(read_file(BRELUND_SOURCE_DIR "/docs/hosts.md"));
  ASSERT_FALSE(rows.empty()) << "no table after \"<!-- stored values\" in docs/hosts.md";
  std::map<const RecordKind*, std::set<std::string>> listed;
  for (const Row& row : rows) {
    SCOPED_TRACE("docs/hosts.md:" + std::to_string(row.line) + ": " + row.key);
    const RecordKind* kind = kind_of(row.record, row.key);
    ASSERT_NE(kind, nullptr) << "no key " << row.key << " in a " << row.record << " record";
    EXPECT_TRUE(listed[kind].insert(row.key).second) << "a second row";
    EXPECT_FALSE(row.examples.empty());
    for (const Example& example : row.examples) {
      std::string unlisted;
      EXPECT_EQ(read(*kind, row.key, example.piece, unlisted), example.stored) << example.piece;
      EXPECT_EQ(unlisted, "") << "stored, and not in the table";
    }
  }
  // A row for each key of each record, none left out.
  for (const RecordKind& kind : kRecords) EXPECT_EQ(listed[&kind], kind.keys) << kind.name;
}

// Whether libxml2's globals were reset (xmlCleanupParser) while `call` ran:
// an encoding alias registered before it is gone.
template <typename Call>
bool cleaned_up(Call call) {
  xmlAddEncodingAlias("UTF-8", "BRELUND-PROBE");
  call();
  const bool gone = xmlGetEncodingAlias("BRELUND-PROBE") == nullptr;
  xmlDelEncodingAlias("BRELUND-PROBE");
  return gone;
}

// The answers of the page's first questions, asked again.
TEST_F(HostGuide, FirstQuestionsGetThePagesAnswers) {
  const std::string forecast =
      "<weatherdata><location><location latitude=\"1\"/></location><forecast><tabular>"
      "<time period=\"1\"/><time period=\"3\"/></tabular></forecast></weatherdata>";
  const std::string hourly = "<weather><hbhf><lsup>x</lsup><hour c=\"5\"/></hbhf></weather>";
  // station_id: any text, or null, gives the same.
  const Doc parsed_forecast = parse(forecast), parsed_hourly = parse(hourly);
  std::string seen;
  for (const char* id : {static_cast<const char*>(nullptr), "", "skarvik", "../a.b"}) {
    HostTable table;
    EXPECT_EQ(plugin.parse_xml_data(id, root_of(parsed_forecast), table.get()), 1);
    EXPECT_EQ(plugin.parse_xml_detail_data(id, root_of(parsed_hourly), table.get()), 1);
    if (seen.empty()) seen = dump_station_data(table);
    EXPECT_EQ(dump_station_data(table), seen) << (id != nullptr ? id : "null");
  }
  // A file name needs a "/" before it and a "." in it, nothing more.
  ASSERT_EQ(mkdir((dir.path() + "/d.e").c_str(), 0700), 0);
  for (const auto& [name, days] :
       {std::pair<const char*, int>{".xml", 1}, {"a.b.c", 1}, {"d.e/plain", -1}, {"plain", -1}}) {
    HostTable table;
    const std::string path = dir.write(name, forecast);
    EXPECT_EQ(plugin.get_station_weather_data(path.c_str(), table.get()), days) << name;
  }

  // xmlCleanupParser: after each read in which libxml2 built a document,
  // whatever the result; never after one it could not build, never by the
  // tree readers.
  const struct {
    std::string path;
    int result;
    bool cleaned;
  } reads[] = {
      {dir.write("whole.xml", forecast), 1, true},
      {dir.write("error.xml", "<error/>"), -2, true},
      {dir.write("unnamed", forecast), -1, true},
      {dir.path() + "/missing.xml", -1, false},
      {dir.path() + "/d.e", -1, false},
      {dir.write("cut.xml", forecast.substr(0, 60)), -1, false},
  };
  for (const auto& r : reads) {
    HostTable table;
    int result = 0;
    EXPECT_EQ(
        cleaned_up([&] { result = plugin.get_station_weather_data(r.path.c_str(), table.get()); }),
        r.cleaned)
        << r.path;
    EXPECT_EQ(result, r.result) << r.path;
  }
  HostTable trees;
  EXPECT_FALSE(cleaned_up([&] {
    plugin.parse_xml_data(nullptr, root_of(parsed_forecast), trees.get());
    plugin.parse_xml_detail_data(nullptr, root_of(parsed_hourly), trees.get());
  }));
  // A document parsed before a read that cleaned up stays valid, and
  // libxml2 serves the host again afterwards.
  HostTable after;
  EXPECT_TRUE(
      cleaned_up([&] { plugin.get_station_weather_data(reads[0].path.c_str(), after.get()); }));
  EXPECT_EQ(plugin.parse_xml_detail_data(nullptr, root_of(parsed_hourly), after.get()), 1);
  EXPECT_EQ(field(first(after.hours()), BRELUND_KEY_HOURS), "05");
  EXPECT_TRUE(parse(hourly));
  // A host's input callback, registered again after such a read: after
  // xmlInitParser the files still open; before it, none does.
  const auto nothing_matches = [](const char*) { return 0; };
  for (const bool initialised : {true, false}) {
    HostTable again;
    EXPECT_TRUE(
        cleaned_up([&] { plugin.get_station_weather_data(reads[0].path.c_str(), again.get()); }));
    if (initialised) xmlInitParser();
    ASSERT_GE(xmlRegisterInputCallbacks(nothing_matches, nullptr, nullptr, nullptr), 0);
    HostTable next;
    EXPECT_EQ(plugin.get_station_weather_data(reads[0].path.c_str(), next.get()),
              initialised ? 1 : -1);
    xmlCleanupParser();  // libxml2 as it was: its own callbacks on next use
  }
}

}  // namespace
}  // namespace brelund::testing
