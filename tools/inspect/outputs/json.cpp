// SPDX-License-Identifier: MIT
#include "outputs/json.hpp"

#include <json-glib/json-glib.h>

#include "holders.hpp"
#include "tarnvale-brelund-source.h"

namespace inspector {
namespace {

void add_list(JsonBuilder* builder, const std::vector<GHashTable*>& records, bool present);

int by_name(gconstpointer a, gconstpointer b) {
  return g_strcmp0(static_cast<const char*>(a), static_cast<const char*>(b));
}

void add_value(JsonBuilder* builder, const char* key, gpointer value) {
  if (g_strcmp0(key, BRELUND_KEY_HOURS_DATA) == 0) {  // the one value that is not text
    std::vector<GHashTable*> hours;
    for (auto* cell = static_cast<GSList*>(value); cell != nullptr; cell = cell->next)
      hours.push_back(static_cast<GHashTable*>(cell->data));
    add_list(builder, hours, value != nullptr);
  } else if (value == nullptr) {
    json_builder_add_null_value(builder);
  } else {
    json_builder_add_string_value(builder, static_cast<const char*>(value));
  }
}

void add_record(JsonBuilder* builder, GHashTable* record) {
  if (record == nullptr) {
    json_builder_add_null_value(builder);
    return;
  }
  const brelund::GPtr<GList> keys(g_list_sort(g_hash_table_get_keys(record), by_name));
  json_builder_begin_object(builder);
  for (GList* k = keys.get(); k != nullptr; k = k->next) {
    const auto* key = static_cast<const char*>(k->data);
    json_builder_set_member_name(builder, key);
    add_value(builder, key, g_hash_table_lookup(record, key));
  }
  json_builder_end_object(builder);
}

// A null list (no records) is null, as stored.
void add_list(JsonBuilder* builder, const std::vector<GHashTable*>& records, bool present) {
  if (!present) {
    json_builder_add_null_value(builder);
    return;
  }
  json_builder_begin_array(builder);
  for (GHashTable* record : records) add_record(builder, record);
  json_builder_end_array(builder);
}

void add_entries(JsonBuilder* builder, const Stored& stored) {
  if (stored.has_location) {
    json_builder_set_member_name(builder, BRELUND_KEY_LOCATION);
    add_record(builder, stored.location);
  }
  if (g_hash_table_contains(stored.table, BRELUND_KEY_CURRENT)) {
    json_builder_set_member_name(builder, BRELUND_KEY_CURRENT);
    add_record(builder,
               static_cast<GHashTable*>(g_hash_table_lookup(stored.table, BRELUND_KEY_CURRENT)));
  }
  if (stored.has_forecast) {
    json_builder_set_member_name(builder, BRELUND_KEY_FORECAST);
    add_list(builder, stored.days, !stored.days.empty());
  }
  if (stored.has_detail) {
    json_builder_set_member_name(builder, BRELUND_KEY_DETAIL);
    add_record(builder, stored.detail);
  }
}

}  // namespace

// json-glib's own cleanups (GLib's g_autoptr) release its objects.
std::string render_json(const Stored& stored) {
  g_autoptr(JsonBuilder) builder = json_builder_new();
  json_builder_begin_object(builder);
  add_entries(builder, stored);
  json_builder_end_object(builder);
  return pretty_json(builder);
}

std::string pretty_json(JsonBuilder* builder) {
  g_autoptr(JsonNode) root = json_builder_get_root(builder);
  g_autoptr(JsonGenerator) generator = json_generator_new();
  json_generator_set_pretty(generator, TRUE);
  json_generator_set_root(generator, root);
  const brelund::GPtr<gchar> text(json_generator_to_data(generator, nullptr));
  return std::string(text.get()) + "\n";
}

}  // namespace inspector
