// The host's side of a refresh, for the benchmarks: the documents on disk, a
// fresh station data table per call, and its release afterwards.
#pragma once

#include <glib.h>

#include <string>

namespace brelund::bench {

// A temporary directory holding the generated documents; removed with them.
class DocumentDir {
 public:
  DocumentDir();
  DocumentDir(const DocumentDir&) = delete;
  DocumentDir& operator=(const DocumentDir&) = delete;
  ~DocumentDir();
  // Writes `content` to `name` inside the directory; returns the full path.
  std::string write(const std::string& name, const std::string& content) const;

 private:
  std::string path_;
};

GHashTable* new_station_table() noexcept;

// Releases everything a refresh stored (location, forecast, detail with its
// hours list), then the table, as the host does.
void release_station_table(GHashTable* table) noexcept;

}  // namespace brelund::bench
