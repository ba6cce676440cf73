// SPDX-License-Identifier: MIT
// What a host does with station data: a table it creates, reads and releases.
#pragma once

#include <glib.h>

#include <string>
#include <vector>

namespace brelund::testing {

// A station data table owned as the host owns it; the destructor releases
// every record, list and value the plug-in stored (detail and hours too).
class HostTable {
 public:
  HostTable();
  HostTable(const HostTable&) = delete;
  HostTable& operator=(const HostTable&) = delete;
  ~HostTable();

  GHashTable* get() const { return table_; }
  unsigned size() const { return g_hash_table_size(table_); }
  bool contains(const char* key) const;
  GHashTable* record(const char* key) const;
  std::vector<GHashTable*> list(const char* key) const;  // forecast days
  std::vector<GHashTable*> hours() const;                // detail's hours

 private:
  GHashTable* table_;
};

// A record's value as text: "<absent>" when the key is missing, "<null>" when
// it is present with a null value.
std::string field(GHashTable* record, const char* key);

// Everything in the table, in the table's own iteration order (records'
// keys too): keys, values ("<null>" for null), lists in order.
std::string dump_station_data(const HostTable& table);

// A temporary directory, removed with everything in it.
class TempDir {
 public:
  TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir();
  const std::string& path() const { return path_; }
  // Writes `content` to `name` inside the directory; returns the full path.
  std::string write(const std::string& name, const std::string& content) const;

 private:
  std::string path_;
};

bool file_exists(const std::string& path);
std::string read_file(const std::string& path);

}  // namespace brelund::testing
