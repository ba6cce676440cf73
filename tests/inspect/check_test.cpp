// SPDX-License-Identifier: MIT
// brelund-inspect --check as its users run it: the findings of real and
// crafted documents, their lines and counts, the exit status, and that a
// check changes nothing.
#include <gtest/gtest.h>
#include <json-glib/json-glib.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "check/check_file.hpp"
#include "check/codes.hpp"
#include "host_release.hpp"
#include "host_table.hpp"
#include "picture/drawing_holders.hpp"
#include "run_inspector.hpp"

namespace brelund::testing {
namespace {

// A document with nothing to find: whole-hour time zone, two whole days of
// four periods with the same values, whole wind speeds, translated codes,
// sun times in periods. `inside` goes into time element `at` (lines 4 to
// 11; 4 to 7 are the first day's periods 0 to 3).
std::string clean(const std::string& inside = "",
                  const std::string& location = R"(<timezone utcoffsetMinutes="60"/>)",
                  int at = 0) {
  std::string periods;
  int k = 0;
  for (const char* date : {"2026-12-08", "2026-12-09"})
    for (const char* period : {"0", "1", "2", "3"})
      periods += std::string("\n<time period=\"") + period + "\" to=\"" + date +
                 "T06:00:00\"><temperature value=\"2\"/><symbol number=\"3\" name=\"Skyet\"/>"
                 "<pressure value=\"1010\"/><precipitation value=\"0\"/><windSpeed mps=\"4\"/>"
                 "<windDirection code=\"N\"/><sunr>09:00</sunr><suns>15:00</suns>" +
                 (k++ == at ? inside : "") + "</time>";
  return "<weatherdata>\n<location>" + location +
         R"(<location latitude="69.6" longitude="18.9"/></location>)" + "\n<forecast><tabular>" +
         periods + "\n</tabular></forecast></weatherdata>\n";
}

// `clean()` with the first `times` of `from` replaced by `to`.
std::string changed(const std::string& from, const std::string& to, int times = 1) {
  std::string document = clean();
  for (std::size_t at = 0; times-- > 0; at += to.size())
    document.replace(at = document.find(from, at), from.size(), to);
  return document;
}

class Check : public ::testing::Test {
 protected:
  TempDir dir;
};

// Each crafted document gives a finding of its kind, on the line of the
// element it is about, with its severity (and what the change brings with
// it: a value of period 3 replaces period 0's); notes alone exit 0.
TEST_F(Check, EachKindStandsOnItsLineWithItsSeverity) {
  const struct {
    const char* name;
    std::string document;
    std::string line;  // the whole finding line, FILE for the path
  } cases[] = {
      {"nothing.xml", clean(), ""},
      {"untimed.xml", clean("</time><time>"),
       "FILE:4: warning: a time element without a period in day record \"Dec 08\": it opens and "
       "closes nothing, and its values count as period 0's, the period before it "
       "[time-without-period]"},
      {"late.xml", std::regex_replace(clean(), std::regex("\n</tabular>"), "\n<time/>\n</tabular>"),
       "FILE:12: warning: a time element (without a period) stands outside any day record, after "
       "day record \"Dec 09\" (line 11) closed: nothing of it is stored [outside-day]"},
      {"unset.xml", clean(R"(<temperature value="2147483647"/>)"),
       "FILE:4: warning: a temperature of 2147483647 counts as none (2147483647 is the plug-in's "
       "unset value): the day's next temperature replaces it, whatever it is; day record \"Dec "
       "08\" stores day_hi_temperature \"2\" [unset-temperature]"},
      {"text.xml", clean(R"(<temperature value="x7"/>)"),
       "FILE:4: warning: a temperature value \"x7\" is read as 0, the leading whole number of its "
       "text: day record \"Dec 08\" stores day_low_temperature \"x7\" [not-a-number]"},
      {"storm.xml",
       clean(R"(<windSpeed mps="700000"/>)", R"(<timezone utcoffsetMinutes="60"/>)", 3),
       "FILE:7: warning: a wind speed of 700000 m/s overflows the contract's 32-bit arithmetic for "
       "km/h; the plug-in stores the exact \"2520000\" as night_wind_speed of day record \"Dec "
       "08\" [wind-overflow]"},
      {"backwards.xml",
       clean(R"(<windSpeed mps="-3"/>)", R"(<timezone utcoffsetMinutes="60"/>)", 3),
       "FILE:7: warning: a wind speed of -3 m/s: day record \"Dec 08\" stores night_wind_speed "
       "\"-10\", a negative speed [negative-wind]"},
      {"symbol.xml",
       clean(R"(<symbol number="16" name="Skyet"/>)", R"(<timezone utcoffsetMinutes="60"/>)", 3),
       "FILE:7: warning: symbol numbers without an icon code: the plug-in stores the table key it "
       "looked up instead (1 value stored so): \"night16\" (1) [untranslated-symbol]"},
      {"null.xml", clean("<windDirection/>", R"(<timezone utcoffsetMinutes="60"/>)", 3),
       "FILE:7: warning: a windDirection without the attribute its value is read from: day record "
       "\"Dec 08\" stores night_wind_title with a null value, not leaving it out [null-value]"},
      {"zone.xml", clean("", R"(<timezone utcoffsetMinutes="570"/>)"),
       "FILE:2: warning: an offset of 570 minutes (UTC+9:30) is stored as station_time_zone \"9\": "
       "the time zone is kept in whole hours, truncated [zone-not-whole-hours]"},
      {"zoneless.xml", clean("", ""),
       "FILE:2: warning: the location record stores no station_time_zone [location-incomplete]"},
      {"twice.xml",
       changed("<location>", "<location><timezone utcoffsetMinutes=\"0\"/></location>\n<location>"),
       "FILE:3: warning: 2 location elements: the plug-in stores the last one's record, and the "
       "earlier one's (line 2) is never stored [location-replaced]"},
      {"rain.xml",
       clean(R"(<precipitation value="2.5"/>)", R"(<timezone utcoffsetMinutes="60"/>)", 2),
       "FILE:6: warning: period 2's precipitation \"2.5\" is not used: day record \"Dec 08\" "
       "stores day_precipitation \"0\" (from period 1, line 5) [amount-not-used]"},
      {"sky.xml",
       clean(R"(<symbol number="4" name="Skyet"/>)", R"(<timezone utcoffsetMinutes="60"/>)", 2),
       "FILE:6: note: period 2's symbol \"4\" is not used: day record \"Dec 08\" stores day_icon "
       "\"28\" (from \"3\" of period 1, line 5) [value-not-used]"},
      {"decimals.xml",
       clean(R"(<temperature value="2.5"/>)", R"(<timezone utcoffsetMinutes="60"/>)", 1),
       "FILE:5: warning: day record \"Dec 08\" stores day_hi_temperature \"2\" (line 4), though "
       "2.5 is higher: the plug-in compares whole numbers, and both read as 2 "
       "[temperature-decimals]"},
      {"dateless.xml", changed(R"( to="2026-12-09T06:00:00")", ""),
       "FILE:8: warning: day record 2 stores no day_name or day_date: the time element that opens "
       "it has no to [date-missing]"},
      {"odd.xml", changed(R"(period="2" to="2026-12-08)", R"(period="02" to="2026-12-08)"),
       "FILE:6: warning: a time element with period \"02\" in day record \"Dec 08\", none of "
       "\"0\" to \"3\": what it holds for the day or night half is not stored (here: its "
       "symbol, pressure, precipitation, windSpeed, windDirection) [unknown-period]"},
      {"again.xml", changed(R"(period="2" to="2026-12-08)", R"(period="1" to="2026-12-08)"),
       "FILE:6: warning: a second period 1 in day record \"Dec 08\" (opened at line 4): its "
       "values replace the first one's [repeated-period]"},
      {"sunless.xml", changed("<sunr>09:00</sunr><suns>15:00</suns>", "", 4),
       "FILE:4: note: 1 day record of 2 stores no sunrise or sunset (the first: day record \"Dec "
       "08\"), while the other does [sun-some-days]"},
      {"observed.xml", changed("</weatherdata>", "<observations/></weatherdata>"),
       "FILE:12: note: an observations element: the plug-in reads only the forecast, and stores "
       "none of the values observed at weather stations [observations-unread]"},
      {"dropped.xml", changed(R"(period="3" to="2026-12-09)", R"(period="2" to="2026-12-09)"),
       "FILE:8: warning: a day record opened here (to \"2026-12-09T06:00:00\") never reaches a "
       "period 3: the document ends first, and none of it is stored [dropped-day]"},
      {"english.xml", std::regex_replace(clean(), std::regex("Skyet"), "Cloudy"),
       "FILE:5: note: English condition names, which the plug-in's table (made for the service's "
       "Norwegian names) does not hold: each is shown as it stands (4 values stored so): "
       "\"Cloudy\" (4) [english-name]"},
      {"nowhere.xml", "<weatherdata>\n<forecast/></weatherdata>",
       "FILE:1: warning: the document has no location element: no position or time zone is "
       "stored [no-location]"},
      {"page.xml", "<!DOCTYPE html>\n<html><body><p>Moved<br></p></body></html>\n",
       "FILE:2: error: the plug-in refuses the file and stores nothing (-1): not well-formed XML "
       "at line 2: Opening and ending tag mismatch: br line 2 and p [refused]"},
      {"cut.xml", "<weatherdata>\n<location>\n<",
       "FILE:3: error: the plug-in refuses the file and stores nothing (-1): truncated: the "
       "document ends at line 3 before its root element closes [refused]"},
      {"empty.xml", "",
       "FILE:1: error: the plug-in refuses the file and stores nothing (-1): not well-formed XML "
       "at line 1: Document is empty [refused]"},
      {"binary.xml", std::string("\x00\x01\x02\xff garbage", 12),
       "FILE:1: error: the plug-in refuses the file and stores nothing (-1): not well-formed XML "
       "at line 1: Document is empty [refused]"},
      {"speedless.xml", changed(R"(<windSpeed mps="4"/>)", "<windSpeed/>", 4),
       "FILE:4: note: a windSpeed without the attribute its value is read from: day record "
       "\"Dec 08\" stores no night_wind_speed (4 values left out) [value-left-out]"},
  };
  for (const auto& c : cases) {
    const std::string path = dir.write(c.name, c.document);
    const Outcome run = inspect({"--check", path});
    const bool serious = c.line.find(": note: ") == std::string::npos;
    EXPECT_EQ(run.status, c.line.empty() || !serious ? 0 : 7) << c.name << "\n" << run.out;
    if (c.line.empty())
      EXPECT_EQ(run.out, path + ": 2 days stored; no findings\n");
    else
      EXPECT_NE(run.out.find(path + c.line.substr(4) + "\n"), std::string::npos) << c.name << "\n"
                                                                                 << run.out;
    EXPECT_EQ(run.err, "") << c.name;
  }
}

// A finding names only what the plug-in stored: a value a later period
// replaced, a record later dropped, a location later replaced and a lookup
// outside any record (which writes its "Not found" line all the same) say
// nothing of what is stored.
TEST_F(Check, FindingsCiteOnlyWhatIsStored) {
  const std::string path = dir.write(
      "later.xml",
      "<weatherdata>\n<location><timezone utcoffsetMinutes=\"570\"/></location>\n"
      "<location><timezone utcoffsetMinutes=\"60\"/></location>\n<forecast><tabular>\n"
      "<time period=\"0\" to=\"2026-12-08T06:00:00\"><windSpeed "
      "mps=\"3.9\"/><windDirection/></time>\n"
      "<time period=\"1\"><windSpeed mps=\"5\"/></time>\n<time period=\"2\"><windSpeed "
      "mps=\"3.9\"/></time>\n"
      "<time period=\"3\"><windSpeed mps=\"6\"/><windDirection code=\"N\"/></time>\n"
      "<time period=\"2\" to=\"2026-12-09T18:00:00\"><symbol number=\"3\" name=\"Tåke\"/></time>\n"
      "</tabular></forecast></weatherdata>\n");
  const Outcome run = inspect({"--check", path});
  for (const char* code :
       {"[wind-decimals]", "[zone-not-whole-hours]", "[null-value]", "[untranslated-name]"})
    EXPECT_EQ(run.out.find(code), std::string::npos) << code << "\n" << run.out;
  EXPECT_NE(run.out.find(path + ":9: warning: a time element (period \"2\", to "
                                "\"2026-12-09T18:00:00\") stands outside any day record, after "
                                "day record \"Dec 08\" (line 8) closed: nothing of it is stored "
                                "[outside-day]"),
            std::string::npos)
      << run.out;
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
        "tests/golden/forecast-odd.xml", "tests/golden/wild-2011-crlf.xml",
        "tests/golden/wild-2014-east.xml", "tests/golden/wild-2016-west.xml",
        "tests/golden/wild-2019-late-days.xml", "tests/golden/wild-2021-halfhour.xml",
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
// too, and a total ends the run; the status is 7 when any has an error or a
// warning. Nothing is written beside them, not even under a path the
// plug-in could form a staged name from.
TEST_F(Check, SeveralFilesAreEachCheckedAndNothingChanges) {
  const std::string good = dir.write("good.xml", clean());
  const std::vector<std::string> before = entries(dir.path());
  const Outcome run = inspect({"--check", dir.path() + "/missing.xml", dir.path(), good});
  EXPECT_EQ(run.status, 7);
  EXPECT_NE(run.out.find("missing.xml: error: the plug-in refuses the file and stores nothing "
                         "(-1): cannot open it: No such file or directory [refused]"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find(dir.path() + ": refused, nothing stored; 1 error\n"), std::string::npos);
  EXPECT_NE(run.out.find(good + ": 2 days stored; no findings\n3 files checked: 2 errors\n"),
            std::string::npos)
      << run.out;
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
  EXPECT_NE(long_run.out.find(far + ": warning: a path of " + std::to_string(far.size()) +
                              " bytes: the plug-in forms no staged name this long, so no staged "
                              "\".new\" file is ever swapped in for it [long-path]"),
            std::string::npos)
      << long_run.out;
}

// A waiting FILE.new is what the next refresh reads: it is named, checked
// after FILE under its own name, and an error when the forecast stored now
// would give way to one that stores nothing. Neither file changes.
TEST_F(Check, AWaitingStagedFileIsCheckedAsTheNextRefreshReadsIt) {
  const std::string good = dir.write("good.xml", clean());
  const std::string torn = clean().substr(0, 300);
  dir.write("good.xml.new", torn);
  const Outcome run = inspect({"--check", good});
  EXPECT_EQ(run.status, 7);
  const std::string staged = good + ".new";
  EXPECT_EQ(run.out.substr(0, run.out.find('\n', run.out.find('\n') + 1) + 1),
            good + ": error: the next refresh moves " + staged +
                " over this forecast, which stores 2 days, and from " + staged +
                " the plug-in stores nothing: it refuses it (-1): the host loses its forecast "
                "[staged-breaks]\n" +
                good + ": note: a staged " + staged +
                " is waiting: the next refresh moves it over this file and reads it instead (its "
                "own check follows) [staged-file]\n")
      << run.out;
  EXPECT_NE(run.out.find(staged + ": refused, nothing stored; 1 error\n2 files checked: 2 errors, "
                                  "1 note\n"),
            std::string::npos)
      << run.out;
  EXPECT_EQ(read_file(good), clean());
  EXPECT_EQ(read_file(staged), torn);

  // A readable replacement is a note, and its own findings follow.
  dir.write("good.xml.new", clean("", R"(<timezone utcoffsetMinutes="570"/>)"));
  const Outcome next = inspect({"--check", good});
  EXPECT_EQ(next.status, 7) << next.out;
  EXPECT_NE(next.out.find(staged + ":2: warning: an offset of 570 minutes"), std::string::npos)
      << next.out;
  EXPECT_EQ(next.out.find("[staged-breaks]"), std::string::npos) << next.out;
}

// --json: the findings as objects with their severity, the values and the
// stored values each cites; every file's summary.
TEST_F(Check, JsonGivesEachFindingWithItsValuesAndCitations) {
  const std::string path = dir.write(
      "zone.xml", clean(R"(<windSpeed mps="3.9"/>)", R"(<timezone utcoffsetMinutes="-210"/>)", 3));
  const Outcome run = inspect({"--check", "--json", path, dir.path() + "/missing.xml"});
  EXPECT_EQ(run.status, 7);
  inspector::plot::GObjectPtr<JsonParser> parser(json_parser_new());
  ASSERT_TRUE(json_parser_load_from_data(parser.get(), run.out.c_str(), -1, nullptr)) << run.out;
  JsonObject* root = json_node_get_object(json_parser_get_root(parser.get()));
  JsonArray* findings = json_object_get_array_member(root, "findings");
  ASSERT_EQ(json_array_get_length(findings), 4u) << run.out;
  JsonObject* zone = json_array_get_object_element(findings, 0);
  EXPECT_STREQ(json_object_get_string_member(zone, "file"), path.c_str());
  EXPECT_EQ(json_object_get_int_member(zone, "line"), 2);
  EXPECT_STREQ(json_object_get_string_member(zone, "code"), "zone-not-whole-hours");
  EXPECT_STREQ(json_object_get_string_member(zone, "severity"), "warning");
  EXPECT_EQ(json_object_get_int_member(zone, "count"), 1);
  JsonObject* values = json_object_get_object_member(zone, "values");
  EXPECT_STREQ(json_object_get_string_member(values, "stored"), "-3");
  JsonObject* cite = json_array_get_object_element(json_object_get_array_member(zone, "cites"), 0);
  EXPECT_STREQ(json_object_get_string_member(cite, "record"), "location");
  EXPECT_STREQ(json_object_get_string_member(cite, "key"), "station_time_zone");
  EXPECT_STREQ(json_object_get_string_member(cite, "value"), "-3");
  EXPECT_STREQ(json_object_get_string_member(cite, "element"), "timezone");
  // Decimals as the text shown; the stored speed with its record.
  JsonObject* wind = json_array_get_object_element(findings, 2);
  JsonObject* loss = json_object_get_object_member(wind, "values");
  EXPECT_STREQ(json_object_get_string_member(loss, "stored_kmh"), "10");
  EXPECT_STREQ(json_object_get_string_member(loss, "exact_kmh"), "14.04");
  EXPECT_STREQ(json_object_get_string_member(loss, "loss_kmh"), "4.04");
  JsonObject* speed = json_array_get_object_element(json_object_get_array_member(wind, "cites"), 0);
  EXPECT_STREQ(json_object_get_string_member(speed, "record"), "forecast");
  EXPECT_EQ(json_object_get_int_member(speed, "day"), 0);
  EXPECT_EQ(json_object_get_int_member(speed, "line"), 7);
  JsonObject* missing = json_array_get_object_element(findings, 3);
  EXPECT_TRUE(json_object_get_null_member(missing, "line"));
  EXPECT_STREQ(json_object_get_string_member(missing, "severity"), "error");
  JsonArray* files = json_object_get_array_member(root, "files");
  ASSERT_EQ(json_array_get_length(files), 2u);
  EXPECT_EQ(json_object_get_int_member(json_array_get_object_element(files, 0), "warnings"), 2);
}

// A table or picture run says on standard error, after the table whatever
// both streams go to, how much the check has to say; a run with nothing to
// say, or for programs, says nothing more.
TEST_F(Check, TableRunsHintAtTheCheckAfterTheTable) {
  const std::string zone =
      dir.write("zone.xml", clean("", R"(<timezone utcoffsetMinutes="570"/>)"));
  const std::string good = dir.write("good.xml", clean());
  const std::string hint = "brelund-inspect: 1 warning; brelund-inspect --check " + zone +
                           " says which, and brelund-inspect --explain CODE what each means\n";
  EXPECT_EQ(inspect({zone}).err, hint);
  const Outcome both = inspect_shell(zone + " 2>&1");
  EXPECT_EQ(both.out.substr(both.out.size() - hint.size()), hint) << both.out;
  EXPECT_EQ(inspect({zone, "--plot", dir.path() + "/zone.svg"}).err, hint);
  EXPECT_EQ(inspect({good}).err, "");
  EXPECT_EQ(inspect({"--json", zone}).err, "");
}

// "-" is the forecast on standard input, read as the plug-in reads a file
// and named "standard input", for a table run and for --check alike.
TEST_F(Check, StandardInputIsAForecastFile) {
  const std::string zone =
      dir.write("zone.xml", clean("", R"(<timezone utcoffsetMinutes="570"/>)"));
  const Outcome check = inspect_shell("--check - < " + zone);
  EXPECT_EQ(check.status, 7);
  EXPECT_EQ(check.out.substr(0, check.out.find(':') + 3), "standard input:2:") << check.out;
  EXPECT_NE(check.out.find("\nstandard input: 2 days stored; 1 warning\n"), std::string::npos);
  const Outcome table = inspect_shell("--json - < " + zone);
  EXPECT_EQ(table.status, 0);
  EXPECT_NE(table.out.find("\"station_time_zone\" : \"9\""), std::string::npos) << table.out;
  const Outcome torn = inspect_shell("- < /dev/null");
  EXPECT_EQ(torn.status, 3);
  EXPECT_EQ(torn.err.rfind("brelund-inspect: cannot read forecast file standard input: ", 0), 0u)
      << torn.err;
}

// Lines are those an editor shows, whatever ends them: libxml2 counts line
// feeds only, so a file of bare carriage returns is read for the check
// from a copy with line feeds, the same document line for line.
TEST_F(Check, LinesAreTheEditorsWhateverEndsThem) {
  std::string lf = clean("", R"(<timezone utcoffsetMinutes="570"/>)");
  std::string cr = lf, crlf, mixed = lf;
  std::replace(cr.begin(), cr.end(), '\n', '\r');
  for (const char c : lf) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  mixed.replace(mixed.find('\n'), 1, "\r");  // the root's line ends alone in a CR
  for (const auto& [name, document] :
       {std::pair{"cr.xml", cr}, std::pair{"crlf.xml", crlf}, std::pair{"mixed.xml", mixed}}) {
    const std::string path = dir.write(name, document);
    const Outcome run = inspect({"--check", path});
    EXPECT_EQ(run.out.substr(0, path.size() + 12), path + ":2: warning:") << name << "\n"
                                                                          << run.out;
    EXPECT_EQ(read_file(path), document) << name;  // the file itself is not touched
  }
}

// A record with more losses than are kept in detail (256: each symbol here
// loses its number and its name) says its count is a least.
TEST_F(Check, ManyLossesAreCountedAsALeast) {
  std::string names;
  for (int k = 0; k < 300; ++k)
    names += "<symbol number=\"3\" name=\"Navn" + std::to_string(k) + "\"/>";
  std::string document = clean();
  const std::string first = R"(<symbol number="3" name="Skyet"/>)";
  document.replace(document.find(first), first.size(), names);
  const std::string path = dir.write("many.xml", document);
  const Outcome run = inspect({"--check", path});
  EXPECT_NE(run.out.find("(at least 128 values of stored day records not used or replaced) "
                         "[value-not-used]"),
            std::string::npos)
      << run.out;
}

// A plug-in that stores otherwise than the readers built into the
// inspector (another version, say) is a finding of its own, naming the
// first difference.
TEST_F(Check, APluginThatStoresOtherwiseIsNamed) {
  const std::string path = dir.write("good.xml", clean());
  GHashTable* location = g_hash_table_new(g_str_hash, g_str_equal);
  g_hash_table_insert(location, const_cast<char*>("station_time_zone"), g_strdup("2"));
  GHashTable* other = g_hash_table_new(g_str_hash, g_str_equal);
  g_hash_table_insert(other, const_cast<char*>("location"), location);
  const auto after = inspector::check::findings_after(path, inspector::Stored(other));
  host::release_station_data(other, [](gpointer, gpointer value, gpointer) { g_free(value); });
  ASSERT_EQ(after.findings.size(), 1u);
  EXPECT_EQ(after.findings[0].code, inspector::check::Code::kPluginDiffers);
  EXPECT_NE(after.findings[0].message.find("location.station_time_zone is \"2\" there, \"1\" here"),
            std::string::npos)
      << after.findings[0].message;
}

// --explain CODE prints that code's section of docs/checks.md, built in;
// a name that is no code is a usage error.
TEST_F(Check, ExplainPrintsEachCodesSection) {
  for (std::size_t k = 0; k < inspector::check::code_count(); ++k) {
    const std::string name = inspector::check::info_at(k).name;
    const Outcome run = inspect({"--explain", name});
    EXPECT_EQ(run.status, 0) << name;
    EXPECT_EQ(run.out.rfind("## `" + name + "`\n", 0), 0u) << name << "\n" << run.out;
    EXPECT_EQ(run.out.find("\n## "), std::string::npos) << name;  // that section alone
  }
  const Outcome unknown = inspect({"--explain", "no-such-code"});
  EXPECT_EQ(unknown.status, 1);
  EXPECT_EQ(unknown.out, "");
  EXPECT_NE(unknown.err.find("no --check code is named \"no-such-code\""), std::string::npos);
}

}  // namespace
}  // namespace brelund::testing
