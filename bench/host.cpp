#include "host.hpp"

#include <glib/gstdio.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "tarnvale-brelund-source.h"

namespace brelund::bench {
namespace {

void release_record(gpointer record) noexcept {
  if (record == nullptr) return;
  g_hash_table_foreach(static_cast<GHashTable*>(record), free_fields, nullptr);
  g_hash_table_unref(static_cast<GHashTable*>(record));
}

void release_list(gpointer list) noexcept {
  for (GSList* cell = static_cast<GSList*>(list); cell != nullptr; cell = cell->next)
    release_record(cell->data);
  g_slist_free(static_cast<GSList*>(list));
}

}  // namespace

DocumentDir::DocumentDir() {
  gchar* dir = g_dir_make_tmp("brelund-bench-XXXXXX", nullptr);
  if (dir == nullptr) {
    std::perror("brelund-bench: temporary directory");
    std::exit(1);
  }
  path_ = dir;
  g_free(dir);
}

DocumentDir::~DocumentDir() {
  if (GDir* dir = g_dir_open(path_.c_str(), 0, nullptr)) {
    while (const gchar* name = g_dir_read_name(dir)) g_remove((path_ + "/" + name).c_str());
    g_dir_close(dir);
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

GHashTable* new_station_table() noexcept { return g_hash_table_new(g_str_hash, g_str_equal); }

void release_station_table(GHashTable* table) noexcept {
  release_record(g_hash_table_lookup(table, BRELUND_KEY_LOCATION));
  release_list(g_hash_table_lookup(table, BRELUND_KEY_FORECAST));
  if (auto* detail = static_cast<GHashTable*>(g_hash_table_lookup(table, BRELUND_KEY_DETAIL))) {
    // The hours list is not text: out of the record before its values are freed.
    release_list(g_hash_table_lookup(detail, BRELUND_KEY_HOURS_DATA));
    g_hash_table_remove(detail, BRELUND_KEY_HOURS_DATA);
    release_record(detail);
  }
  g_hash_table_destroy(table);
}

}  // namespace brelund::bench
