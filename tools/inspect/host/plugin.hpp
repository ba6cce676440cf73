// SPDX-License-Identifier: MIT
// The plug-in as a host holds it: a dlopen handle and the nine functions,
// resolved by name into the header's pointer types. Nothing of the plug-in
// is linked in.
#pragma once

#include <functional>
#include <set>
#include <string>

#include "tarnvale-brelund-source.h"

namespace inspector {

struct Plugin {
  void* handle = nullptr;
  brelund_source_init_fn source_init = nullptr;
  brelund_source_destroy_fn source_destroy = nullptr;
  brelund_get_station_weather_data_fn get_station_weather_data = nullptr;
  brelund_free_fields_fn free_fields = nullptr;
  brelund_parse_xml_data_fn parse_xml_data = nullptr;
  brelund_parse_xml_detail_data_fn parse_xml_detail_data = nullptr;
  brelund_hash_icons_brelund_table_create_fn hash_icons_brelund_table_create = nullptr;
  brelund_hash_description_brelund_table_create_fn hash_description_brelund_table_create = nullptr;
  brelund_hash_brelund_table_find_fn hash_brelund_table_find = nullptr;

  Plugin() = default;
  Plugin(const Plugin&) = delete;
  Plugin& operator=(const Plugin&) = delete;
  ~Plugin();

  // Loads `path` and resolves every function; on failure returns false and
  // says why in `error` (dlerror's text, or the first missing name).
  bool load(const std::string& path, std::string& error);
};

// The English texts of the plug-in's own condition table (its values): a
// stored condition text is a translation exactly when it is one of them.
std::set<std::string, std::less<>> condition_translations(const Plugin& plugin);

}  // namespace inspector
