// SPDX-License-Identifier: MIT
#include "output.hpp"

#include <json-glib/json-glib.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <vector>

#include "tarnvale-brelund-source.h"

namespace inspector {
namespace {

constexpr const char* kTopLevelKeys[] = {BRELUND_KEY_LOCATION, BRELUND_KEY_CURRENT,
                                         BRELUND_KEY_FORECAST, BRELUND_KEY_DETAIL};

GHashTable* record_at(GHashTable* table, const char* key) {
  return static_cast<GHashTable*>(g_hash_table_lookup(table, key));
}

GSList* list_at(GHashTable* table, const char* key) {
  return static_cast<GSList*>(g_hash_table_lookup(table, key));
}

// A value for people: "-" when absent or null.
std::string shown(GHashTable* record, const char* key) {
  const char* value =
      record != nullptr ? static_cast<const char*>(g_hash_table_lookup(record, key)) : nullptr;
  return value != nullptr ? value : "-";
}

using Row = std::vector<std::string>;

// Columns padded to their widest cell, counted in characters, not bytes.
void print_table(std::ostringstream& out, const std::vector<Row>& rows) {
  std::vector<long> widths;
  for (const Row& row : rows)
    for (std::size_t i = 0; i < row.size(); ++i) {
      if (widths.size() <= i) widths.push_back(0);
      widths[i] = std::max(widths[i], g_utf8_strlen(row[i].c_str(), -1));
    }
  for (const Row& row : rows) {
    std::string line;
    for (std::size_t i = 0; i < row.size(); ++i) {
      line += row[i];
      if (i + 1 < row.size())
        line.append(static_cast<std::size_t>(widths[i] - g_utf8_strlen(row[i].c_str(), -1)) + 2,
                    ' ');
    }
    out << line << '\n';
  }
}

std::string half(GHashTable* day, const char* icon, const char* title) {
  return shown(day, icon) + " " + shown(day, title);
}

// "-" when neither is there, not "- km/h -".
std::string wind(GHashTable* record, const char* speed, const char* direction) {
  const std::string km_h = shown(record, speed);
  const std::string from = shown(record, direction);
  return km_h == "-" && from == "-" ? "-" : km_h + " km/h " + from;
}

void print_days(std::ostringstream& out, GSList* days) {
  std::vector<Row> rows = {{"Day", "Date", "Hi", "Lo", "Day icon/text", "Day wind", "Prec", "Press",
                            "Night icon/text", "Night wind", "Prec", "Press", "Sunrise", "Sunset"}};
  for (GSList* cell = days; cell != nullptr; cell = cell->next) {
    auto* d = static_cast<GHashTable*>(cell->data);
    rows.push_back({shown(d, BRELUND_KEY_DAY_NAME), shown(d, BRELUND_KEY_DAY_DATE),
                    shown(d, BRELUND_KEY_DAY_HI_TEMPERATURE),
                    shown(d, BRELUND_KEY_DAY_LOW_TEMPERATURE),
                    half(d, BRELUND_KEY_DAY_ICON, BRELUND_KEY_DAY_TITLE),
                    wind(d, BRELUND_KEY_DAY_WIND_SPEED, BRELUND_KEY_DAY_WIND_TITLE),
                    shown(d, BRELUND_KEY_DAY_PRECIPITATION), shown(d, BRELUND_KEY_DAY_PRESSURE),
                    half(d, BRELUND_KEY_NIGHT_ICON, BRELUND_KEY_NIGHT_TITLE),
                    wind(d, BRELUND_KEY_NIGHT_WIND_SPEED, BRELUND_KEY_NIGHT_WIND_TITLE),
                    shown(d, BRELUND_KEY_NIGHT_PRECIPITATION), shown(d, BRELUND_KEY_NIGHT_PRESSURE),
                    shown(d, BRELUND_KEY_DAY_SUNRISE), shown(d, BRELUND_KEY_DAY_SUNSET)});
  }
  print_table(out, rows);
}

void print_hours(std::ostringstream& out, GHashTable* detail) {
  out << "\nHourly, last update " << shown(detail, BRELUND_KEY_LAST_UPDATE) << "\n";
  std::vector<Row> rows = {
      {"Hour", "Temp", "Feels", "Icon", "Condition", "Wind", "Gust", "Humidity"}};
  for (GSList* cell = list_at(detail, BRELUND_KEY_HOURS_DATA); cell != nullptr; cell = cell->next) {
    auto* h = static_cast<GHashTable*>(cell->data);
    rows.push_back({shown(h, BRELUND_KEY_HOURS), shown(h, BRELUND_KEY_HOUR_TEMPERATURE),
                    shown(h, BRELUND_KEY_HOUR_FEELS_LIKE), shown(h, BRELUND_KEY_HOUR_ICON),
                    shown(h, BRELUND_KEY_HOUR_TITLE),
                    wind(h, BRELUND_KEY_HOUR_WIND_SPEED, BRELUND_KEY_HOUR_WIND_DIRECTION),
                    shown(h, BRELUND_KEY_HOUR_WIND_GUST), shown(h, BRELUND_KEY_HOUR_HUMIDITY)});
  }
  print_table(out, rows);
}

// --- JSON ---

struct Unref {
  void operator()(gpointer object) const { g_object_unref(object); }
};

void add_list(JsonBuilder* builder, GSList* list);

void add_record(JsonBuilder* builder, GHashTable* record) {
  if (record == nullptr) {
    json_builder_add_null_value(builder);
    return;
  }
  GList* keys = g_list_sort(g_hash_table_get_keys(record), [](gconstpointer a, gconstpointer b) {
    return g_strcmp0(static_cast<const char*>(a), static_cast<const char*>(b));
  });
  json_builder_begin_object(builder);
  for (GList* k = keys; k != nullptr; k = k->next) {
    const auto* key = static_cast<const char*>(k->data);
    json_builder_set_member_name(builder, key);
    gpointer value = g_hash_table_lookup(record, key);
    if (g_strcmp0(key, BRELUND_KEY_HOURS_DATA) == 0)
      add_list(builder, static_cast<GSList*>(value));  // the one value that is not text
    else if (value == nullptr)
      json_builder_add_null_value(builder);
    else
      json_builder_add_string_value(builder, static_cast<const char*>(value));
  }
  json_builder_end_object(builder);
  g_list_free(keys);
}

void add_list(JsonBuilder* builder, GSList* list) {
  if (list == nullptr) {
    json_builder_add_null_value(builder);
    return;
  }
  json_builder_begin_array(builder);
  for (GSList* cell = list; cell != nullptr; cell = cell->next)
    add_record(builder, static_cast<GHashTable*>(cell->data));
  json_builder_end_array(builder);
}

}  // namespace

std::string render_text(GHashTable* station_data) {
  std::ostringstream out;
  GHashTable* location = record_at(station_data, BRELUND_KEY_LOCATION);
  std::string zone = shown(location, BRELUND_KEY_STATION_TIME_ZONE);
  if (zone != "-") zone = "UTC" + std::string(zone[0] == '-' ? "" : "+") + zone;
  out << "Station   latitude " << shown(location, BRELUND_KEY_STATION_LATITUDE) << ", longitude "
      << shown(location, BRELUND_KEY_STATION_LONGITUDE) << ", time zone " << zone << "\n";
  GSList* days = list_at(station_data, BRELUND_KEY_FORECAST);
  out << "Forecast  " << g_slist_length(days) << " days\n\n";
  if (days != nullptr) print_days(out, days);
  if (g_hash_table_contains(station_data, BRELUND_KEY_DETAIL)) {
    GHashTable* detail = record_at(station_data, BRELUND_KEY_DETAIL);
    if (detail != nullptr)
      print_hours(out, detail);
    else
      out << "\nHourly    none (the document has no hourly forecast)\n";
  }
  return out.str();
}

std::string render_json(GHashTable* station_data) {
  std::unique_ptr<JsonBuilder, Unref> builder(json_builder_new());
  json_builder_begin_object(builder.get());
  for (const char* key : kTopLevelKeys) {
    if (!g_hash_table_contains(station_data, key)) continue;
    json_builder_set_member_name(builder.get(), key);
    if (g_strcmp0(key, BRELUND_KEY_FORECAST) == 0)
      add_list(builder.get(), list_at(station_data, key));
    else
      add_record(builder.get(), record_at(station_data, key));
  }
  json_builder_end_object(builder.get());
  JsonNode* root = json_builder_get_root(builder.get());
  std::unique_ptr<JsonGenerator, Unref> generator(json_generator_new());
  json_generator_set_pretty(generator.get(), TRUE);
  json_generator_set_root(generator.get(), root);
  gchar* text = json_generator_to_data(generator.get(), nullptr);
  std::string out = std::string(text) + "\n";
  g_free(text);
  json_node_unref(root);
  return out;
}

}  // namespace inspector
