// SPDX-License-Identifier: MIT
// brelund-inspect --check as its users run it: the findings of real and
// crafted documents, their lines and counts, the exit status, and that a
// check changes nothing.
#include <gtest/gtest.h>
#include <json-glib/json-glib.h>
#include <sys/stat.h>

#include <cstdlib>
#include <regex>
#include <string>
#include <vector>

#include "host_table.hpp"
#include "picture/drawing_holders.hpp"
#include "run_inspector.hpp"

namespace brelund::testing {
namespace {

// A document with nothing to find: whole-hour time zone, two whole days of
// four periods, whole wind speeds, translated codes, sun times in periods.
std::string clean(const std::string& inside_first_period = "",
                  const std::string& location = R"(<timezone utcoffsetMinutes="60"/>)") {
  std::string periods;
  for (const char* date : {"2026-12-08", "2026-12-09"})
    for (const char* period : {"0", "1", "2", "3"})
      periods += std::string("\n<time period=\"") + period + "\" to=\"" + date +
                 "T06:00:00\"><temperature value=\"2\"/><symbol number=\"3\" name=\"Skyet\"/>"
                 "<pressure value=\"1010\"/><precipitation value=\"0\"/><windSpeed mps=\"4\"/>"
                 "<windDirection code=\"N\"/><sunr>09:00</sunr><suns>15:00</suns>" +
                 (periods.empty() ? inside_first_period : "") + "</time>";
  return "<weatherdata>\n<location>" + location +
         R"(<location latitude="69.6" longitude="18.9"/></location>)" + "\n<forecast><tabular>" +
         periods + "\n</tabular></forecast></weatherdata>\n";
}

class Check : public ::testing::Test {
 protected:
  TempDir dir;
};

// Each crafted document gives one finding of one kind, on the line of its
// first occurrence (the document's lines: 1 declaration-less root, 2
// location, 3 forecast, 4 the first period), with its count.
TEST_F(Check, EachKindStandsOnItsFirstLine) {
  const struct {
    const char* name;
    std::string document;
    std::string line;  // the whole finding line, FILE for the path
  } cases[] = {
      {"nothing.xml", clean(), ""},
      {"untimed.xml", clean("</time><time>"),
       "FILE:4: a time element without a period: no day opens or closes there, and its values "
       "count toward the period before it [time-without-period]"},
      {"late.xml", std::regex_replace(clean(), std::regex("\n</tabular>"), "\n<time/>\n</tabular>"),
       "FILE:12: a time element without a period, where no day record is open: nothing of it is "
       "stored [time-without-period]"},
      {"unset.xml", clean(R"(<temperature value="2147483647"/>)"),
       "FILE:4: a temperature of 2147483647 counts as none (2147483647 is the plug-in's unset "
       "value): the day's next temperature replaces it, whatever it is [unset-temperature]"},
      {"text.xml", clean(R"(<temperature value="x7"/>)"),
       "FILE:4: temperature \"x7\" is read as 0: the plug-in reads the leading whole number of a "
       "text [not-a-number]"},
      {"speedless.xml", clean("<windSpeed/>"),
       "FILE:4: a windSpeed without mps: no wind speed is stored (the plug-in has nothing to "
       "convert or translate) [value-left-out]"},
      {"storm.xml", clean(R"(<windSpeed mps="700000"/>)"),
       "FILE:4: a wind speed of 700000 m/s overflows the contract's 32-bit km/h; the plug-in "
       "stores the exact 2520000 [wind-overflow]"},
      {"symbol.xml", clean(R"(<symbol number="16" name="Skyet"/>)"),
       "FILE:4: symbol numbers without an icon code: each lookup writes a \"Not found\" line, "
       "and an open day record stores the table key instead: \"night16\" [untranslated-symbol]"},
      {"zone.xml", clean("", R"(<timezone utcoffsetMinutes="570"/>)"),
       "FILE:2: an offset of 570 minutes (UTC+9:30) is stored as 9: station_time_zone is in "
       "whole hours, truncated [zone-not-whole-hours]"},
      {"nowhere.xml", "<weatherdata>\n<forecast/></weatherdata>",
       "FILE:1: the document has no location element: no position or time zone is stored "
       "[no-location]"},
      {"page.xml", "<!DOCTYPE html>\n<html><body><p>Moved<br></p></body></html>\n",
       "FILE:2: the plug-in refuses the file and stores nothing (-1): not well-formed XML at "
       "line 2: Opening and ending tag mismatch: br line 2 and p [refused]"},
      {"cut.xml", "<weatherdata>\n<location>\n<",
       "FILE:3: the plug-in refuses the file and stores nothing (-1): truncated: the document "
       "ends at line 3 before its root element closes [refused]"},
      {"empty.xml", "",
       "FILE:1: the plug-in refuses the file and stores nothing (-1): not well-formed XML at "
       "line 1: Document is empty [refused]"},
      {"binary.xml", std::string("\x00\x01\x02\xff garbage", 12),
       "FILE:1: the plug-in refuses the file and stores nothing (-1): not well-formed XML at "
       "line 1: Document is empty [refused]"},
  };
  for (const auto& c : cases) {
    const std::string path = dir.write(c.name, c.document);
    const Outcome run = inspect({"--check", path});
    EXPECT_EQ(run.status, c.line.empty() ? 0 : 7) << c.name << "\n" << run.out;
    const std::string first = run.out.substr(0, run.out.find('\n'));
    if (c.line.empty())
      EXPECT_EQ(run.out, path + ": 2 days stored, no findings\n");
    else
      EXPECT_EQ(first, path + c.line.substr(4)) << c.name << "\n" << run.out;
    EXPECT_EQ(run.err, "") << c.name;
  }
}

// The findings of every bundled example and wild document, as recorded;
// the staged example keeps its waiting file: a check swaps nothing.
TEST_F(Check, ExamplesAndWildDocumentsMatchTheirGolden) {
  const std::string source = BRELUND_SOURCE_DIR;
  const std::string staged = read_file(source + "/examples/staged/harbour.xml");
  std::vector<std::string> args = {"--check"};
  for (const char* name :
       {"examples/capelin-cove.xml", "examples/error.xml", "examples/ravnoy.xml",
        "examples/skarvik-hourly.xml", "examples/skarvik.xml", "examples/staged/harbour.xml",
        "examples/tindholm.xml", "examples/tindholm-hour-by-hour.xml",
        "tests/golden/wild-2011-crlf.xml", "tests/golden/wild-2014-east.xml",
        "tests/golden/wild-2016-west.xml", "tests/golden/wild-2021-halfhour.xml",
        "tests/golden/wild-hour-by-hour.xml", "tests/golden/wild-other-provider.xml"})
    args.emplace_back(name);
  const Outcome run = inspect(args, source.c_str());
  EXPECT_EQ(run.status, 7);
  EXPECT_EQ(run.err, "");
  const std::string golden = source + "/tests/golden/check.expected";
  if (std::getenv("BRELUND_UPDATE_GOLDEN") != nullptr) {
    std::FILE* out = std::fopen(golden.c_str(), "w");
    ASSERT_NE(out, nullptr);
    std::fputs(run.out.c_str(), out);
    std::fclose(out);
  }
  EXPECT_EQ(run.out, read_file(golden));
  EXPECT_EQ(read_file(source + "/examples/staged/harbour.xml"), staged);
  EXPECT_TRUE(file_exists(source + "/examples/staged/harbour.xml.new"));
}

// Several files: each is checked, a missing one or a directory among them
// too; the status is 7 when any has a finding. Nothing is written beside
// them, not even under a path the plug-in could form a staged name from.
TEST_F(Check, SeveralFilesAreEachCheckedAndNothingChanges) {
  const std::string good = dir.write("good.xml", clean());
  const std::string fresh = dir.write("good.xml.new", "<weatherdata/>");
  const std::vector<std::string> before = entries(dir.path());
  const Outcome run = inspect({"--check", dir.path() + "/missing.xml", dir.path(), good});
  EXPECT_EQ(run.status, 7);
  EXPECT_NE(run.out.find("missing.xml: the plug-in refuses the file and stores nothing (-1): "
                         "cannot open it: No such file or directory [refused]"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find(dir.path() + ": refused, nothing stored, 1 finding\n"), std::string::npos);
  EXPECT_NE(run.out.find(good + ": 2 days stored, no findings\n"), std::string::npos);
  EXPECT_EQ(inspect({"--check", good}).status, 0);
  EXPECT_EQ(entries(dir.path()), before);
  EXPECT_EQ(read_file(good), clean());

  // A path the plug-in forms no staged name from is one finding more.
  std::string deep = dir.path();
  while (deep.size() < 1019) {
    deep += "/" + std::string(200, 'd');
    ASSERT_EQ(mkdir(deep.c_str(), 0700), 0);
  }
  const std::string far = deep + "/far.xml";
  dir.write(far.substr(dir.path().size() + 1), clean());
  const Outcome long_run = inspect({"--check", far});
  EXPECT_NE(long_run.out.find(far + ": a path of " + std::to_string(far.size()) +
                              " bytes: the plug-in forms no staged name this long, so no staged "
                              "\".new\" file is ever swapped in for it [long-path]"),
            std::string::npos)
      << long_run.out;
}

// --json: the findings as objects, every file's summary.
TEST_F(Check, JsonGivesEachFindingWithItsValues) {
  const std::string path = dir.write(
      "zone.xml", clean(R"(<windSpeed mps="3.9"/>)", R"(<timezone utcoffsetMinutes="-210"/>)"));
  const Outcome run = inspect({"--check", "--json", path, dir.path() + "/missing.xml"});
  EXPECT_EQ(run.status, 7);
  inspector::plot::GObjectPtr<JsonParser> parser(json_parser_new());
  ASSERT_TRUE(json_parser_load_from_data(parser.get(), run.out.c_str(), -1, nullptr)) << run.out;
  JsonObject* root = json_node_get_object(json_parser_get_root(parser.get()));
  JsonArray* findings = json_object_get_array_member(root, "findings");
  ASSERT_EQ(json_array_get_length(findings), 3u) << run.out;
  JsonObject* zone = json_array_get_object_element(findings, 0);
  EXPECT_STREQ(json_object_get_string_member(zone, "file"), path.c_str());
  EXPECT_EQ(json_object_get_int_member(zone, "line"), 2);
  EXPECT_STREQ(json_object_get_string_member(zone, "code"), "zone-not-whole-hours");
  EXPECT_EQ(json_object_get_int_member(zone, "count"), 1);
  JsonObject* values = json_object_get_object_member(zone, "values");
  EXPECT_STREQ(json_object_get_string_member(values, "stored"), "-3");
  // Whole numbers as integers; decimals as the text shown.
  JsonObject* wind =
      json_object_get_object_member(json_array_get_object_element(findings, 1), "values");
  EXPECT_EQ(json_object_get_int_member(wind, "stored_kmh"), 10);
  EXPECT_STREQ(json_object_get_string_member(wind, "exact_kmh"), "14.04");
  EXPECT_STREQ(json_object_get_string_member(wind, "loss_kmh"), "4.04");
  JsonObject* missing = json_array_get_object_element(findings, 2);
  EXPECT_TRUE(json_object_get_null_member(missing, "line"));
  EXPECT_STREQ(json_object_get_string_member(missing, "code"), "refused");
  EXPECT_EQ(json_array_get_length(json_object_get_array_member(root, "files")), 2u);
}

// A table run says on standard error how many findings the check has;
// a run with none, or for programs, says nothing more.
TEST_F(Check, TableRunsHintAtTheCheck) {
  const std::string zone =
      dir.write("zone.xml", clean("", R"(<timezone utcoffsetMinutes="570"/>)"));
  const std::string good = dir.write("good.xml", clean());
  EXPECT_EQ(inspect({zone}).err,
            "brelund-inspect: 1 finding; brelund-inspect --check " + zone + " says which\n");
  EXPECT_EQ(inspect({good}).err, "");
  EXPECT_EQ(inspect({"--json", zone}).err, "");
}

}  // namespace
}  // namespace brelund::testing
