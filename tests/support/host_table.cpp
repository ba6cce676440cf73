// SPDX-License-Identifier: MIT
#include "host_table.hpp"

#include <glib/gstdio.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "holders.hpp"
#include "host_release.hpp"

namespace brelund::testing {

namespace {
std::vector<GHashTable*> to_vector(GSList* list) {
  std::vector<GHashTable*> out;
  for (GSList* cell = list; cell != nullptr; cell = cell->next)
    out.push_back(static_cast<GHashTable*>(cell->data));
  return out;
}
}  // namespace

HostTable::HostTable() : table_(g_hash_table_new(g_str_hash, g_str_equal)) {}

HostTable::~HostTable() {
  host::release_station_data(table_, [](gpointer, gpointer value, gpointer) { g_free(value); });
}

bool HostTable::contains(const char* key) const {
  return g_hash_table_lookup_extended(table_, key, nullptr, nullptr);
}

GHashTable* HostTable::record(const char* key) const {
  return static_cast<GHashTable*>(g_hash_table_lookup(table_, key));
}

std::vector<GHashTable*> HostTable::list(const char* key) const {
  return to_vector(static_cast<GSList*>(g_hash_table_lookup(table_, key)));
}

std::vector<GHashTable*> HostTable::hours() const {
  GHashTable* detail = record("detail");
  if (detail == nullptr) return {};
  return to_vector(static_cast<GSList*>(g_hash_table_lookup(detail, "hours_data")));
}

std::string field(GHashTable* record, const char* key) {
  if (record == nullptr) return "<no record>";
  gpointer value = nullptr;
  if (!g_hash_table_lookup_extended(record, key, nullptr, &value)) return "<absent>";
  return value == nullptr ? "<null>" : static_cast<const char*>(value);
}

TempDir::TempDir() {
  GError* error = nullptr;
  const GPtr<gchar> dir(g_dir_make_tmp("brelund-test-XXXXXX", &error));
  const GPtr<GError> failure(error);
  if (!dir) throw std::runtime_error(failure->message);
  path_ = dir.get();
}

TempDir::~TempDir() {
  std::error_code ignored;
  // Directories made read-only by a test must be writable again to be removed.
  for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored))
    if (entry.is_directory(ignored) && !entry.is_symlink(ignored))
      std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::add, ignored);
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::write(const std::string& name, const std::string& content) const {
  const std::string full = path_ + "/" + name;
  std::ofstream(full, std::ios::binary) << content;
  return full;
}

bool file_exists(const std::string& path) { return std::filesystem::exists(path); }

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

namespace {

void dump_record(std::ostringstream& out, const char* indent, GHashTable* record) {
  if (record == nullptr) {
    out << indent << "<null>\n";
    return;
  }
  struct Context {
    std::ostringstream* out;
    const char* indent;
  } context{&out, indent};
  g_hash_table_foreach(
      record,
      [](gpointer key, gpointer value, gpointer data) {
        const auto* c = static_cast<Context*>(data);
        const std::string name = static_cast<const char*>(key);
        *c->out << c->indent << name << " = ";
        if (name == "hours_data")
          *c->out << "<list>";
        else
          *c->out << (value == nullptr ? "<null>" : static_cast<const char*>(value));
        *c->out << "\n";
      },
      &context);
}

void dump_list(std::ostringstream& out, const char* name, GSList* list) {
  int i = 0;
  for (GSList* cell = list; cell != nullptr; cell = cell->next, ++i) {
    out << "  " << name << "[" << i << "]\n";
    dump_record(out, "    ", static_cast<GHashTable*>(cell->data));
  }
}

}  // namespace

std::string dump_station_data(const HostTable& table) {
  std::ostringstream out;
  struct Entry {
    std::string key;
    gpointer value;
  };
  std::vector<Entry> entries;
  g_hash_table_foreach(
      table.get(),
      [](gpointer key, gpointer value, gpointer data) {
        static_cast<std::vector<Entry>*>(data)->push_back({static_cast<const char*>(key), value});
      },
      &entries);
  for (const Entry& entry : entries) {
    out << entry.key << "\n";
    if (entry.key == "forecast") {
      dump_list(out, "day", static_cast<GSList*>(entry.value));
    } else {
      auto* record = static_cast<GHashTable*>(entry.value);
      dump_record(out, "  ", record);
      if (entry.key == "detail" && record != nullptr)
        dump_list(out, "hour", static_cast<GSList*>(g_hash_table_lookup(record, "hours_data")));
    }
  }
  return out.str();
}

}  // namespace brelund::testing
