// SPDX-License-Identifier: MIT
// Fixed amounts of work, for callgrind and for peak memory, whose figures
// repeat where the benchmark's times do not.
//
//   valgrind --tool=callgrind brelund_profile forecast 1000 5
//
// reads the 1,000-day forecast five times through libxml2 alone
// (floor_once) and five times through the plug-in (plugin_once), alternately,
// then walks a tree of it five times with parse_xml_data alone (walk_once);
// "hourly 48 5" does the same for the hourly document (detail_once). scripts/bench
// --callgrind prints the inclusive counts per call.
//
//   brelund_profile write 10000 FILE   writes the 10,000-day forecast to FILE
//   brelund_profile read FILE          one refresh of FILE, as a host makes it
//   brelund_profile floor FILE         libxml2's tree of FILE, built and freed
//
// The last two do nothing else, so a fresh process's peak resident size
// (scripts/bench --memory, through /usr/bin/time) is that call's own, over
// the process's fixed share.
#include <libxml/parser.h>
#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "documents.hpp"
#include "holders.hpp"
#include "host.hpp"

namespace {

[[gnu::always_inline]] inline bool read_floor(const char* path) {
  {
    const brelund::XmlPtr<xmlDoc> tree(xmlReadFile(path, nullptr, 0));
    if (!tree) return false;
  }
  xmlCleanupParser();
  return true;
}

[[gnu::always_inline]] inline bool read_plugin(const char* path) {
  return brelund::bench::refresh(path) >= 0;
}

[[gnu::noinline]] void floor_once(const char* path) {
  if (!read_floor(path)) std::exit(1);
}
[[gnu::noinline]] void plugin_once(const char* path) {
  if (!read_plugin(path)) std::exit(1);
}

// Counted apart from floor_once and plugin_once: libxml2's one-time set-up
// stays out of their counts.
[[gnu::noinline]] void warm_up(const char* path) {
  if (!read_floor(path) || !read_plugin(path)) std::exit(1);
}

[[gnu::noinline]] void walk_once(xmlNode* root) { brelund::bench::read_forecast(root); }
[[gnu::noinline]] void detail_once(xmlNode* root) { brelund::bench::read_detail(root); }

// As in the benchmark: glibc would otherwise consolidate one call's freed
// memory during the next call and count it there. Outside the counted
// functions.
void settle() noexcept { malloc_trim(0); }

int usage(const char* program) {
  std::fprintf(stderr,
               "usage: %s forecast|hourly <days|hours> <repeats>\n"
               "       %s write <days> <file>\n"
               "       %s read|floor <file>\n",
               program, program, program);
  return 2;
}

int write_forecast(int days, const char* path) {
  std::ofstream out(path, std::ios::binary);
  out << brelund::bench::forecast_document(days);
  if (!out.flush()) {
    std::fprintf(stderr, "brelund_profile: cannot write %s\n", path);
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return usage(argv[0]);
  const std::string kind = argv[1];
  if (kind == "read" && argc == 3) return read_plugin(argv[2]) ? 0 : 1;
  if (kind == "floor" && argc == 3) return read_floor(argv[2]) ? 0 : 1;
  if (argc != 4) return usage(argv[0]);
  const int size = std::atoi(argv[2]);
  if (kind == "write") return write_forecast(size, argv[3]);
  const int repeats = std::atoi(argv[3]);
  const brelund::bench::DocumentDir dir;
  if (kind == "forecast") {
    const std::string path = dir.write("forecast.xml", brelund::bench::forecast_document(size));
    // Alternating, after a first pair that is not counted, each call from a
    // settled heap.
    warm_up(path.c_str());
    settle();
    for (int i = 0; i < repeats; ++i) {
      floor_once(path.c_str());
      settle();
      plugin_once(path.c_str());
      settle();
    }
    brelund::XmlPtr<xmlDoc> tree(xmlReadFile(path.c_str(), nullptr, 0));
    if (!tree) return 1;
    settle();
    for (int i = 0; i < repeats; ++i) {
      walk_once(xmlDocGetRootElement(tree.get()));
      settle();
    }
    tree.reset();
    xmlCleanupParser();
  } else if (kind == "hourly") {
    const std::string path = dir.write("hourly.xml", brelund::bench::hourly_document(size));
    for (int i = 0; i < repeats; ++i) {
      floor_once(path.c_str());
      settle();
    }
    brelund::XmlPtr<xmlDoc> tree(xmlReadFile(path.c_str(), nullptr, 0));
    if (!tree) return 1;
    settle();
    for (int i = 0; i < repeats; ++i) {
      detail_once(xmlDocGetRootElement(tree.get()));
      settle();
    }
    tree.reset();
    xmlCleanupParser();
  } else {
    return usage(argv[0]);
  }
  return 0;
}
