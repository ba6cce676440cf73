// SPDX-License-Identifier: MIT
// The host's side of a refresh, for the benchmarks: the documents on disk, a
// fresh station data table per call, and its release afterwards.
#pragma once

#include <glib.h>
#include <libxml/tree.h>

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

// One call into the plug-in as a host makes it: a fresh station data table,
// the call, then the release of everything stored (location, forecast,
// detail with its hours list) and of the table. Each returns what the
// plug-in returned.
int refresh(const char* path) noexcept;     // get_station_weather_data
int read_forecast(xmlNode* root) noexcept;  // parse_xml_data alone
int read_detail(xmlNode* root) noexcept;    // parse_xml_detail_data

}  // namespace brelund::bench
