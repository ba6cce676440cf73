// SPDX-License-Identifier: MIT
// The plug-in as a host holds it: a dlopen handle and the nine functions,
// resolved by name. Nothing of the plug-in is linked in.
#pragma once

#include <glib.h>
#include <libxml/tree.h>

#include <string>

namespace inspector {

struct Plugin {
  void* handle = nullptr;
  int (*source_init)() = nullptr;
  void (*source_destroy)() = nullptr;
  int (*get_station_weather_data)(const char*, GHashTable*) = nullptr;
  void (*free_fields)(gpointer, gpointer, gpointer) = nullptr;
  int (*parse_xml_data)(const char*, xmlNode*, GHashTable*) = nullptr;
  int (*parse_xml_detail_data)(const char*, xmlNode*, GHashTable*) = nullptr;
  GHashTable* (*hash_icons_brelund_table_create)() = nullptr;
  GHashTable* (*hash_description_brelund_table_create)() = nullptr;
  const char* (*hash_brelund_table_find)(GHashTable*, const char*, int) = nullptr;

  Plugin() = default;
  Plugin(const Plugin&) = delete;
  Plugin& operator=(const Plugin&) = delete;
  ~Plugin();

  // Loads `path` and resolves every function; on failure returns false and
  // says why in `error` (dlerror's text, or the first missing name).
  bool load(const std::string& path, std::string& error);

  // Releases what get_station_weather_data and parse_xml_detail_data stored,
  // then the table itself, exactly as a host must.
  void release_station_data(GHashTable* table) const;
};

}  // namespace inspector
