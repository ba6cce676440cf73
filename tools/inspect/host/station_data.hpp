// SPDX-License-Identifier: MIT
// The host's station data table for one refresh: made empty for the plug-in
// to fill, and released as a host must, on every path out.
#pragma once

#include <glib.h>

#include "host/plugin.hpp"

namespace inspector {

class StationData {
 public:
  explicit StationData(const Plugin& plugin);
  StationData(const StationData&) = delete;
  StationData& operator=(const StationData&) = delete;
  // Releases what the plug-in stored (each text with its free_fields, the
  // hours list before its detail record), then the table.
  ~StationData();

  GHashTable* get() const noexcept { return table_; }
  bool holds(const char* key) const noexcept { return g_hash_table_contains(table_, key); }

 private:
  const Plugin& plugin_;
  GHashTable* table_;
};

}  // namespace inspector
