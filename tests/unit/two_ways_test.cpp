// SPDX-License-Identifier: MIT
// The forecast file read in one streaming pass gives the host exactly what
// the default tree parse handed to parse_xml_data gives: result, station
// data, standard error and LC_TIME, for every document the repository holds
// and for the shapes where a stream meets things before a tree would.
#include "two_ways.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "holders.hpp"
#include "host_table.hpp"
#include "locale_environment.hpp"
#include "sources/file_stream.hpp"
#include "sources/host_tree.hpp"

namespace brelund::testing {
namespace {

namespace fs = std::filesystem;

fs::path repository() { return fs::path(__FILE__).parent_path().parent_path().parent_path(); }

const std::string kHead = R"(<?xml version="1.0" encoding="utf-8"?>
<weatherdata><location><timezone utcoffsetMinutes="570"/>
<location latitude="-12.46" longitude="130.84"/></location><forecast><tabular>
)";
const std::string kDay1 = R"(<time from="2021-03-06T18:00:00" to="2021-03-07T00:30:00" period="0">
<symbol number="9" numberEx="46" name="Regnbyger" var="09n"/><temperature unit="celcius" value="26"/>
<windSpeed mps="3.4" name="Light breeze"/><windDirection deg="120" code="ESE" name="East-southeast"/>
<precipitation value="0.4" minvalue="0,1" maxvalue="1,5"/><pressure unit="hPa" value="1007.8"/>
</time><time to="2021-03-07T06:30:00" period="1"><symbol number="3" name="Delvis skya"/>
<temperature value="31"/></time><time to="2021-03-07T12:30:00" period="2">
<symbol number="2" name="Lettskyet"/><sunr>06:32</sunr></time>
<time to="2021-03-07T18:30:00" period="3"><symbol number="1" name="T&#229;ke"/>
<suns>18:51</suns></time>
)";
const std::string kTail = "</tabular></forecast></weatherdata>";

class TwoWays : public ::testing::Test {
 protected:
  // Writes `text` and expects both ways to agree; returns the file way.
  Seen agree(const std::string& text, const std::string& name = "station.xml") {
    const std::string path = dir.write(name, text);
    EXPECT_EQ(difference(path), "") << text;
    return through_file(path);
  }

  TempDir dir;
  LocaleEnvironment saved_;
};

TEST_F(TwoWays, EveryDocumentInTheRepositoryReadsTheSameBothWays) {
  std::vector<fs::path> documents;
  for (const char* folder : {"examples", "tests/golden", "fuzz/corpus", "fuzz/regressions"})
    for (const auto& entry : fs::recursive_directory_iterator(repository() / folder))
      if (entry.is_regular_file() && entry.path().extension() != ".md" &&
          entry.path().extension() != ".expected")
        documents.push_back(entry.path());
  ASSERT_GT(documents.size(), 30u);
  std::vector<const char*> environments = {"C"};
  if (locale_installed("de_DE.UTF-8")) environments.push_back("de_DE.UTF-8");
  int days = 0;
  for (const char* environment : environments) {
    setenv("LC_ALL", environment, 1);
    for (const fs::path& document : documents) {
      // A copy: the file way renames a waiting "<name>.new" over its file.
      const std::string path = dir.write("doc.xml", read_file(document));
      EXPECT_EQ(difference(path), "") << document << " under " << environment;
      days += std::max(0, through_file(path).result);
    }
  }
  EXPECT_GT(days, 30);  // the documents were read, not all refused
}

TEST_F(TwoWays, DocumentsBrokenNearTheirEndLeaveNoTrace) {
  const std::string whole = kHead + kDay1 + kDay1 + kTail;
  EXPECT_EQ(agree(whole).result, 2);
  for (const std::string& broken : {
           whole.substr(0, whole.size() - 1),                   // truncated
           whole + "<weatherdata/>",                            // a second root
           kHead + kDay1 + kDay1 + "<x a='\xff'/>" + kTail,     // invalid UTF-8 in the last day
           kHead + kDay1 + kDay1 + "<x>\x01</x>" + kTail,       // a character XML forbids
           kHead + kDay1 + kDay1 + "</tabular>" + kTail,        // mismatched end tag
           kHead + kDay1 + kDay1 + "<x a='1' a='2'/>" + kTail,  // a repeated attribute
           kHead + kDay1 + kDay1 + "&undeclared;" + kTail,
       }) {
    const Seen seen = agree(broken);
    EXPECT_EQ(seen.result, -1);
    EXPECT_EQ(seen.said, "");  // "Not found Tåke" was met, and held back
    EXPECT_EQ(seen.lc_time, "C");
    EXPECT_EQ(seen.station_data, "");
  }
  // An error document is one only when it is well-formed.
  EXPECT_EQ(agree("<servererror><code>503</code></servererror>").result, -2);
  EXPECT_EQ(agree("<error><code>503</code></eror>").result, -1);
  EXPECT_EQ(agree("<x:error xmlns:x='urn:x'/>").result, -2);
  EXPECT_EQ(agree("<err:weatherdata xmlns:err='urn:x'/>").result, 0);
  EXPECT_EQ(agree("<err:weatherdata/>").result, -2);  // unbound prefix: named "err:weatherdata"
  // A name without "." is refused after the read, quietly.
  EXPECT_EQ(agree(whole, "station").said, "");
}

TEST_F(TwoWays, ValuesReadAsTheTreeReadsThem) {
  // Character references, predefined entities, tabs and newlines in
  // attribute values; CDATA, comments, references and markup inside texts.
  const std::string day = R"(<time to="2021-03-07T00:30:00&#9;" period="0">
<symbol number="&#49;" name="Regn &amp; sludd"/><symbol number=" 9" name="Sk&#121;et"/>
<temperature value="&#x2D;3"/><temperature value="
 -5"/><windSpeed mps="	10.8"/><windDirection code="N&#10;W&#13;"/>
<precipitation value="&lt;0.1&gt;"/><pressure value="1007&apos;8&quot;"/>
<sunr><![CDATA[06:]]><!-- c -->3<?pi x?>2&#10;<b>&amp;</b></sunr><suns/>
</time><time period="3" to="2021-03-07T18:30:00"><symbol number="16" name="Cloudy"/>
<temperature value="2147483647"/></time>)";
  const Seen seen = agree(kHead + day + kTail);
  EXPECT_EQ(seen.result, 1);
  EXPECT_NE(seen.station_data.find("day_sunrise = 06:32\n&"), std::string::npos)
      << seen.station_data;
  EXPECT_NE(seen.said.find("Not found Regn & sludd\n"), std::string::npos) << seen.said;
  // The same text of every kind under the other way in: a reference that
  // libxml2 passes on re-escaped is resolved exactly once.
  agree(kHead + R"(<time period="0" to="&amp;#38;"><symbol number="1" name="&amp;amp;&#38;#38;"/>
<pressure value="&#38;&#38;#38;"/></time><time period="3"/>)" +
        kTail);
}

TEST_F(TwoWays, UndeclaredEntitiesBesideAnExternalDtdReadAsNothing) {
  // With an external DTD named (never fetched) an undeclared entity is no
  // error: the tree keeps an empty reference, the text around it reads on.
  const std::string head = R"(<!DOCTYPE weatherdata SYSTEM "weatherdata.dtd">)";
  const Seen seen = agree(head + kHead.substr(kHead.find("<weatherdata>")) +
                          R"(<time period="0" to="2021-03-07T00:00:00"><sunr>06&later;:32</sunr>
<symbol number="1" name="Sk&x;yet"/></time><time period="3"/>)" +
                          kTail);
  EXPECT_EQ(seen.result, 1);
  EXPECT_NE(seen.station_data.find("day_sunrise = 06:32\n"), std::string::npos)
      << seen.station_data;
}

TEST_F(TwoWays, NamesMatchAsInTheTreeWhateverTheirNamespace) {
  const std::string forecast = R"(<w:weatherdata xmlns:w="urn:w" xmlns="urn:default">
<location><p:location xmlns:p="urn:p" p:latitude="1" latitude="2" longitude="3"/>
<timezone q:utcoffsetMinutes="60" utcoffsetMinutes="120" xmlns:q="urn:q"/></location>
<forecast><tabular><w:time w:period="0" period="3"><u:symbol number="1" name="Skyet"/></w:time>
<time period="0" to="2021-03-07T00:00:00"><n:symbol number="2" name="Regn" xmlns:n="urn:n"/>
<v:temperature value="4"/></time><time period="3"/></tabular></forecast></w:weatherdata>)";
  const Seen seen = agree(forecast);
  EXPECT_EQ(seen.result, 1);
  // "u:" and "v:" are bound to nothing: their elements are named
  // "u:symbol" and "v:temperature" and go unread.
  EXPECT_EQ(seen.station_data.find("day_hi_temperature"), std::string::npos) << seen.station_data;
}

TEST_F(TwoWays, StructureAsTheTreeWalkSeesIt) {
  // Elements at the wrong depth, repeated sections, a `time` nested in a
  // value, periods outside any record, a DOCTYPE without expansions.
  agree(R"(<!DOCTYPE weatherdata [<!ELEMENT weatherdata ANY><!ATTLIST time period CDATA #IMPLIED>]>
<weatherdata><forecast><time period="0" to="2021-01-01T00:00:00"/><tabular>
<time period="1" to="2021-01-01T06:00:00"><symbol number="2" name="x"/>
<extra><time period="3"/><symbol number="3" name="y"/></extra></time>
<time period="3"><location latitude="9"/></time><time period="1"><symbol number="4" name="z"/></time>
</tabular><location><location latitude="5"/></location></forecast>
<location><location latitude="6"/></location><location><timezone utcoffsetMinutes="-330"/></location>
<forecast><tabular><time period="0"/><time period="3" to="2021-01-02T18:00:00"/></tabular></forecast>
<forecast/><observations><temperature value="99"/></observations></weatherdata>)");
}

// Every element with the line it stands on, as a source shows it.
class Lines final : public sources::ElementHandler {
 public:
  sources::Want start(const sources::Element& element) override {
    seen += element.qualified_name() + "@" + std::to_string(element.line()) + " ";
    return sources::Want::kChildren;
  }
  void text(std::string_view /*text*/) override {}
  void end() override {}
  bool full() const noexcept override { return false; }
  std::string seen;
};

// The line a reporter names for an element is the tree's, whichever way
// the document came in: CRLF and LF, start tags over several lines,
// comments, CDATA and text between.
TEST_F(TwoWays, ElementsStandOnTheLinesTheTreeRecords) {
  std::vector<std::string> paths = {
      dir.write("lines.xml",
                "<?xml version=\"1.0\"?>\r\n<w>\r\n<!-- a\r\nb -->\n<a\n x=\"1\"\n/>"
                "<![CDATA[\n\n]]><b>\ntext\n<c/></b>\n\n\n<d/></w>")};
  for (const char* example : {"skarvik.xml", "tindholm-hour-by-hour.xml", "ravnoy.xml"})
    paths.push_back((repository() / "examples" / example).string());
  for (const std::string& path : paths) {
    Lines streamed, walked;
    ASSERT_EQ(sources::read_file(path.c_str(), streamed).outcome, sources::Outcome::kRead) << path;
    const XmlPtr<xmlDoc> doc(xmlReadFile(path.c_str(), nullptr, XML_PARSE_NOERROR));
    ASSERT_TRUE(doc) << path;
    sources::walk(xmlDocGetRootElement(doc.get()), walked);
    EXPECT_EQ(streamed.seen, walked.seen) << path;
    EXPECT_EQ(streamed.seen.find("@0 "), std::string::npos) << streamed.seen;
  }
}

}  // namespace
}  // namespace brelund::testing
