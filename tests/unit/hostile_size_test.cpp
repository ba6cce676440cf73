// SPDX-License-Identifier: MIT
// Documents built to exhaust memory or time: refused at the documented
// limits, before libxml2 builds a tree that size; documents within them are
// read whole.
#include <gtest/gtest.h>
#include <libxml/parser.h>

#include <optional>
#include <string>

#include "documents.hpp"
#include "host_table.hpp"
#include "hostile.hpp"
#include "tarnvale-brelund-source.h"
#include "two_ways.hpp"

namespace brelund::testing {
namespace {

using sources::Outcome;

const std::string kHead = "<?xml version=\"1.0\"?>\n<weatherdata>";
const std::string kLocation =
    R"(<location><location latitude="69.6" longitude="18.9"/></location>)";
const std::string kTail = "</weatherdata>\n";

std::string repeat(const std::string& text, std::size_t count) {
  std::string out;
  out.reserve(text.size() * count);
  for (std::size_t i = 0; i < count; ++i) out += text;
  return out;
}

class Sizes : public ::testing::Test {
 protected:
  // Writes the document, reads it both ways, and checks they agree.
  Outcome read(const std::string& text) {
    const std::string path = dir.write("doc.xml", text);
    return read_path(path);
  }
  Outcome read_path(const std::string& path) {
    const Outcome outcome = stream_outcome(path);
    table.emplace();
    const int result = get_station_weather_data(path.c_str(), table->get());
    EXPECT_EQ(result == -1, outcome != Outcome::kRead);
    if (result == -1) {
      EXPECT_EQ(table->size(), 0u);
    }
    return outcome;
  }
  std::string latitude() { return field(table->record("location"), "station_latitude"); }

  TempDir dir;
  std::optional<HostTable> table;
};

TEST_F(Sizes, SixtyFourMebibytesOfXmlAreReadAndOneByteMoreIsRefused) {
  // Padding in 1 MiB elements: one text node may not exceed 10 MB.
  const std::string block = "<p>" + std::string((1 << 20) - 7, ' ') + "</p>";
  const std::size_t fixed = kHead.size() + kLocation.size() + kTail.size();
  const std::size_t blocks = (sources::kMaxBytes - fixed) / block.size();
  const std::string rest(sources::kMaxBytes - fixed - blocks * block.size(), ' ');
  std::string text = kHead + kLocation + repeat(block, blocks) + rest + kTail;
  ASSERT_EQ(text.size(), sources::kMaxBytes);
  EXPECT_EQ(read(text), Outcome::kRead);
  EXPECT_EQ(latitude(), "69.6");

  text.insert(text.size() - kTail.size(), " ");
  HostTable fresh;
  const std::string path = dir.write("doc.xml", text);
  EXPECT_EQ(stream_outcome(path), Outcome::kOverLimit);
  EXPECT_EQ(get_station_weather_data(path.c_str(), fresh.get()), -1);
  EXPECT_EQ(fresh.size(), 0u);
}

TEST_F(Sizes, CompressedFilesAreCountedAfterDecompression) {
  const std::string small = dir.path() + "/small.xml";
  write_gzip(small, kHead, kLocation, 1, kTail);
  EXPECT_EQ(read_path(small), Outcome::kRead);
  EXPECT_EQ(latitude(), "69.6");

  // A gzip bomb: about 100 KB that inflate to 100 MiB.
  const std::string bomb = dir.path() + "/bomb.xml";
  write_gzip(bomb, kHead + kLocation, "<p>" + std::string(1017, ' ') + "</p>", 100 * 1024, kTail);
  HostTable fresh;
  EXPECT_EQ(stream_outcome(bomb), Outcome::kOverLimit);
  EXPECT_EQ(get_station_weather_data(bomb.c_str(), fresh.get()), -1);
  EXPECT_EQ(fresh.size(), 0u);
}

TEST_F(Sizes, XzFilesAreStillRead) {
  // The same small forecast, compressed with xz -6.
  static constexpr unsigned char kXz[] = {
      0xfd, 0x37, 0x7a, 0x58, 0x5a, 0x00, 0x00, 0x04, 0xe6, 0xd6, 0xb4, 0x46, 0x02, 0x00, 0x21,
      0x01, 0x16, 0x00, 0x00, 0x00, 0x74, 0x2f, 0xe5, 0xa3, 0xe0, 0x00, 0x94, 0x00, 0x70, 0x5d,
      0x00, 0x1e, 0x0f, 0xcb, 0x87, 0x11, 0xd8, 0xce, 0x66, 0x91, 0x0f, 0x83, 0x1e, 0xca, 0xfd,
      0x7b, 0x33, 0xd4, 0x7f, 0xe9, 0xb7, 0xdb, 0xe3, 0xa9, 0x71, 0x35, 0x1f, 0x99, 0xfc, 0xbc,
      0xfe, 0xa1, 0xb1, 0xa4, 0x05, 0x80, 0x27, 0xbd, 0xe1, 0x75, 0x21, 0x74, 0x7b, 0x33, 0xd7,
      0x7a, 0x7b, 0xe8, 0xb6, 0xc2, 0x75, 0xb9, 0x2b, 0xc7, 0xe1, 0x30, 0xcf, 0x1d, 0x8c, 0xed,
      0xaa, 0x27, 0xca, 0xbd, 0x6b, 0x0c, 0x93, 0xa8, 0xde, 0xf6, 0xcb, 0xd8, 0xf3, 0x7e, 0x7d,
      0x5a, 0xcb, 0xf9, 0x1c, 0x5d, 0x7e, 0x84, 0xad, 0xc5, 0x20, 0x0a, 0x57, 0x67, 0xa4, 0xab,
      0x65, 0x8b, 0xc5, 0xfd, 0xf3, 0x83, 0x3a, 0xef, 0x7b, 0x56, 0x5e, 0x41, 0x9e, 0x53, 0x8d,
      0x6b, 0x91, 0x79, 0x12, 0x06, 0x05, 0xd9, 0x00, 0x00, 0xbc, 0xc1, 0x7f, 0xc9, 0xac, 0x26,
      0x9a, 0x76, 0x00, 0x01, 0x8c, 0x01, 0x95, 0x01, 0x00, 0x00, 0x6f, 0x52, 0x1b, 0x1c, 0xb1,
      0xc4, 0x67, 0xfb, 0x02, 0x00, 0x00, 0x00, 0x00, 0x04, 0x59, 0x5a};
  const std::string path =
      dir.write("xz.xml", std::string(reinterpret_cast<const char*>(kXz), sizeof kXz));
  EXPECT_EQ(read_path(path), Outcome::kRead);
  EXPECT_EQ(latitude(), "69.6");
  EXPECT_EQ(field(table->record("location"), "station_time_zone"), "2");
}

TEST_F(Sizes, WhatTheReaderBuildsIsBoundedNotWhatTheFileHolds) {
  // 20 MB of empty elements once built a 3 GB tree; with none built they
  // cost nothing but their parse.
  EXPECT_EQ(read(kHead + kLocation + repeat("<a/>", 5'000'000) + kTail), Outcome::kRead);
  EXPECT_EQ(latitude(), "69.6");
  // A namespace defaulted once in the DTD is copied into every element; the
  // declaration alone refuses the document.
  EXPECT_EQ(read("<!DOCTYPE w [<!ATTLIST a xmlns:p CDATA \"" + std::string(30'000, 'u') +
                 "\">]><w>" + repeat("<a/>", 10'000) + "</w>"),
            Outcome::kDeclaresExpansions);
  // 2 MB of comments, texts and processing instructions are fine.
  EXPECT_EQ(read(kHead + kLocation + repeat("<!-- c --><?pi x?>text<![CDATA[x]]>", 60'000) + kTail),
            Outcome::kRead);
  // A day record from every 36 bytes: 600,000 empty days would take far
  // more than the records' limit.
  const std::string forecast = "<forecast><tabular>" +
                               repeat(R"(<time period="0"/><time period="3"/>)", 600'000) +
                               "</tabular></forecast>";
  EXPECT_EQ(read(kHead + kLocation + forecast + kTail), Outcome::kOverLimit);
  // One value stored twice (high and low), a day from every 9 MB.
  const std::string huge = std::string(9'000'000, '7');
  const std::string day = R"(<time period="0" to="2010-03-07T06:00:00"><temperature value=")" +
                          huge + R"("/></time><time period="3"/>)";
  EXPECT_EQ(read(kHead + "<forecast><tabular>" + repeat(day, 6) + "</tabular></forecast>" + kTail),
            Outcome::kOverLimit);
  // A run of text that libxml2's tree builder would cut short.
  EXPECT_EQ(read(kHead + kLocation + std::string(sources::kMaxTextRun + 1, ' ') + kTail),
            Outcome::kOverLimit);
  EXPECT_EQ(read(kHead + kLocation + std::string(sources::kMaxTextRun / 2, ' ') + "<!---->" +
                 std::string(sources::kMaxTextRun / 2 + 1, ' ') + kTail),
            Outcome::kRead);
}

std::string attributes(int count, const std::string& prefix = "a") {
  std::string out;
  for (int i = 0; i < count; ++i) out += " " + prefix + std::to_string(i) + "=\"\"";
  return out;
}

std::string namespaces(int count, const std::string& prefix = "n") {
  std::string out;
  for (int i = 0; i < count; ++i)
    out += " xmlns:" + prefix + std::to_string(i) + "=\"urn:" + std::to_string(i) + "\"";
  return out;
}

TEST_F(Sizes, ElementsCrowdedWithAttributesOrNamespacesAreRefusedInTime) {
  // libxml2 takes minutes over 200,000 attributes on one element.
  EXPECT_EQ(read(kHead + "<location><location latitude=\"1\"" + attributes(200'000) +
                 "/></location>" + kTail),
            Outcome::kOverLimit);
  EXPECT_EQ(read(kHead + "<x" + namespaces(100'000) + "/>" + kTail), Outcome::kOverLimit);
  EXPECT_EQ(read(kHead + "<x" + attributes(sources::kMaxAttributes + 1) + "/>" + kTail),
            Outcome::kOverLimit);
  // Namespaces stay in scope for the element's descendants.
  EXPECT_EQ(read(kHead + "<x" + namespaces(200) + "><y" + namespaces(57, "m") + "/></x>" + kTail),
            Outcome::kOverLimit);

  // At the limits the document is read.
  EXPECT_EQ(
      read(kHead + "<location" + namespaces(200) + "><location" + namespaces(56, "m") +
           " latitude=\"1\"" + attributes(sources::kMaxAttributes - 1) + "/></location>" + kTail),
      Outcome::kRead);
  EXPECT_EQ(latitude(), "1");
}

TEST_F(Sizes, LongDoctypesAreRefusedBeforeTheirDeclarationsAreBuilt) {
  const auto with_subset = [](const std::string& subset) {
    return "<?xml version=\"1.0\"?>\n<!DOCTYPE weatherdata [" + subset + "]>\n<weatherdata>" +
           kLocation + kTail;
  };
  // One content model of 1 MB (libxml2 spends 64 bytes on each name of it)
  // and 100,000 attribute declarations (handled in quadratic time).
  EXPECT_EQ(read(with_subset("<!ELEMENT a (" + repeat("b,", 500'000) + "b)>")),
            Outcome::kOverLimit);
  std::string attlists;
  for (int i = 0; i < 100'000; ++i)
    attlists += "<!ATTLIST a a" + std::to_string(i) + " CDATA #IMPLIED>";
  EXPECT_EQ(read(with_subset(attlists)), Outcome::kOverLimit);

  // Just under the limit it is read as before.
  std::string elements;
  for (int i = 0; elements.size() < sources::kMaxSubsetBytes - 4096; ++i)
    elements += "<!ELEMENT e" + std::to_string(i) + " ANY>";
  EXPECT_EQ(read(with_subset(elements)), Outcome::kRead);
  EXPECT_EQ(latitude(), "69.6");
}

TEST_F(Sizes, TheInternalSubsetIsCountedExactlyWhereverReadsFall) {
  // Counted from its "[" to the DOCTYPE's ">": 64 KiB is read and one byte
  // more is not, whatever stands before it and whether the file is
  // compressed, which moves where libxml2's reads end.
  const std::string declaration = "<!ELEMENT e ANY>";
  const auto document = [&](std::size_t before, std::size_t counted) {
    const std::size_t filler = counted - declaration.size() - std::string("[<!---->]>").size();
    return "<?xml version=\"1.0\"?>\n<!--" + std::string(before, 'p') +
           "-->\n<!DOCTYPE weatherdata [" + declaration + "<!--" + std::string(filler, 'c') +
           "-->]>\n<weatherdata>" + kLocation + kTail;
  };
  for (const std::size_t before : {0u, 1u, 2'999u, 3'993u, 4'096u, 65'536u}) {
    for (const bool compressed : {false, true}) {
      for (const std::size_t counted : {sources::kMaxSubsetBytes, sources::kMaxSubsetBytes + 1}) {
        SCOPED_TRACE(::testing::Message() << before << " bytes before, " << counted
                                          << (compressed ? " compressed" : " plain"));
        const std::string text = document(before, counted);
        const std::string path = dir.path() + "/doc.xml";
        if (compressed)
          write_gzip(path, text, "", 0, "");
        else
          dir.write("doc.xml", text);
        EXPECT_EQ(read_path(path),
                  counted <= sources::kMaxSubsetBytes ? Outcome::kRead : Outcome::kOverLimit);
      }
    }
  }
}

}  // namespace
}  // namespace brelund::testing
