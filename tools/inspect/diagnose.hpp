// SPDX-License-Identifier: MIT
// What the plug-in does not say: why it returned -1 for a forecast file,
// and whether it moved a staged file into place. Found from the outside, by
// reading the file again the way the plug-in reads it.
#pragma once

#include <cstddef>
#include <string>

namespace inspector {

// The plug-in's limits on one forecast file, as it enforces them
// (src/sources/file_stream.hpp, src/readers/forecast_reader.hpp); the
// inspector's tests hold the two sets equal.
namespace limits {
inline constexpr std::size_t kMaxBytes = std::size_t{64} << 20;        // after decompression
inline constexpr int kMaxAttributes = 256;                             // on one element
inline constexpr int kMaxNamespaces = 256;                             // in scope at once
inline constexpr std::size_t kMaxSubsetBytes = std::size_t{64} << 10;  // the DOCTYPE
inline constexpr std::size_t kMaxTextRun = 10'000'000;                 // adjacent text
inline constexpr std::size_t kMaxBuiltBytes = std::size_t{32} << 20;   // station data built
}  // namespace limits

// Why get_station_weather_data returned -1 for `path` (the path it was
// given, after any staged-file swap): in a few words on one line, the
// first cause in the order the plug-in meets them. Prints nothing.
std::string why_unreadable(const std::string& path);

// A staged file, `path`.new, waiting before the plug-in is called; after the
// call, moved() says whether the plug-in renamed it over `path`.
class StagedFile {
 public:
  explicit StagedFile(const std::string& path);
  bool moved() const;
  const std::string& name() const { return staged_; }

 private:
  std::string staged_;
  bool waiting_;
};

}  // namespace inspector
