// SPDX-License-Identifier: MIT
// From the host's forecast file to its station data: staged-file swap, one
// streaming read of the file, error documents, station identifier.
#include <libxml/parser.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "readers/forecast_reader.hpp"
#include "sources/file_stream.hpp"
#include "tarnvale-brelund-source.h"

namespace {

constexpr int kUnusable = -1;
constexpr int kErrorDocument = -2;
constexpr std::size_t kPathBuffer = 1024;
// Formatting into the path buffer is bounded one byte short of its size.
constexpr std::size_t kPathLimit = kPathBuffer - 1;

// Moves "<path>.new" over `path` when the host left one. A name that would
// not fit the buffer is never formed: its truncation would name another file,
// and renaming that over the forecast would destroy data.
void swap_in_staged_file(const char* path) noexcept {
  char staged[kPathBuffer];
  const int length = std::snprintf(staged, kPathLimit, "%s.new", path);
  if (length < 0 || static_cast<std::size_t>(length) >= kPathLimit) return;
  if (access(staged, R_OK) == 0) std::rename(staged, path);  // failure: read the old file
}

// The file name after the last "/" and before its last "."; false when the
// path has no "/" or the name no ".". Not consulted further: the readers
// take the station from the document.
bool has_station_identifier(const char* path) noexcept {
  const char* slash = std::strrchr(path, '/');
  if (slash == nullptr) return false;
  char id[kPathBuffer];
  std::snprintf(id, kPathLimit, "%s", slash + 1);
  return std::strrchr(id, '.') != nullptr;
}

// Nothing here throws: the stream catches what its reader throws (out of
// memory) and ends the read as refused.
int read_forecast(const char* path, GHashTable* station_data) noexcept {
  using namespace brelund;
  readers::ForecastReader reader({readers::kMaxBuiltBytes, true});
  const sources::StreamResult read = sources::read_file(path, reader);
  // Only a whole, well-formed document is handed over; anything the reader
  // built from a broken or refused one goes with it, unseen.
  int result = kUnusable;
  if (read.outcome == sources::Outcome::kRead) {
    if (reader.error_document())
      result = kErrorDocument;
    else if (has_station_identifier(path))
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
  if (access(path, R_OK) != 0) return kUnusable;
  return read_forecast(path, station_data);
}
