// SPDX-License-Identifier: MIT
// From the host's forecast file to its station data: staged-file swap, one
// streaming read of the file, error documents, station identifier.
#include <libxml/parser.h>
#include <unistd.h>

#include <cstdio>

#include "entry/station_name.hpp"
#include "readers/forecast_reader.hpp"
#include "sources/file_stream.hpp"
#include "tarnvale-brelund-source.h"

namespace {

using brelund::entry::kPathBuffer;
using brelund::entry::kPathLimit;

constexpr int kUnusable = -1;
constexpr int kErrorDocument = -2;

// Moves "<path>.new" over `path` when the host left one. A name that would
// not fit the buffer is never formed: its truncation would name another file,
// and renaming that over the forecast would destroy data.
void swap_in_staged_file(const char* path) noexcept {
  char staged[kPathBuffer];
  const int length = std::snprintf(staged, kPathLimit, "%s.new", path);
  if (length < 0 || static_cast<std::size_t>(length) >= kPathLimit) return;
  if (access(staged, R_OK) == 0) std::rename(staged, path);  // failure: read the old file
}

// Nothing here throws: the stream catches what its reader throws (out of
// memory) and ends the read as refused.
int read_forecast(const char* path, GHashTable* station_data) noexcept {
  using namespace brelund;
  readers::ForecastReader reader(readers::kFileLimits);
  const sources::StreamResult read = sources::read_file(path, reader);
  // Only a whole, well-formed document is handed over; anything the reader
  // built from a broken or refused one goes with it, unseen.
  int result = kUnusable;
  if (read.outcome == sources::Outcome::kRead) {
    if (reader.error_document())
      result = kErrorDocument;
    else if (entry::names_station(path))
      result = reader.update().hand_over(station_data);
  }
  // The host relies on libxml2's globals being reset after every document.
  if (read.parsed) xmlCleanupParser();
  return result;
}

}  // namespace

int get_station_weather_data(const char* path, GHashTable* station_data) noexcept {
  if (path == nullptr || station_data == nullptr) return kUnusable;
  swap_in_staged_file(path);
  // The stream opens nothing that is unreadable or would block (file_fault):
  // such a file is refused, unparsed, as -1.
  return read_forecast(path, station_data);
}
