// SPDX-License-Identifier: MIT
// Documents that declare entities, attribute defaults or external resources:
// refused, or read without ever fetching anything, whatever libxml2's
// process-wide defaults say.
#include <gtest/gtest.h>
#include <libxml/parser.h>

#include <string>

#include "documents.hpp"
#include "host_table.hpp"
#include "hostile.hpp"
#include "tarnvale-brelund-source.h"
#include "two_ways.hpp"

namespace brelund::testing {
namespace {

using sources::Outcome;

const std::string kLocation =
    R"(<location><location latitude="69.6" longitude="18.9"/></location>)";

// Ten levels of ten references each: 10^10 copies of "lol" if ever expanded.
std::string laughs() {
  std::string dtd = R"(<!ENTITY l0 "lol">)";
  for (int level = 1; level <= 10; ++level) {
    std::string refs;
    for (int i = 0; i < 10; ++i) refs += "&l" + std::to_string(level - 1) + ";";
    dtd += "<!ENTITY l" + std::to_string(level) + " \"" + refs + "\">";
  }
  return dtd;
}

// One 50 KB entity referenced `count` times: 2.5 GB of text for 50,000.
std::string repeated_reference(int count) {
  std::string refs;
  for (int i = 0; i < count; ++i) refs += "&a;";
  return refs;
}
const std::string kBigEntity = R"(<!ENTITY a ")" + std::string(50'000, 'x') + R"(">)";

std::string with_dtd(const std::string& subset, const std::string& body) {
  return "<?xml version=\"1.0\"?>\n<!DOCTYPE weatherdata [" + subset + "]>\n<weatherdata>" + body +
         "</weatherdata>\n";
}

class Declarations : public ::testing::Test {
 protected:
  Declarations() {
    secret_file = dir.write("secret.txt", "SECRET");
    // An external DTD that would fill in the latitude, and one that would
    // declare an entity, were either ever loaded.
    secret_dtd = dir.write("secret.dtd", R"(<!ATTLIST location latitude CDATA "SECRET">)");
    entity_dtd = dir.write("entity.dtd", R"(<!ENTITY lat "SECRET">)");
  }

  std::vector<std::string> refused_documents() {
    return {
        with_dtd(laughs(), R"(<location><location latitude="&l10;"/></location>
            <forecast><tabular><time period="0"><sunr>&l10;</sunr></time></tabular></forecast>)"),
        with_dtd(kBigEntity, "<forecast><tabular><time period=\"0\"><sunr>" +
                                 repeated_reference(50'000) +
                                 "</sunr></time></tabular></forecast>"),
        with_dtd(kBigEntity, R"(<location><location latitude=")" + repeated_reference(50'000) +
                                 R"("/></location>)"),
        with_dtd(R"(<!ENTITY % p "x">)", kLocation),
        with_dtd(R"(<!NOTATION gif SYSTEM "gif"><!ENTITY pic SYSTEM "pic.gif" NDATA gif>)",
                 kLocation),
        with_dtd(R"(<!ENTITY s SYSTEM "file://)" + secret_file + R"(">)",
                 "<location><sunr>&s;</sunr></location>"),
        with_dtd(R"(<!ENTITY % p SYSTEM "file://)" + entity_dtd + R"("> %p;)",
                 R"(<location><location latitude="&lat;"/></location>)"),
        with_dtd(R"(<!ENTITY % p SYSTEM ")" + listener.url("p.dtd") + R"("> %p;)", kLocation),
        with_dtd(R"(<!ENTITY s SYSTEM ")" + listener.url("s.xml") + R"(">)",
                 "<location>&s;</location>"),
        with_dtd(R"(<!ATTLIST location latitude CDATA "1.5">)", "<location><location/></location>"),
        with_dtd(R"(<!ATTLIST location latitude CDATA #FIXED "1.5">)", kLocation),
        with_dtd(R"(<!ATTLIST location xmlns:p CDATA "urn:p">)", kLocation),
    };
  }

  void expect_all_refused() {
    int i = 0;
    for (const std::string& text : refused_documents()) {
      SCOPED_TRACE(i++);
      const std::string path = dir.write("doc.xml", text);
      EXPECT_EQ(stream_outcome(path), Outcome::kDeclaresExpansions);
      EXPECT_EQ(get_station_weather_data(path.c_str(), table.get()), -1);
      EXPECT_EQ(table.size(), 0u);
    }
    EXPECT_FALSE(listener.connected());
  }

  // Documents with a DOCTYPE but nothing it could expand: read as ever, and
  // the external DTD they name is never fetched.
  void expect_doctypes_read_as_before() {
    const std::string bodies[] = {
        "<!DOCTYPE weatherdata>",
        "<!DOCTYPE weatherdata SYSTEM \"" + listener.url("w.dtd") + "\">",
        "<!DOCTYPE weatherdata SYSTEM \"file://" + secret_dtd + "\">",
        "<!DOCTYPE weatherdata PUBLIC \"-//x//y//EN\" \"" + secret_dtd + "\">",
        "<!DOCTYPE weatherdata SYSTEM \"" + listener.url("w.dtd") +
            "\" [<!ELEMENT weatherdata ANY><!ATTLIST location latitude CDATA #IMPLIED>"
            "<!NOTATION gif SYSTEM \"gif\"><!-- a comment --><?pi data?>]>",
    };
    for (const std::string& doctype : bodies) {
      SCOPED_TRACE(doctype);
      const std::string path = dir.write(
          "doc.xml", "<?xml version=\"1.0\"?>\n" + doctype +
                         "\n<weatherdata><location><location longitude=\"18.9\"/>"
                         "<timezone utcoffsetMinutes=\"120\"/></location></weatherdata>\n");
      HostTable fresh;
      EXPECT_EQ(get_station_weather_data(path.c_str(), fresh.get()), 0);
      EXPECT_EQ(field(fresh.record("location"), "station_latitude"), "<null>");
      EXPECT_EQ(field(fresh.record("location"), "station_longitude"), "18.9");
      EXPECT_EQ(field(fresh.record("location"), "station_time_zone"), "2");
    }
    EXPECT_FALSE(listener.connected());
  }

  TempDir dir;
  HostTable table;
  LoopbackListener listener;
  std::string secret_file, secret_dtd, entity_dtd;
};

TEST_F(Declarations, ExpandingDeclarationsRefuseTheFileAndLeaveTheTable) { expect_all_refused(); }

TEST_F(Declarations, DoctypeWithoutExpansionsIsReadAsBeforeAndFetchesNothing) {
  expect_doctypes_read_as_before();
}

TEST_F(Declarations, ProcessWideDefaultsChangeNothingAndAreLeftAsFound) {
  const std::string before = libxml2_defaults();
  {
    const PermissiveDefaults permissive;
    const std::string switched = libxml2_defaults();
    ASSERT_NE(switched, before);
    expect_all_refused();
    expect_doctypes_read_as_before();
    EXPECT_EQ(libxml2_defaults(), switched);
  }
  EXPECT_EQ(libxml2_defaults(), before);
}

TEST_F(Declarations, ReadersRefuseAHostsDocumentThatDeclaresExpansions) {
  const std::string hourly_bodies[] = {
      "<hbhf><lsup>" + repeated_reference(50'000) + "</lsup><hour c=\"7\"/></hbhf>",
      "<hbhf><hour c=\"7\"><t>" + repeated_reference(50'000) + "</t></hour></hbhf>",
  };
  int read_by_host = 0;
  for (const int options : {0, int{XML_PARSE_NOENT}}) {
    SCOPED_TRACE(options);
    int i = 0;
    for (const std::string& text : refused_documents()) {
      SCOPED_TRACE(i++);
      const Doc doc(xmlReadMemory(text.data(), static_cast<int>(text.size()), "host.xml", nullptr,
                                  options | XML_PARSE_NONET | XML_PARSE_NOERROR));
      if (doc == nullptr) continue;  // the host's own parse may refuse it first
      ++read_by_host;
      EXPECT_EQ(parse_xml_data("id", root_of(doc), table.get()), 0);
      EXPECT_EQ(parse_xml_detail_data("id", root_of(doc), table.get()), 0);
      EXPECT_EQ(table.size(), 0u);
    }
    for (const std::string& body : hourly_bodies) {
      const std::string text = with_dtd(kBigEntity, body);
      const Doc doc(xmlReadMemory(text.data(), static_cast<int>(text.size()), "host.xml", nullptr,
                                  options | XML_PARSE_NOERROR));
      if (doc == nullptr) {
        EXPECT_NE(options, 0);  // substituting, libxml2 may refuse it itself
        continue;
      }
      EXPECT_EQ(parse_xml_detail_data("id", root_of(doc), table.get()), 0);
      EXPECT_EQ(table.size(), 0u);
    }
  }
  EXPECT_GE(read_by_host, 18);
  // A DOCTYPE that expands nothing is read as ever.
  const Doc plain = parse(R"(<!DOCTYPE w [<!ELEMENT w ANY>]><w><hbhf><hour c="7"/></hbhf></w>)");
  EXPECT_EQ(parse_xml_detail_data("id", root_of(plain), table.get()), 1);
  EXPECT_FALSE(listener.connected());
}

}  // namespace
}  // namespace brelund::testing
