// SPDX-License-Identifier: MIT
// Hostile forecast files at the plug-in's limits, for measuring what the
// worst of them costs (scripts/worst-case):
//
//   brelund-worst-case write KIND PATH   writes a document of that kind
//   brelund-worst-case read PATH         reads it as the host does, once
//   brelund-worst-case kinds             lists the kinds
//
// Each document is as large as the plug-in reads (64 MiB of XML) and built
// to make one part of the work as costly as it can be: libxml2's checks on
// crowded elements, deep nesting, namespaces, what the reader builds
// (records, values stored twice, diagnostic lines, long texts), values
// that libxml2 must rewrite.
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "host_release.hpp"
#include "tarnvale-brelund-source.h"

namespace {

constexpr std::size_t kTarget = (std::size_t{64} << 20) - 4096;  // just within the limit

const std::string kHead =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<weatherdata><location>"
    "<timezone utcoffsetMinutes=\"60\"/><location latitude=\"69.6\" longitude=\"18.9\"/>"
    "</location><forecast><tabular>\n";
const std::string kTail = "</tabular></forecast></weatherdata>\n";

// Writes head, then `unit` while it fits, then tail.
bool repeat(std::FILE* out, const std::string& head, const std::string& unit,
            const std::string& tail) {
  std::size_t written = head.size() + tail.size();
  std::fputs(head.c_str(), out);
  std::string block;
  while (block.size() < (1u << 20)) block += unit;
  while (written + block.size() <= kTarget) {
    std::fwrite(block.data(), 1, block.size(), out);
    written += block.size();
  }
  while (written + unit.size() <= kTarget) {
    std::fwrite(unit.data(), 1, unit.size(), out);
    written += unit.size();
  }
  std::fputs(tail.c_str(), out);
  return std::ferror(out) == 0;
}

std::string attributes(int count, const char* prefix = "a") {
  std::string out;
  for (int i = 0; i < count; ++i)
    ((out += ' ') += prefix).append(std::to_string(i)).append("=\"\"");
  return out;
}

std::string nested(int depth) {
  std::string open;
  std::string close;
  for (int i = 0; i < depth; ++i) {
    open += "<n>";
    close += "</n>";
  }
  return open + close;
}

// A document: `head`, then `unit` as often as it fits, then `tail`.
struct Document {
  std::string head = kHead;
  std::string unit;
  std::string tail = kTail;
};

Document namespaces() {
  std::string declarations;
  for (int i = 0; i < 255; ++i) {
    const std::string n = std::to_string(i);
    declarations.append(" xmlns:p").append(n).append("=\"urn:").append(n).append("\"");
  }
  return {"<weatherdata" + declarations + "><forecast><tabular>",
          "<p254:time p254:period=\"1\" p0:to=\"x\"/>"};
}

Document dated_days() {
  return {kHead,
          "<time period=\"0\" to=\"2010-03-07T06:00:00\"><temperature value=\"1\"/>"
          "<symbol number=\"1\" name=\"Regn\"/><pressure value=\"1\"/>"
          "<precipitation value=\"1\"/><windSpeed mps=\"1\"/>"
          "<windDirection code=\"N\"/><sunr>1</sunr><suns>1</suns></time>"
          "<time period=\"3\"/>"};
}

Document escaped_values() {
  std::string value;
  while (value.size() < 9'000'000) value += "a&amp;&#38;&lt;";
  return {kHead,
          "<time period=\"0\"><pressure value=\"" + value + "\"/></time><time period=\"3\"/>"};
}

struct Kind {
  const char* name;
  const char* shape;
  std::function<Document()> document;
};

const std::vector<Kind>& kinds() {
  static const std::vector<Kind> all = {
      {"attributes", "elements of 256 attributes each (libxml2 checks them pairwise)",
       [] {
         return Document{kHead, "<x" + attributes(256) + "/>"};
       }},
      {"empty-elements", "<a/> repeated",
       [] {
         return Document{kHead, "<a/>"};
       }},
      {"nesting", "elements nested 250 deep, repeated",
       [] {
         return Document{kHead, nested(250)};
       }},
      {"namespaces", "256 namespaces in scope, prefixed elements and attributes", namespaces},
      {"empty-days", "<time period=\"0\"/><time period=\"3\"/>: a day record from every 36 bytes",
       [] {
         return Document{kHead, "<time period=\"0\"/><time period=\"3\"/>"};
       }},
      {"dated-days", "the smallest dated day with every value", dated_days},
      {"values-twice", "9 MB temperatures, each stored as high and as low",
       [] {
         return Document{kHead, "<time period=\"0\"><temperature value=\"" +
                                    std::string(9'000'000, '7') +
                                    "\"/></time><time period=\"3\"/>"};
       }},
      {"diagnostics", "symbols whose codes are in no table: a line each",
       [] {
         return Document{kHead + "<time period=\"1\">", "<symbol number=\"\" name=\"\"/>",
                         "</time>" + kTail};
       }},
      {"long-text", "a sunrise text of 64 MB in runs of 9 MB",
       [] {
         return Document{kHead + "<time period=\"0\"><sunr>",
                         std::string(9'000'000, '6') + "<!---->", "</sunr></time>" + kTail};
       }},
      {"escaped-values", "9 MB values full of references that libxml2 rewrites", escaped_values},
  };
  return all;
}

int usage(const char* program) {
  std::fprintf(stderr, "usage: %s write KIND PATH | read PATH | kinds\n", program);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "kinds") == 0) {
    for (const Kind& kind : kinds()) std::printf("%s\t%s\n", kind.name, kind.shape);
    return 0;
  }
  if (argc == 3 && std::strcmp(argv[1], "read") == 0) {
    GHashTable* table = g_hash_table_new(g_str_hash, g_str_equal);
    const int result = get_station_weather_data(argv[2], table);
    host::release_station_data(table, free_fields);
    std::printf("%d\n", result);
    return 0;
  }
  if (argc != 4 || std::strcmp(argv[1], "write") != 0) return usage(argv[0]);
  for (const Kind& kind : kinds()) {
    if (std::strcmp(kind.name, argv[2]) != 0) continue;
    std::FILE* out = std::fopen(argv[3], "wb");
    if (out == nullptr) return 1;
    const Document document = kind.document();
    const bool written = repeat(out, document.head, document.unit, document.tail);
    return std::fclose(out) == 0 && written ? 0 : 1;
  }
  return usage(argv[0]);
}
