// SPDX-License-Identifier: MIT
#include "host.hpp"

#include <glib/gstdio.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "holders.hpp"
#include "host_release.hpp"
#include "tarnvale-brelund-source.h"

namespace brelund::bench {
DocumentDir::DocumentDir() {
  const GPtr<gchar> dir(g_dir_make_tmp("brelund-bench-XXXXXX", nullptr));
  if (!dir) {
    std::perror("brelund-bench: temporary directory");
    std::exit(1);
  }
  path_ = dir.get();
}

DocumentDir::~DocumentDir() {
  if (const GPtr<GDir> dir{g_dir_open(path_.c_str(), 0, nullptr)}) {
    while (const gchar* name = g_dir_read_name(dir.get())) g_remove((path_ + "/" + name).c_str());
  }
  g_rmdir(path_.c_str());
}

std::string DocumentDir::write(const std::string& name, const std::string& content) const {
  const std::string path = path_ + "/" + name;
  std::ofstream out(path, std::ios::binary);
  out << content;
  if (!out.flush()) {
    std::fprintf(stderr, "brelund-bench: cannot write %s\n", path.c_str());
    std::exit(1);
  }
  return path;
}

namespace {

// Calls `read` on a fresh table, then releases what it stored.
template <typename Read>
int on_fresh_table(Read read) noexcept {
  GHashTable* table = g_hash_table_new(g_str_hash, g_str_equal);
  const int result = read(table);
  host::release_station_data(table, free_fields);
  return result;
}

}  // namespace

int refresh(const char* path) noexcept {
  return on_fresh_table([&](GHashTable* table) { return get_station_weather_data(path, table); });
}

int read_forecast(xmlNode* root) noexcept {
  return on_fresh_table([&](GHashTable* table) { return parse_xml_data("bench", root, table); });
}

int read_detail(xmlNode* root) noexcept {
  return on_fresh_table(
      [&](GHashTable* table) { return parse_xml_detail_data("bench", root, table); });
}

}  // namespace brelund::bench
