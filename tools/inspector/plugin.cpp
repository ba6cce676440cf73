#include "plugin.hpp"

#include <dlfcn.h>

#include "tarnvale-brelund-source.h"

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

void Plugin::release_station_data(GHashTable* table) const {
  const auto release_record = [this](gpointer record) {
    if (record == nullptr) return;
    g_hash_table_foreach(static_cast<GHashTable*>(record), free_fields, nullptr);
    g_hash_table_remove_all(static_cast<GHashTable*>(record));
    g_hash_table_unref(static_cast<GHashTable*>(record));
  };
  const auto release_list = [&](gpointer list) {
    for (GSList* cell = static_cast<GSList*>(list); cell != nullptr; cell = cell->next)
      release_record(cell->data);
    g_slist_free(static_cast<GSList*>(list));
  };
  release_record(g_hash_table_lookup(table, BRELUND_KEY_LOCATION));
  release_record(g_hash_table_lookup(table, BRELUND_KEY_CURRENT));
  release_list(g_hash_table_lookup(table, BRELUND_KEY_FORECAST));
  if (auto* detail = static_cast<GHashTable*>(g_hash_table_lookup(table, BRELUND_KEY_DETAIL))) {
    // The hours list is not text: it must not reach free_fields.
    release_list(g_hash_table_lookup(detail, BRELUND_KEY_HOURS_DATA));
    g_hash_table_remove(detail, BRELUND_KEY_HOURS_DATA);
    release_record(detail);
  }
  g_hash_table_destroy(table);
}

}  // namespace inspector
