// SPDX-License-Identifier: MIT
// What every fuzz target shares: the host's side of the station data, and
// checks that abort (a finding) when a result contradicts what was stored.
#pragma once

#include <glib.h>
#include <libxml/parser.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "holders.hpp"
#include "host_table.hpp"

namespace brelund::fuzz {

// Parses the bytes as a host would; null when libxml2 refuses them.
inline XmlPtr<xmlDoc> host_parse(const std::uint8_t* data, std::size_t size) {
  return XmlPtr<xmlDoc>(xmlReadMemory(reinterpret_cast<const char*>(data), static_cast<int>(size),
                                      "fuzz.xml", nullptr,
                                      XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
}

// Writes the bytes as the station's forecast file, in a directory of the
// process's own (removed at exit); empty when they could not be written.
// The caller removes the file after use: ext4 flushes a file truncated and
// rewritten in place to disk when it is closed, which would make every run
// wait.
inline std::string write_forecast_file(const std::uint8_t* data, std::size_t size) {
  static const testing::TempDir dir;
  static const std::string path = dir.path() + "/fuzz.xml";
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return "";
  const bool written = std::fwrite(data, 1, size, file) == size;
  if (std::fclose(file) != 0 || !written) return "";
  return path;
}

// Aborts unless `condition` holds: libFuzzer and the replay both report it.
inline void require(bool condition) {
  if (!condition) __builtin_trap();
}

// Every value of a record is null or valid UTF-8 (the hours list aside).
inline void require_text_values(GHashTable* record) {
  GHashTableIter it;
  gpointer key = nullptr;
  gpointer value = nullptr;
  g_hash_table_iter_init(&it, record);
  while (g_hash_table_iter_next(&it, &key, &value))
    if (value != nullptr && g_strcmp0(static_cast<const char*>(key), "hours_data") != 0)
      require(g_utf8_validate(static_cast<const char*>(value), -1, nullptr));
}

// The result of a forecast read agrees with what was stored.
inline void require_forecast(const testing::HostTable& table, int result) {
  if (result < 0) {
    require(table.size() == 0);
    return;
  }
  const auto days = table.list("forecast");
  require(static_cast<std::size_t>(result) == days.size());
  for (GHashTable* day : days) require_text_values(day);
  if (GHashTable* location = table.record("location")) require_text_values(location);
  require(!table.contains("detail"));
}

}  // namespace brelund::fuzz
