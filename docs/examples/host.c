/* SPDX-License-Identifier: MIT */
/* A complete host: loads the plug-in, reads one forecast file, prints its
 * days and releases everything. Usage: host PLUGIN DIR/STATION.xml */
#include <dlfcn.h>
#include <stdio.h>
#include <tarnvale-brelund-source.h>

static brelund_free_fields_fn free_text; /* the plug-in's free_fields */

static void release_record(gpointer record, gpointer unused) {
  g_hash_table_foreach(record, free_text, unused); /* null values too */
  g_hash_table_unref(record);
}

static void release_list(GSList* records) {
  g_slist_foreach(records, release_record, NULL);
  g_slist_free(records);
}

/* The detail record's hours list is not text: out of the record first. */
static void release_station_data(GHashTable* data) {
  GHashTable* detail = g_hash_table_lookup(data, BRELUND_KEY_DETAIL);
  GHashTable* location = g_hash_table_lookup(data, BRELUND_KEY_LOCATION);
  if (detail) {
    release_list(g_hash_table_lookup(detail, BRELUND_KEY_HOURS_DATA));
    g_hash_table_remove(detail, BRELUND_KEY_HOURS_DATA);
    release_record(detail, NULL);
  }
  if (location) release_record(location, NULL);
  release_list(g_hash_table_lookup(data, BRELUND_KEY_FORECAST));
  g_hash_table_destroy(data);
}

int main(int argc, char** argv) {
  void* plugin = argc == 3 ? dlopen(argv[1], RTLD_NOW | RTLD_LOCAL) : NULL;
  if (!plugin) return 2;
  brelund_source_init_fn init = (brelund_source_init_fn)dlsym(plugin, "source_init");
  brelund_source_destroy_fn destroy = (brelund_source_destroy_fn)dlsym(plugin, "source_destroy");
  brelund_get_station_weather_data_fn read_file =
      (brelund_get_station_weather_data_fn)dlsym(plugin, "get_station_weather_data");
  free_text = (brelund_free_fields_fn)dlsym(plugin, "free_fields");
  if (!init || !destroy || !read_file || !free_text || !init()) return dlclose(plugin), 2;

  /* A fresh table for every refresh; a path with a "/" and a ".". */
  GHashTable* data = g_hash_table_new(g_str_hash, g_str_equal);
  const int days = read_file(argv[2], data);
  printf("%d days\n", days);
  for (GSList* day = days > 0 ? g_hash_table_lookup(data, BRELUND_KEY_FORECAST) : NULL; day;
       day = day->next) {
    const char* title = g_hash_table_lookup(day->data, BRELUND_KEY_DAY_TITLE);
    printf("%s %s\n", (char*)g_hash_table_lookup(day->data, BRELUND_KEY_DAY_DATE),
           title ? title : "-");
  }
  release_station_data(data); /* after -1 or -2 it holds nothing */
  destroy();
  dlclose(plugin);
  return days < 0;
}
