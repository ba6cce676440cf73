// SPDX-License-Identifier: MIT
// What the plug-in does not say: why it returned -1 for a forecast file,
// and whether it moved a staged file into place. The refusal is found by
// reading the file again with the plug-in's own file stream.
#pragma once

#include <string>

namespace inspector {

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
