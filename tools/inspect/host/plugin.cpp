// SPDX-License-Identifier: MIT
#include "host/plugin.hpp"

#include <dlfcn.h>

#include "holders.hpp"

namespace inspector {
namespace {

template <typename F>
bool resolve(void* handle, const char* name, F& slot, std::string& error) {
  slot = reinterpret_cast<F>(dlsym(handle, name));
  if (slot == nullptr && error.empty()) error = std::string("missing function ") + name;
  return slot != nullptr;
}

}  // namespace

Plugin::~Plugin() {
  if (handle != nullptr) dlclose(handle);
}

bool Plugin::load(const std::string& path, std::string& error) {
  handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* why = dlerror();
    error = why != nullptr ? why : "dlopen failed";
    return false;
  }
  bool ok = resolve(handle, "source_init", source_init, error);
  ok &= resolve(handle, "source_destroy", source_destroy, error);
  ok &= resolve(handle, "get_station_weather_data", get_station_weather_data, error);
  ok &= resolve(handle, "free_fields", free_fields, error);
  ok &= resolve(handle, "parse_xml_data", parse_xml_data, error);
  ok &= resolve(handle, "parse_xml_detail_data", parse_xml_detail_data, error);
  ok &= resolve(handle, "hash_icons_brelund_table_create", hash_icons_brelund_table_create, error);
  ok &= resolve(handle, "hash_description_brelund_table_create",
                hash_description_brelund_table_create, error);
  ok &= resolve(handle, "hash_brelund_table_find", hash_brelund_table_find, error);
  return ok;
}

std::set<std::string, std::less<>> condition_translations(const Plugin& plugin) {
  std::set<std::string, std::less<>> texts;
  const brelund::GPtr<GHashTable> table(plugin.hash_description_brelund_table_create());
  if (!table) return texts;
  GHashTableIter entry;
  gpointer value = nullptr;
  g_hash_table_iter_init(&entry, table.get());
  while (g_hash_table_iter_next(&entry, nullptr, &value))
    if (value != nullptr) texts.emplace(static_cast<const char*>(value));
  return texts;
}

}  // namespace inspector
