// SPDX-License-Identifier: MIT
// The inspector as its users run it: a command, its output and exit status.
#include <glib/gstdio.h>
#include <gtest/gtest.h>
#include <json-glib/json-glib.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host_table.hpp"
#include "picture/drawing_holders.hpp"
#include "run_inspector.hpp"
#include "sources/file_stream.hpp"

namespace brelund::testing {
namespace {

class Inspector : public ::testing::Test {
 protected:
  // Parses the inspector's --json output for a document copied into a
  // temporary directory; the root object stays valid with the parser.
  JsonObject* json_of(const std::string& name, std::vector<std::string> extra = {}) {
    const std::string path =
        dir.write(name, read_file(std::string(BRELUND_EXAMPLES_DIR) + "/" + name));
    extra.insert(extra.begin(), {"--json", path});
    const Outcome run = inspect(extra);
    EXPECT_EQ(run.status, 0) << run.err;
    parser.reset(json_parser_new());
    EXPECT_TRUE(json_parser_load_from_data(parser.get(), run.out.c_str(), -1, nullptr)) << run.out;
    return json_node_get_object(json_parser_get_root(parser.get()));
  }
  TempDir dir;
  inspector::plot::GObjectPtr<JsonParser> parser;
};

std::string text(JsonObject* object, const char* key) {
  JsonNode* node = json_object_get_member(object, key);
  if (node == nullptr) return "<absent>";
  if (JSON_NODE_HOLDS_NULL(node)) return "<null>";
  const char* value = json_node_get_string(node);
  return value != nullptr ? value : "<not text>";
}

TEST_F(Inspector, JsonHoldsTheStationDataAsStored) {
  JsonObject* root = json_of("skarvik.xml");
  JsonObject* location = json_object_get_object_member(root, "location");
  EXPECT_EQ(text(location, "station_latitude"), "69.6489");
  EXPECT_EQ(text(location, "station_longitude"), "18.9551");
  EXPECT_EQ(text(location, "station_time_zone"), "1");
  JsonArray* days = json_object_get_array_member(root, "forecast");
  ASSERT_EQ(json_array_get_length(days), 10u);
  JsonObject* first = json_array_get_object_element(days, 0);
  EXPECT_EQ(text(first, "day_name"), "Tue");
  EXPECT_EQ(text(first, "day_date"), "Dec 08");
  EXPECT_EQ(text(first, "day_icon"), "28");
  EXPECT_EQ(text(first, "day_title"), "Partly Cloudy");
  EXPECT_EQ(text(json_array_get_object_element(days, 9), "day_date"), "Dec 17");
  EXPECT_FALSE(json_object_has_member(root, "detail"));

  JsonObject* west = json_of("capelin-cove.xml");
  EXPECT_EQ(text(json_object_get_object_member(west, "location"), "station_time_zone"), "-3");
}

TEST_F(Inspector, JsonShowsNullValuesAndTheHoursList) {
  const std::string hourly =
      dir.write("hourly.xml", read_file(std::string(BRELUND_EXAMPLES_DIR) + "/skarvik-hourly.xml"));
  dir.write("nulls.xml", R"(<w><location><location longitude="5"/></location><forecast><tabular>
    <time period="0" to="2026-12-08T06:00:00"><pressure/></time>
    <time period="3" to="2026-12-09T00:00:00"/></tabular></forecast></w>)");
  const Outcome run = inspect({"--json", dir.path() + "/nulls.xml", "--hourly", hourly});
  ASSERT_EQ(run.status, 0) << run.err;
  inspector::plot::GObjectPtr<JsonParser> json(json_parser_new());
  ASSERT_TRUE(json_parser_load_from_data(json.get(), run.out.c_str(), -1, nullptr));
  JsonObject* root = json_node_get_object(json_parser_get_root(json.get()));
  EXPECT_EQ(text(json_object_get_object_member(root, "location"), "station_latitude"), "<null>");
  JsonObject* day =
      json_array_get_object_element(json_object_get_array_member(root, "forecast"), 0);
  EXPECT_EQ(text(day, "night_pressure"), "<null>");
  JsonObject* detail = json_object_get_object_member(root, "detail");
  EXPECT_EQ(text(detail, "last_update"), "12/8/26 4:10 AM CET");
  JsonArray* hours = json_object_get_array_member(detail, "hours_data");
  ASSERT_EQ(json_array_get_length(hours), 48u);
  EXPECT_EQ(text(json_array_get_object_element(hours, 0), "hours"), "05");
  EXPECT_EQ(text(json_array_get_object_element(hours, 47), "hours"), "04");
}

TEST_F(Inspector, ReadableOutputShowsDaysAndAbsentValuesPlainly) {
  const std::string path = dir.write("STATION.xml", R"(<w><forecast><tabular>
    <time period="0" to="2026-12-08T06:00:00"><temperature value="-3"/></time>
    <time period="3" to="2026-12-09T00:00:00"/></tabular></forecast></w>)");
  const Outcome run = inspect({path});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("Forecast  1 days"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("Tue  Dec 08  -3  -3  - -"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("latitude -, longitude -, time zone -"), std::string::npos) << run.out;
  // No wind at all: "-", not "- km/h -".
  EXPECT_EQ(run.out.find("km/h"), std::string::npos) << run.out;

  // A bare file name is the file in the current directory.
  const Outcome bare = inspect({"STATION.xml"}, dir.path().c_str());
  EXPECT_EQ(bare.status, 0) << bare.err;
  EXPECT_EQ(bare.out, run.out);
}

TEST_F(Inspector, FailuresHaveDistinctStatusesAndSayWhatIsWrong) {
  const std::string error =
      dir.write("error.xml", "<error><message>Location not found</message></error>");
  const std::string good = dir.write("good.xml", "<weatherdata/>");
  Outcome run = inspect({dir.path() + "/missing.xml"});
  EXPECT_EQ(run.status, 3);
  EXPECT_NE(run.err.find("cannot read forecast file " + dir.path() + "/missing.xml"),
            std::string::npos);
  run = inspect({error});
  EXPECT_EQ(run.status, 4);
  EXPECT_NE(run.err.find("is an error document from the forecast service"), std::string::npos);
  run = inspect({"--plugin", dir.path() + "/none.so", good});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("cannot use plug-in"), std::string::npos);
  run = inspect({"--plugin", BRELUND_NOT_A_PLUGIN, good});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("missing function source_init"), std::string::npos) << run.err;
  run = inspect({good, "--hourly", dir.path() + "/missing-hourly.xml"});
  EXPECT_EQ(run.status, 5);

  // Usage errors: what is wrong, then where help is, as GNU tools say it.
  const std::pair<std::vector<std::string>, std::string> usage[] = {
      {{}, "give exactly one forecast file"},
      {{good, good}, "give exactly one forecast file"},
      {{"--bogus", good}, "Unknown option --bogus"},
      {{good, "-p"}, "Missing argument for -p"},
      {{"--check"}, "give at least one forecast file to check"},
      {{"-c", "-P", "out.svg", good}, "--check takes neither --hourly nor --plot"},
  };
  for (const auto& [arguments, why] : usage) {
    run = inspect(arguments);
    EXPECT_EQ(run.status, 1) << why;
    EXPECT_EQ(run.err,
              "brelund-inspect: " + why + "\nTry 'brelund-inspect --help' for more information.\n");
    EXPECT_EQ(run.out, "") << why;
  }
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> split;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    split.push_back(text.substr(start, end - start));
  if (start < text.size()) split.push_back(text.substr(start));
  return split;
}

TEST_F(Inspector, HelpNamesTheOperandOnceAndVersionNamesThePlugin) {
  const Outcome help = inspect({"--help"});
  EXPECT_EQ(help.status, 0);
  const std::vector<std::string> help_lines = lines(help.out);
  ASSERT_GE(help_lines.size(), 2u) << help.out;
  EXPECT_EQ(help_lines[0], "Usage:");
  EXPECT_EQ(help_lines[1], "  brelund-inspect [OPTION...] FILE");
  EXPECT_NE(help.out.find("-h, --help"), std::string::npos) << help.out;
  EXPECT_NE(help.out.find("-V, --version"), std::string::npos) << help.out;
  // --help lists the exit statuses of the manual page.
  const std::string manual = read_file(BRELUND_MANUAL_PATH);
  const std::size_t section = manual.find(".Sh EXIT STATUS");
  ASSERT_NE(section, std::string::npos);
  const std::string statuses = manual.substr(section, manual.find(".Sh", section + 1) - section);
  const std::size_t from = help.out.find("Exit status: ");
  ASSERT_NE(from, std::string::npos) << help.out;
  const std::string summary = help.out.substr(from, help.out.find('\n', from) - from);
  for (int status = 0; status < 10; ++status)
    EXPECT_EQ(summary.find(" " + std::to_string(status) + " ") != std::string::npos,
              statuses.find(".It " + std::to_string(status) + "\n") != std::string::npos)
        << status << " in " << summary;

  // Without --plugin: the plug-in built beside the program, as loading uses.
  const std::string first =
      std::string("brelund-inspect (tarnvale-brelund-source) ") + BRELUND_VERSION;
  for (const char* option : {"--version", "-V"}) {
    const Outcome version = inspect({option});
    EXPECT_EQ(version.status, 0) << version.err;
    EXPECT_EQ(lines(version.out),
              (std::vector<std::string>{first, std::string("plug-in: ") + BRELUND_PLUGIN_PATH}));
    EXPECT_EQ(version.err, "");
  }
  // A forecast file beside --version is not read (it would be swapped in).
  const std::string staged = dir.write("STATION.xml.new", "<weatherdata/>");
  const Outcome ignored = inspect({"--version", dir.path() + "/STATION.xml"});
  EXPECT_EQ(ignored.status, 0);
  EXPECT_TRUE(file_exists(staged));
  const Outcome missing = inspect({"-V", "--plugin", dir.path() + "/none.so"});
  EXPECT_EQ(missing.status, 0);
  EXPECT_EQ(lines(missing.out),
            (std::vector<std::string>{first, "plug-in: " + dir.path() + "/none.so (not found)"}));
}

// Each unusable hourly document: exit status 5 and exactly one line on
// standard error naming the document and what is wrong, with none of
// libxml2's own report; nothing is printed and the staged forecast file
// stays waiting, since the run stops before the plug-in reads anything.
TEST_F(Inspector, UnusableHourlyDocumentsGiveOneLineSayingWhy) {
  const std::string forecast = dir.write("STATION.xml", "<weatherdata/>");
  const std::string staged = dir.write("STATION.xml.new", "<weatherdata/>");
  const std::string prefix = "brelund-inspect: cannot read hourly document ";
  struct Case {
    std::string name;
    const char* content;  // null: not written
    std::string says;
  };
  // Past libxml2's default limit for one text: read without huge mode.
  const std::string huge = "<w><hbhf><lsup>" + std::string(10'000'001, 'a') + "</lsup></hbhf></w>";
  const Case cases[] = {
      {"missing.xml", nullptr, "missing.xml: cannot open it: No such file or directory"},
      {"torn.xml", "<weather>\n<hbhf>\n<hour c=\"5\"></hbhf>\n</weather>\n",
       "torn.xml: not well-formed XML at line 3: Opening and ending tag mismatch: hour line 3 and "
       "hbhf"},
      // libxml2's message for this one holds a newline of its own.
      {"latin1.xml", "<weather>\n<hbhf><lsup>\xe5</lsup></hbhf></weather>\n",
       "latin1.xml: not well-formed XML at line 2: Input is not proper UTF-8, indicate encoding ! "
       "Bytes: 0xE5 0x3C 0x2F 0x6C"},
      {"huge.xml", huge.c_str(),
       "huge.xml: not well-formed XML at line 1: xmlSAX2Characters: huge text node"},
      {"empty.xml", "", "empty.xml: not well-formed XML at line 1: Document is empty"},
      {"forecast.xml", "<weatherdata><forecast/><hour/></weatherdata>",
       "forecast.xml: not an hourly document: its root element has a forecast child, not an hbhf "
       "one (a forecast document, perhaps the service's hour-by-hour forecast: give it as the "
       "forecast file; --check says what the plug-in makes of it)"},
      {"nested.xml", "<weather><head><hbhf/></head></weather>",
       "nested.xml: not an hourly document: its root element has no hbhf child"},
  };
  for (const Case& c : cases) {
    const std::string path = dir.path() + "/" + c.name;
    if (c.content != nullptr) dir.write(c.name, c.content);
    const Outcome run = inspect({forecast, "--hourly", path});
    EXPECT_EQ(run.status, 5) << c.name;
    EXPECT_EQ(run.err, prefix + dir.path() + "/" + c.says + "\n") << c.name;
    EXPECT_EQ(run.out, "") << c.name;
    EXPECT_TRUE(file_exists(staged)) << c.name;
  }
  const Outcome directory = inspect({forecast, "--hourly", dir.path()});
  EXPECT_EQ(directory.status, 5);
  EXPECT_EQ(lines(directory.err).size(), 1u) << directory.err;
  EXPECT_TRUE(file_exists(staged));
  // A FIFO is refused as the plug-in refuses one, not opened to block on.
  const std::string fifo = dir.path() + "/fifo.xml";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const Outcome blocked = inspect({forecast, "--hourly", fifo});
  EXPECT_EQ(blocked.status, 5);
  EXPECT_EQ(blocked.err, prefix + fifo + ": not a regular file\n");

  // Entities are left unexpanded, so the plug-in sees the declaration and
  // refuses the document: that too is a failure, not an empty hour list.
  const std::string entity = dir.write(
      "entity.xml", "<!DOCTYPE w [<!ENTITY e \"x\">]>\n<w><hbhf><lsup>&e;</lsup></hbhf></w>\n");
  const Outcome refused = inspect({forecast, "--hourly", entity});
  EXPECT_EQ(refused.status, 5);
  // By then the plug-in has read the forecast file, swapping in the staged one.
  EXPECT_EQ(refused.err, "brelund-inspect: the plug-in moved the staged file " + forecast +
                             ".new over " + forecast + "\nbrelund-inspect: note: " + forecast +
                             " has neither a location nor a forecast element\n" + prefix + entity +
                             ": the plug-in refused it (its DTD declares entities or attribute "
                             "defaults)\n");
  EXPECT_EQ(refused.out, "");
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

// Everything the inspector says about a forecast file beyond the station
// data: why the plug-in refused it, a staged file swapped in, a document
// with nothing to store. Each case: the file (and its staged file) as
// written, the exit status, and standard error whole, FILE standing for the
// path given; libxml2 adds nothing of its own.
TEST_F(Inspector, ForecastMessagesSayWhatHappenedAndWhy) {
  const std::string refused = "brelund-inspect: cannot read forecast file FILE: ";
  std::string many_attributes = "<w><location";
  for (int i = 0; i <= sources::kMaxAttributes; ++i)
    many_attributes += " a" + std::to_string(i) + "=\"\"";
  many_attributes += "/></w>";
  std::string many_namespaces;
  for (int i = 0; i <= sources::kMaxNamespaces; ++i)
    many_namespaces += "<w xmlns:n" + std::to_string(i) + "=\"urn:" + std::to_string(i) + "\">";
  for (int i = 0; i <= sources::kMaxNamespaces; ++i) many_namespaces += "</w>";
  const std::string long_doctype = "<!DOCTYPE w [<!ELEMENT w ANY><!--" +
                                   std::string(sources::kMaxSubsetBytes * 2, 'x') + "-->]><w/>";
  // Elements, so that no single text run nears its own limit.
  std::string oversized = "<w>";
  const std::string chunk = "<p/>" + std::string(1020, ' ');
  while (oversized.size() <= sources::kMaxBytes) oversized += chunk;
  oversized += "</w>";
  const std::string long_text = "<w>" + std::string(sources::kMaxTextRun + 1, 'a') + "</w>";
  // An empty day record from every 36 bytes: past what the reader builds.
  std::string many_days = "<w><forecast><tabular>";
  for (int i = 0; i < 120'000; ++i) many_days += R"(<time period="0"/><time period="3"/>)";
  many_days += "</tabular></forecast></w>";
  const std::string good =
      R"(<weatherdata><location><location latitude="69.6" longitude="18.9"/></location>)"
      "</weatherdata>";
  struct Case {
    std::string name;
    std::optional<std::string> content;  // none: not written
    std::optional<std::string> staged;   // written to name.new
    int status;
    std::string says;
  };
  const Case cases[] = {
      {"missing.xml", {}, {}, 3, refused + "cannot open it: No such file or directory"},
      {"folder.xml", {}, {}, 3, refused + "not a regular file"},
      {"torn.xml",
       "<weatherdata>\n<location>\n</weatherdata>\n",
       {},
       3,
       refused + "not well-formed XML at line 3: Opening and ending tag mismatch: location line 2 "
                 "and weatherdata"},
      // Cut short inside a start tag, where libxml2 speaks of a bad name.
      {"cut.xml",
       "<weatherdata>\n<location>\n<loca",
       {},
       3,
       refused + "truncated: the document ends at line 3 before its root element closes"},
      {"huge.xml",
       oversized,
       {},
       3,
       refused + "larger than the plug-in reads: over 64 MiB (67108864 bytes) after decompression"},
      {"attributes.xml",
       many_attributes,
       {},
       3,
       refused + "an element carries more than 256 attributes, the plug-in's limit"},
      {"namespaces.xml",
       many_namespaces,
       {},
       3,
       refused + "more than 256 namespaces are in scope at once, the plug-in's limit"},
      {"doctype.xml",
       long_doctype,
       {},
       3,
       refused + "its DOCTYPE's internal subset is longer than 64 KiB (65536 bytes), the plug-in's "
                 "limit"},
      {"text.xml",
       long_text,
       {},
       3,
       refused + "a run of text is longer than 10000000 bytes, the plug-in's limit"},
      {"entity.xml",
       "<!DOCTYPE w [<!ENTITY e \"x\">]><w>&e;</w>",
       {},
       3,
       refused + "its DTD declares an entity or an attribute default, which the plug-in refuses"},
      {"days.xml",
       many_days,
       {},
       3,
       refused + "it holds more station data than the plug-in builds from one file (32 MiB), or "
                 "memory ran out"},
      {"STATION",
       good,
       {},
       3,
       refused + "its name has no \".\", and the plug-in takes the station from a name like "
                 "STATION.xml"},
      {"empty.xml",
       "<weatherdata><meta/></weatherdata>",
       {},
       0,
       "brelund-inspect: note: FILE has neither a location nor a forecast element\n"
       "brelund-inspect: 1 error; brelund-inspect --check FILE says which, and brelund-inspect "
       "--explain CODE what each means"},
      // The swap is reported whatever the outcome.
      {"swapped.xml", good, "<weatherdata>", 3,
       "brelund-inspect: the plug-in moved the staged file FILE.new over FILE\n" + refused +
           "truncated: the document ends at line 1 before its root element closes"},
      {"fresh.xml", "<weatherdata>", good, 0,
       "brelund-inspect: the plug-in moved the staged file FILE.new over FILE\n"
       "brelund-inspect: 1 error, 1 warning; brelund-inspect --check FILE says which, and "
       "brelund-inspect --explain CODE what each means"},
  };
  for (const Case& c : cases) {
    const std::string path = dir.path() + "/" + c.name;
    if (c.content) dir.write(c.name, *c.content);
    if (c.name == "folder.xml") mkdir(path.c_str(), 0700);
    if (c.staged) dir.write(c.name + ".new", *c.staged);
    const Outcome run = inspect({path});
    EXPECT_EQ(run.status, c.status) << c.name;
    EXPECT_EQ(run.err, replaced(c.says, "FILE", path) + "\n") << c.name;
    EXPECT_FALSE(c.staged && file_exists(path + ".new")) << c.name;
  }

  // -p names a file: a bare name is in the current directory, not a library
  // the dynamic loader would find elsewhere.
  const std::string library = BRELUND_NOT_A_PLUGIN;
  const std::string bare = library.substr(library.rfind('/') + 1);
  Outcome run = inspect({"-p", bare, "fresh.xml"}, dir.path().c_str());
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err.rfind("brelund-inspect: cannot use plug-in ./" + bare + ": ", 0), 0u)
      << run.err;
  dir.write("plug-in.so", read_file(BRELUND_PLUGIN_PATH));
  run = inspect({"-p", "plug-in.so", "fresh.xml"}, dir.path().c_str());
  EXPECT_EQ(run.status, 0) << run.err;
}

// A bare name is a file in the current directory, even "-", which libxml2
// would otherwise take for standard input.
TEST_F(Inspector, BareHourlyNamesAreFiles) {
  dir.write("STATION.xml", "<weatherdata/>");
  dir.write("-", "<weather><hbhf><lsup>from the file</lsup></hbhf></weather>");
  const Outcome run = inspect({"--json", "STATION.xml", "--hourly", "-"}, dir.path().c_str());
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("\"last_update\" : \"from the file\""), std::string::npos) << run.out;
}

TEST_F(Inspector, PlotWritesEachFormatAndNothingElse) {
  const std::string forecast =
      dir.write("STATION.xml", read_file(std::string(BRELUND_EXAMPLES_DIR) + "/skarvik.xml"));
  const std::string hourly = std::string(BRELUND_EXAMPLES_DIR) + "/skarvik-hourly.xml";
  const struct {
    const char* name;
    std::string magic;
  } formats[] = {{"out.png", "\x89PNG\r\n\x1a\n"}, {"out.PDF", "%PDF-"}, {"out.svg", "<?xml"}};
  for (const auto& format : formats) {
    const Outcome run =
        inspect({forecast, "--hourly", hourly, "--plot", dir.path() + "/" + format.name});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    const std::string picture = read_file(dir.path() + "/" + format.name);
    EXPECT_EQ(picture.substr(0, format.magic.size()), format.magic) << format.name;
    if (format.magic == "<?xml") {
      EXPECT_NE(picture.find("<svg"), std::string::npos);
      // The condition text on hover, where cairo itself has no means.
      EXPECT_NE(picture.find("<title>Partly Cloudy</title></rect>"), std::string::npos);
    }
  }
  EXPECT_EQ(entries(dir.path()),
            (std::vector<std::string>{"STATION.xml", "out.PDF", "out.png", "out.svg"}));
}

// Exit status 6, one line naming the picture and why, and no file left:
// an unknown extension stops the run before the forecast is read (its
// staged copy stays waiting).
TEST_F(Inspector, PlotFailuresExitSixAndLeaveNothingBehind) {
  const std::string forecast = dir.write("STATION.xml", "<weatherdata/>");
  const std::string staged = dir.write("STATION.xml.new", "<weatherdata/>");
  const std::string out = dir.path() + "/out";
  ASSERT_EQ(g_mkdir(out.c_str(), 0755), 0);
  ASSERT_EQ(g_mkdir((out + "/taken.png").c_str(), 0755), 0);
  const struct {
    std::string picture;
    std::string says;
  } cases[] = {
      {out + "/picture.jpg", "unknown picture format \".jpg\" (name it .svg, .png or .pdf)"},
      {out + "/picture", "unknown picture format \"\" (name it .svg, .png or .pdf)"},
      {out + "/missing/picture.png", "cannot create a file beside it: No such file or directory"},
      {out + "/taken.png", "Is a directory"},
  };
  for (const auto& c : cases) {
    const Outcome run = inspect({forecast, "--plot", c.picture});
    EXPECT_EQ(run.status, 6) << c.picture;
    // The last line: the forecast's own lines (the swap, the note) come first.
    EXPECT_TRUE(run.err.ends_with("\nbrelund-inspect: cannot write picture " + c.picture + ": " +
                                  c.says + "\n") ||
                run.err ==
                    "brelund-inspect: cannot write picture " + c.picture + ": " + c.says + "\n")
        << run.err;
    EXPECT_EQ(entries(out), std::vector<std::string>{"taken.png"}) << c.picture;
    if (c.picture.ends_with("/picture.jpg")) {
      EXPECT_TRUE(file_exists(staged));
    }
  }
  // A forecast that cannot be read leaves no picture either.
  const Outcome unreadable = inspect({dir.path() + "/none.xml", "--plot", out + "/p.svg"});
  EXPECT_EQ(unreadable.status, 3);
  EXPECT_EQ(entries(out), std::vector<std::string>{"taken.png"});
}

}  // namespace
}  // namespace brelund::testing
