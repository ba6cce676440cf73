// A fixed amount of work for callgrind, whose instruction counts repeat where
// the benchmark's times do not:
//
//   valgrind --tool=callgrind brelund_profile forecast 1000 5
//
// reads the 1,000-day forecast five times through libxml2 alone
// (floor_once) and five times through the plug-in (plugin_once), alternately,
// then walks a tree of it five times with parse_xml_data alone (walk_once);
// "hourly 48 5" does the same for the hourly document (detail_once). scripts/bench
// --callgrind prints the inclusive counts per call.
#include <libxml/parser.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "documents.hpp"
#include "host.hpp"

namespace {

[[gnu::always_inline]] inline void read_floor(const char* path) {
  xmlDoc* tree = xmlReadFile(path, nullptr, 0);
  if (tree == nullptr) std::exit(1);
  xmlFreeDoc(tree);
  xmlCleanupParser();
}

[[gnu::always_inline]] inline void read_plugin(const char* path) {
  if (brelund::bench::refresh(path) < 0) std::exit(1);
}

[[gnu::noinline]] void floor_once(const char* path) { read_floor(path); }
[[gnu::noinline]] void plugin_once(const char* path) { read_plugin(path); }

// Counted apart from floor_once and plugin_once.
[[gnu::noinline]] void warm_up(const char* path) {
  read_floor(path);
  read_plugin(path);
}

[[gnu::noinline]] void walk_once(xmlNode* root) { brelund::bench::read_forecast(root); }
[[gnu::noinline]] void detail_once(xmlNode* root) { brelund::bench::read_detail(root); }

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s forecast|hourly <days|hours> <repeats>\n", argv[0]);
    return 2;
  }
  const std::string kind = argv[1];
  const int size = std::atoi(argv[2]);
  const int repeats = std::atoi(argv[3]);
  const brelund::bench::DocumentDir dir;
  if (kind == "forecast") {
    const std::string path = dir.write("forecast.xml", brelund::bench::forecast_document(size));
    // Alternating, after a first pair that is not counted: each call then
    // starts from the heap the other one left, as in a host's refreshes.
    warm_up(path.c_str());
    for (int i = 0; i < repeats; ++i) {
      floor_once(path.c_str());
      plugin_once(path.c_str());
    }
    xmlDoc* tree = xmlReadFile(path.c_str(), nullptr, 0);
    if (tree == nullptr) return 1;
    for (int i = 0; i < repeats; ++i) walk_once(xmlDocGetRootElement(tree));
    xmlFreeDoc(tree);
    xmlCleanupParser();
  } else if (kind == "hourly") {
    const std::string path = dir.write("hourly.xml", brelund::bench::hourly_document(size));
    for (int i = 0; i < repeats; ++i) floor_once(path.c_str());
    xmlDoc* tree = xmlReadFile(path.c_str(), nullptr, 0);
    if (tree == nullptr) return 1;
    for (int i = 0; i < repeats; ++i) detail_once(xmlDocGetRootElement(tree));
    xmlFreeDoc(tree);
    xmlCleanupParser();
  } else {
    std::fprintf(stderr, "%s: unknown document kind %s\n", argv[0], argv[1]);
    return 2;
  }
  return 0;
}
