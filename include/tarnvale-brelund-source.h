/* SPDX-License-Identifier: MIT */
/* tarnvale-brelund-source: forecast-source plug-in for the tarnvale weather
 * application.
 *
 * The host loads libtarnvale-brelund-source.so with dlopen and calls the nine
 * functions below. Everything the plug-in hands over is a tree of GLib hash
 * tables (string keys compared by text, no destroy functions) and GSLists of
 * such tables; keys are static text owned by the plug-in, every leaf value is
 * a separate g_strdup copy that the host releases with g_free.
 *
 * Life cycle: dlopen the plug-in, resolve the nine functions with dlsym (the
 * brelund_*_fn types below fit them), call source_init once, then any number
 * of refreshes (get_station_weather_data, parse_xml_detail_data), each into
 * a fresh station data table that the host releases before the next, and
 * source_destroy once before dlclose.
 *
 * Paths: get_station_weather_data takes the station from the forecast file's
 * name, after its last "/" and before its last ".". A path without a "/" (a
 * bare "STATION.xml") or a name without a "." returns -1 with nothing stored,
 * even when the file is readable: pass the whole path ("./STATION.xml").
 *
 * Threads: call the plug-in from one thread only. While it works it switches
 * the process's LC_TIME category and, after every forecast file, runs
 * xmlCleanupParser(), which resets libxml2's global state.
 *
 * Only GLib is needed to compile against this header: libxml2's xmlNode is
 * declared below, not included.
 */
#ifndef TARNVALE_BRELUND_SOURCE_H
#define TARNVALE_BRELUND_SOURCE_H

#include <glib.h>

#define BRELUND_API __attribute__((visibility("default")))

/* The functions never throw; C++ callers see that in their types. */
#ifdef __cplusplus
#define BRELUND_NOEXCEPT noexcept
#else
#define BRELUND_NOEXCEPT
#endif

/* From C++17 on, noexcept is part of a function's type, and so of the
 * pointer types below. */
#if defined(__cplusplus) && __cplusplus >= 201703L
#define BRELUND_NOEXCEPT_TYPE noexcept
#else
#define BRELUND_NOEXCEPT_TYPE
#endif

/* libxml2's element node; a host that parses documents itself passes its
 * xmlNode pointers unchanged. */
struct _xmlNode;

/* Keys of the station data table (values: records or lists). */
#define BRELUND_KEY_LOCATION "location"
#define BRELUND_KEY_FORECAST "forecast"
#define BRELUND_KEY_DETAIL "detail"
#define BRELUND_KEY_CURRENT "current"

/* Location record. */
#define BRELUND_KEY_STATION_LATITUDE "station_latitude"
#define BRELUND_KEY_STATION_LONGITUDE "station_longitude"
#define BRELUND_KEY_STATION_TIME_ZONE "station_time_zone"

/* Day record (one element of the forecast list). */
#define BRELUND_KEY_DAY_NAME "day_name"
#define BRELUND_KEY_DAY_DATE "day_date"
#define BRELUND_KEY_DAY_HI_TEMPERATURE "day_hi_temperature"
#define BRELUND_KEY_DAY_LOW_TEMPERATURE "day_low_temperature"
#define BRELUND_KEY_DAY_ICON "day_icon"
#define BRELUND_KEY_NIGHT_ICON "night_icon"
#define BRELUND_KEY_DAY_TITLE "day_title"
#define BRELUND_KEY_NIGHT_TITLE "night_title"
#define BRELUND_KEY_DAY_PRESSURE "day_pressure"
#define BRELUND_KEY_NIGHT_PRESSURE "night_pressure"
#define BRELUND_KEY_DAY_PRECIPITATION "day_precipitation"
#define BRELUND_KEY_NIGHT_PRECIPITATION "night_precipitation"
#define BRELUND_KEY_DAY_WIND_SPEED "day_wind_speed"
#define BRELUND_KEY_NIGHT_WIND_SPEED "night_wind_speed"
#define BRELUND_KEY_DAY_WIND_TITLE "day_wind_title"
#define BRELUND_KEY_NIGHT_WIND_TITLE "night_wind_title"
#define BRELUND_KEY_DAY_SUNRISE "day_sunrise"
#define BRELUND_KEY_DAY_SUNSET "day_sunset"

/* Detail record (from the hour-by-hour document). */
#define BRELUND_KEY_LAST_UPDATE "last_update"
#define BRELUND_KEY_HOURS_DATA "hours_data"

/* Hour record (one element of the hours list). */
#define BRELUND_KEY_HOURS "hours"
#define BRELUND_KEY_HOUR_TEMPERATURE "hour_temperature"
#define BRELUND_KEY_HOUR_FEELS_LIKE "hour_feels_like"
#define BRELUND_KEY_HOUR_ICON "hour_icon"
#define BRELUND_KEY_HOUR_TITLE "hour_title"
#define BRELUND_KEY_HOUR_WIND_SPEED "hour_wind_speed"
#define BRELUND_KEY_HOUR_WIND_GUST "hour_wind_gust"
#define BRELUND_KEY_HOUR_WIND_DIRECTION "hour_wind_direction"
#define BRELUND_KEY_HOUR_HUMIDITY "hour_humidity"

#ifdef __cplusplus
extern "C" {
#endif

/* Creates the plug-in's private table. Returns 1 on success, 0 on failure
 * (then unload the plug-in without calling anything else). Call once after
 * loading, before any other function. */
BRELUND_API int source_init(void) BRELUND_NOEXCEPT;

/* Releases the private table and everything in it. Call once before
 * dlclose; station data the host holds is the host's to release (it is not
 * in this table). Safe to call twice, or without source_init (it then
 * releases nothing). */
BRELUND_API void source_destroy(void) BRELUND_NOEXCEPT;

/* Reads the station's forecast file at `path` into `station_data`.
 * When "<path>.new" is readable it is first renamed over `path`.
 * Returns the number of complete forecast days (>= 0) and stores the
 * `location` record and the `forecast` list (null when no day was complete);
 * returns -1 when an argument is null, the file cannot be read, is not a
 * regular file or is not well-formed XML, when the document passes the
 * plug-in's limits (64 MiB of XML after decompression, and bounds on what
 * reading it builds) or its DTD declares entities or attribute defaults, or
 * when its name has no "/" before it or no "." in it; returns -2 when the
 * file is the service's well-formed error document (root name contains
 * "err"). On -1 and -2 `station_data` is left untouched, nothing is written
 * to standard error and LC_TIME is not changed.
 * Entries are inserted: an entry already under the same key is replaced
 * without being released, so pass a table without them. */
BRELUND_API int get_station_weather_data(const char* path,
                                         GHashTable* station_data) BRELUND_NOEXCEPT;

/* GHFunc for g_hash_table_foreach: g_free()s `value` (null is skipped);
 * ignores `key` and `user_data`. */
BRELUND_API void free_fields(gpointer key, gpointer value, gpointer user_data) BRELUND_NOEXCEPT;

/* Reads a parsed forecast document: stores `location` and `forecast` in
 * `station_data` and returns the number of day records. `station_id` is not
 * used. A null `root` or `station_data`, or the root of a document whose
 * DTD declares entities or attribute defaults, stores nothing and returns 0.
 * The caller keeps the document. */
BRELUND_API int parse_xml_data(const char* station_id, struct _xmlNode* root,
                               GHashTable* station_data) BRELUND_NOEXCEPT;

/* Reads a parsed hour-by-hour document: stores the `detail` record (null when
 * the document has no `hbhf` element) and returns the number of hour records.
 * Each `hour` element gives one hour record, in document order; its `hours`
 * value is the `c` attribute as two digits ("07"), the previous hour when `c`
 * is not an hour, and absent when the element has no `c` at all.
 * The host releases the detail record itself: its `hours_data` value is a
 * GSList of hour records (release each record, then g_slist_free; never pass
 * it to free_fields), its `last_update` value is text. The root of a document
 * whose DTD declares entities or attribute defaults stores nothing and
 * returns 0. */
BRELUND_API int parse_xml_detail_data(const char* station_id, struct _xmlNode* root,
                                      GHashTable* station_data) BRELUND_NOEXCEPT;

/* New table: service symbol key ("day3", "night3") -> host icon code ("28").
 * Destroy with g_hash_table_destroy; keys and values are static. */
BRELUND_API GHashTable* hash_icons_brelund_table_create(void) BRELUND_NOEXCEPT;

/* New table: service condition name (UTF-8 Norwegian) -> English text.
 * Destroy with g_hash_table_destroy; keys and values are static. */
BRELUND_API GHashTable* hash_description_brelund_table_create(void) BRELUND_NOEXCEPT;

/* Looks `key` up in a code table (with "_short" appended when `short_flag` is
 * non-zero). Returns the table's static value, or `key` itself after writing
 * "Not found <key>" to standard error. Copy the result before the table or
 * the key goes away. */
BRELUND_API const char* hash_brelund_table_find(GHashTable* table, const char* key,
                                                int short_flag) BRELUND_NOEXCEPT;

/* Pointer types of the nine functions, named after them, for the host that
 * resolves them with dlsym:
 *
 *   brelund_get_station_weather_data_fn get =
 *       (brelund_get_station_weather_data_fn)dlsym(handle,
 *                                                  "get_station_weather_data");
 */
/* Kept by hand: clang-format reads the macro after a pointer result as a
 * cast. */
/* clang-format off */
typedef int (*brelund_source_init_fn)(void) BRELUND_NOEXCEPT_TYPE;
typedef void (*brelund_source_destroy_fn)(void) BRELUND_NOEXCEPT_TYPE;
typedef int (*brelund_get_station_weather_data_fn)(const char* path,
                                                   GHashTable* station_data) BRELUND_NOEXCEPT_TYPE;
typedef void (*brelund_free_fields_fn)(gpointer key, gpointer value,
                                       gpointer user_data) BRELUND_NOEXCEPT_TYPE;
typedef int (*brelund_parse_xml_data_fn)(const char* station_id, struct _xmlNode* root,
                                         GHashTable* station_data) BRELUND_NOEXCEPT_TYPE;
typedef int (*brelund_parse_xml_detail_data_fn)(const char* station_id, struct _xmlNode* root,
                                                GHashTable* station_data) BRELUND_NOEXCEPT_TYPE;
typedef GHashTable* (*brelund_hash_icons_brelund_table_create_fn)(void) BRELUND_NOEXCEPT_TYPE;
typedef GHashTable* (*brelund_hash_description_brelund_table_create_fn)(void)
    BRELUND_NOEXCEPT_TYPE;
typedef const char* (*brelund_hash_brelund_table_find_fn)(GHashTable* table, const char* key,
                                                          int short_flag) BRELUND_NOEXCEPT_TYPE;
/* clang-format on */

#ifdef __cplusplus
}
#endif

#endif /* TARNVALE_BRELUND_SOURCE_H */
