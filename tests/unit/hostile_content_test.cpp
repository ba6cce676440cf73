// SPDX-License-Identifier: MIT
// Malformed, oddly encoded, deep, wide and misplaced content: refused or read
// soundly, never a crash or a hang; benign documents parse to the very tree
// libxml2's own default parse gives.
#include <glib.h>
#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "documents.hpp"
#include "holders.hpp"
#include "host_table.hpp"
#include "hostile.hpp"
#include "tarnvale-brelund-source.h"
#include "two_ways.hpp"

namespace brelund::testing {
namespace {

using sources::Outcome;

std::string forecast_with_latitude(const std::string& latitude,
                                   const std::string& declaration = "") {
  return declaration + "<weatherdata><location><location latitude=\"" + latitude +
         "\" longitude=\"18.9\"/><timezone utcoffsetMinutes=\"60\"/></location></weatherdata>\n";
}

std::string nested(const std::string& name, int depth, const std::string& inner) {
  std::string out;
  out.reserve(static_cast<std::size_t>(depth) * (2 * name.size() + 5) + inner.size());
  for (int i = 0; i < depth; ++i) out += "<" + name + ">";
  out += inner;
  for (int i = 0; i < depth; ++i) out += "</" + name + ">";
  return out;
}

// Every value stored in a record is valid UTF-8.
void expect_utf8_values(GHashTable* record) {
  ASSERT_NE(record, nullptr);
  g_hash_table_foreach(
      record,
      [](gpointer key, gpointer value, gpointer) {
        if (value == nullptr) return;
        EXPECT_TRUE(g_utf8_validate(static_cast<const char*>(value), -1, nullptr))
            << static_cast<const char*>(key);
      },
      nullptr);
}

class Content : public ::testing::Test {
 protected:
  // Reads the document as the forecast file; a small one is also read the
  // other way in, through a tree, which must give the same.
  int read(const std::string& text) {
    const std::string path = dir.write("doc.xml", text);
    if (text.size() < (std::size_t{1} << 20)) {
      EXPECT_EQ(difference(path), "");
    }
    const int result = get_station_weather_data(path.c_str(), table.get());
    if (result == -1) {
      EXPECT_EQ(table.size(), 0u);
    }
    return result;
  }
  std::string location(const char* key) { return field(table.record("location"), key); }

  TempDir dir;
  HostTable table;
};

TEST_F(Content, BrokenBytesAreRefused) {
  const std::string refused[] = {
      forecast_with_latitude("\xff\xfe"),      // not UTF-8 at all
      forecast_with_latitude("\xc0\xaf"),      // overlong "/"
      forecast_with_latitude("\xed\xa0\x80"),  // a surrogate
      forecast_with_latitude("69\xc3"),        // cut inside a character
      forecast_with_latitude(std::string("6\0"
                                         "9",
                                         3)),              // NUL in a value
      std::string("\0", 1) + forecast_with_latitude("1"),  // NUL first
      forecast_with_latitude("1", "<?xml version=\"1.0\" encoding=\"x-no-such\"?>"),
      // Labelled UTF-16 but plainly 8-bit.
      forecast_with_latitude("1", "<?xml version=\"1.0\" encoding=\"UTF-16\"?>"),
  };
  for (const std::string& text : refused) {
    SCOPED_TRACE(text);
    EXPECT_EQ(read(text), -1);
  }
  // libxml2 takes a NUL after the root element for the end of the input.
  EXPECT_EQ(read(forecast_with_latitude("1") + std::string("\0<x", 3)), 0);
  EXPECT_EQ(location("station_latitude"), "1");
}

TEST_F(Content, DeclaredEncodingsThatLieGiveValidText) {
  // UTF-8 bytes read as Latin-1: "TromsÃ¸", still valid UTF-8 once stored.
  EXPECT_EQ(read(forecast_with_latitude("Troms\xc3\xb8",
                                        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>")),
            0);
  EXPECT_EQ(location("station_latitude"), "Troms\xc3\x83\xc2\xb8");
  expect_utf8_values(table.record("location"));

  // Really UTF-16 (little-endian, with a byte-order mark).
  const std::string utf8 = forecast_with_latitude("\xc3\xa6", "<?xml version=\"1.0\"?>");
  std::string utf16 = "\xff\xfe";
  const GPtr<gunichar2> units(g_utf8_to_utf16(utf8.c_str(), -1, nullptr, nullptr, nullptr));
  for (const gunichar2* unit = units.get(); *unit != 0; ++unit) {
    utf16 += static_cast<char>(*unit & 0xff);
    utf16 += static_cast<char>(*unit >> 8);
  }
  HostTable second;
  const std::string utf16_path = dir.write("utf16.xml", utf16);
  EXPECT_EQ(get_station_weather_data(utf16_path.c_str(), second.get()), 0);
  EXPECT_EQ(field(second.record("location"), "station_latitude"), "\xc3\xa6");
}

TEST_F(Content, EveryTruncationIsRefusedCleanly) {
  const std::string whole = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- forecast -->\n" +
                            forecast_with_latitude("69.6") + "<!-- trailing comment -->\n";
  const std::size_t root_end = whole.find("</weatherdata>") + 14;
  for (std::size_t size = 0; size < whole.size(); ++size) {
    SCOPED_TRACE(size);
    HostTable fresh;
    const std::string path = dir.write("doc.xml", whole.substr(0, size));
    EXPECT_EQ(difference(path), "");
    const int result = get_station_weather_data(path.c_str(), fresh.get());
    // Only the trailing comment may be cut without harm (it then is not
    // well-formed either, unless it was cut before it began).
    if (size < root_end) {
      EXPECT_EQ(result, -1);
      EXPECT_EQ(fresh.size(), 0u);
    }
  }
  // A gzip file cut short.
  const std::string gz = dir.path() + "/cut.xml";
  write_gzip(gz, whole, "", 0, "");
  const std::string bytes = read_file(gz);
  const std::string cut = dir.write("cut.xml", bytes.substr(0, bytes.size() / 2));
  EXPECT_EQ(get_station_weather_data(cut.c_str(), table.get()), -1);
  EXPECT_EQ(table.size(), 0u);
}

class Unwanted final : public sources::ElementHandler {
 public:
  sources::Want start(const sources::Element&) override { return sources::Want::kNothing; }
  void text(std::string_view) override {}
  void end() override {}
  bool full() const noexcept override { return false; }
};

// How the plug-in's stream ends a file it is shown.
sources::StreamResult stream(const std::string& path) {
  Unwanted unwanted;
  return sources::read_file(path.c_str(), unwanted);
}

// A cut that leaves an element open is told apart, at the line of its last
// byte, wherever it falls: in a tag, a name, a value, a comment, inside a
// character of several bytes, past one of libxml2's reads (every cut of a
// small document, and of the first 2,200 bytes of a real forecast, then
// every 11th). Cut before the root opens or after it closes, a document is
// only not well-formed.
TEST_F(Content, ACutThatLeavesTheRootOpenIsTruncatedAtItsLastLine) {
  const std::string documents[] = {
      "<?xml version=\"1.0\"?>\r\n<!-- a -->\n" + forecast_with_latitude("69.6") + "<!-- b -->",
      read_file(BRELUND_EXAMPLES_DIR "/skarvik.xml")};
  for (const std::string& whole : documents) {
    const std::size_t opened = whole.find("<weatherdata") + 2;      // a name read
    const std::size_t closing = whole.find("</weatherdata>") + 13;  // its ">"
    for (std::size_t size = 1; size < whole.size(); size += size < 2'200 ? 1 : 11) {
      const std::string cut = whole.substr(0, size);
      const sources::StreamResult read = stream(dir.write("cut.xml", cut));
      const bool open = size >= opened && size <= closing;
      ASSERT_EQ(read.error.truncated, open) << size << ": " << read.error.message;
      if (open) {
        ASSERT_EQ(read.outcome, Outcome::kMalformed);
        ASSERT_EQ(read.error.line, 1 + std::count(cut.begin(), cut.end() - 1, '\n')) << size;
      }
    }
  }
  // Faults of their own, though the document ends with the root open: a
  // mismatched end tag at the very end, and a bad character inside a text
  // that runs on past what libxml2 holds.
  const std::string faulty[] = {"<w>\n<a>\n</w>", "<w><t>" + std::string(3'000, 'a') + "\x01" +
                                                      std::string(30'000, 'a') + "</t></w>\n"};
  for (const std::string& text : faulty) {
    const sources::StreamResult read = stream(dir.write("faulty.xml", text));
    EXPECT_EQ(read.outcome, Outcome::kMalformed);
    EXPECT_FALSE(read.error.truncated) << read.error.message;
  }
}

TEST_F(Content, DeepAndWideDocuments) {
  // libxml2 refuses 100,000 levels in its own parse (its limit is 256).
  EXPECT_EQ(read("<weatherdata>" + nested("x", 100'000, "") + "</weatherdata>"), -1);

  // A host may parse such a document itself; the readers walk it in bounded
  // stack and take the text from the depths.
  const std::string hourly =
      "<w><hbhf><hour c=\"5\"><t>" + nested("x", 100'000, "deep") + "</t></hour></hbhf></w>";
  const Doc deep(xmlReadMemory(hourly.data(), static_cast<int>(hourly.size()), "deep.xml", nullptr,
                               XML_PARSE_HUGE));
  ASSERT_NE(deep, nullptr);
  EXPECT_EQ(parse_xml_detail_data("id", root_of(deep), table.get()), 1);
  ASSERT_EQ(table.hours().size(), 1u);
  EXPECT_EQ(field(table.hours()[0], "hour_title"), "deep");
  const std::string forecast = "<w><location><location latitude=\"1\"/>" +
                               nested("x", 100'000, "<location latitude=\"2\"/>") +
                               "</location><forecast>" + nested("tabular", 100'000, "") +
                               "</forecast></w>";
  const Doc deep_forecast(xmlReadMemory(forecast.data(), static_cast<int>(forecast.size()),
                                        "deep.xml", nullptr, XML_PARSE_HUGE));
  ASSERT_NE(deep_forecast, nullptr);
  HostTable second;
  EXPECT_EQ(parse_xml_data("id", root_of(deep_forecast), second.get()), 0);
  EXPECT_EQ(field(second.record("location"), "station_latitude"), "1");

  // Several megabytes in one attribute and in one text are copied whole.
  const std::string wide(5'000'000, '7');
  EXPECT_EQ(read(forecast_with_latitude(wide)), 0);
  EXPECT_EQ(location("station_latitude"), wide);
  const std::string long_text =
      "<w><hbhf><lsup>" + wide + "</lsup><hour c=\"1\"><tmp>" + wide + "</tmp></hour></hbhf></w>";
  const Doc texts = parse(long_text);
  HostTable third;
  EXPECT_EQ(parse_xml_detail_data("id", root_of(texts), third.get()), 1);
  EXPECT_EQ(field(third.record("detail"), "last_update"), wide);
  EXPECT_EQ(field(third.hours()[0], "hour_temperature"), wide);
}

TEST_F(Content, HundredThousandTimeElements) {
  std::string text = "<weatherdata><location><location latitude=\"1\"/></location><forecast>";
  for (int day = 0; day < 25'000; ++day) {
    text += "<tabular>";
    for (int period = 0; period < 4; ++period)
      text += "<time period=\"" + std::to_string(period) +
              "\" to=\"2010-03-07T06:00:00\"><temperature value=\"" + std::to_string(period) +
              "\"/><symbol number=\"3\" name=\"Skyet\"/><windSpeed mps=\"3.4\"/></time>";
    text += "</tabular>";
  }
  text += "</forecast></weatherdata>";
  EXPECT_EQ(read(text), 25'000);
  const auto days = table.list("forecast");
  ASSERT_EQ(days.size(), 25'000u);
  for (GHashTable* day : {days.front(), days.back()}) {
    EXPECT_EQ(field(day, "day_hi_temperature"), "3");
    EXPECT_EQ(field(day, "day_low_temperature"), "0");
    EXPECT_EQ(field(day, "day_icon"), "28");
    EXPECT_EQ(field(day, "night_title"), "Cloudy");
    EXPECT_EQ(field(day, "night_wind_speed"), "10");
  }
  EXPECT_EQ(location("station_latitude"), "1");
}

TEST_F(Content, ForecastElementsInUnexpectedPlacesAreIgnored) {
  EXPECT_EQ(read(R"(<?xml version="1.0"?><!-- c --><?pi x?>
    <weatherdata a="1">text<![CDATA[cdata]]>
      <forecast><location><location latitude="9"/></location>
        <time period="0"><temperature value="5"/></time>
        <tabular><tabular><time period="3"/></tabular><location latitude="8"/></tabular>
      </forecast>
      <tabular><time period="0"/><time period="3"/></tabular>
      <timezone utcoffsetMinutes="600"/><time period="3"/>
      <location latitude="5"><timezone><location latitude="7"/></timezone>
        <x><location latitude="6"/></x><timezone utcoffsetMinutes="x"/></location>
    </weatherdata>)"),
            0);
  EXPECT_EQ(g_hash_table_size(table.record("location")), 1u);
  EXPECT_EQ(location("station_time_zone"), "0");
  EXPECT_TRUE(table.contains("forecast"));
  EXPECT_TRUE(table.list("forecast").empty());
}

TEST_F(Content, HourlyElementsInUnexpectedPlacesAreIgnored) {
  const Doc doc = parse(R"(<w><hour c="1"/><lsup>root</lsup>
    <x><hbhf><hour c="9"/></hbhf></x>
    <hbhf><hbhf><hour c="2"/></hbhf><wind><s>1</s></wind><tmp>3</tmp>
      <hour c="3"><hour c="4"><tmp>4</tmp></hour><lsup>inner</lsup><s>5</s>
        <wind><wind><s>9</s></wind><t>N</t><tmp>6</tmp></wind></hour>
    </hbhf></w>)");
  EXPECT_EQ(parse_xml_detail_data("id", root_of(doc), table.get()), 1);
  EXPECT_EQ(field(table.record("detail"), "last_update"), "<absent>");
  ASSERT_EQ(table.hours().size(), 1u);
  GHashTable* hour = table.hours()[0];
  EXPECT_EQ(g_hash_table_size(hour), 2u);
  EXPECT_EQ(field(hour, "hours"), "03");
  EXPECT_EQ(field(hour, "hour_wind_direction"), "N");
}

TEST_F(Content, BenignDocumentsReadAsTheirDefaultTreeWhateverTheDefaults) {
  std::vector<std::string> paths = {
      dir.write("plain.xml",
                "<?xml version=\"1.0\"?>\n<weatherdata>\n  <location>\n    "
                "<location latitude=\"1\"/>  <!-- note -->\n  </location>\n"
                "  <forecast> <sunr> </sunr> <sunr> <b/> 06:00 </sunr>"
                "<![CDATA[ x ]]><?pi data?></forecast>\n"
                // Short text that later pieces join (kept inside its node at first).
                "<t>ab&amp;cd&#233;ef&lt;0123456789abcdef</t>\n</weatherdata>\n"),
      dir.write("doctype.xml",
                "<!DOCTYPE weatherdata [<!ELEMENT weatherdata ANY>"
                "<!ELEMENT sunr (#PCDATA)><!ATTLIST sunr a CDATA #IMPLIED>]>\n"
                "<weatherdata> <sunr> </sunr> <x> </x> </weatherdata>"),
      dir.write("ns.xml",
                "<w xmlns=\"urn:w\" xmlns:p=\"urn:p\"><p:location p:a=\"1\" b=\"&lt;\"/>"
                "<c xml:space=\"preserve\"> </c></w>"),
      dir.write("latin1.xml",
                "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<w a=\"\xe6\xf8\">"
                "Troms\xf8</w>"),
  };
  const std::string gz = dir.path() + "/gz.xml";
  write_gzip(gz, "<w>\n <a b=\"1\"/>\n</w>\n", "", 0, "");
  paths.push_back(gz);
  // Copies: the file way renames a waiting "<name>.new" over its file.
  int copies = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(BRELUND_EXAMPLES_DIR))
    if (entry.path().extension() == ".xml" || entry.path().extension() == ".new")
      paths.push_back(
          dir.write("example" + std::to_string(++copies) + ".xml", read_file(entry.path())));
  ASSERT_GT(paths.size(), 8u);
  for (const std::string& path : paths) {
    SCOPED_TRACE(path);
    EXPECT_EQ(stream_outcome(path), Outcome::kRead);
    const Seen expected = through_tree(path);
    EXPECT_EQ(through_file(path), expected);
    const PermissiveDefaults permissive;
    EXPECT_EQ(through_file(path), expected);
  }
}

}  // namespace
}  // namespace brelund::testing
