// SPDX-License-Identifier: MIT
// The staged file a host leaves for the plug-in: `path`.new, renamed over
// `path` by the plug-in before it reads. The plug-in does not say whether it
// moved one; comparing before and after does.
#pragma once

#include <string>

namespace inspector {

class StagedFile {
 public:
  // Notes whether `path`.new is waiting now, before the plug-in is called.
  explicit StagedFile(const std::string& path);
  // After the call: the plug-in renamed it over `path`.
  bool moved() const;

 private:
  std::string staged_;
  bool waiting_;
};

// What the next refresh of `path` reads when a readable `path`.new waits:
// that file under `path`'s own name (a link to it in a directory of its
// own, removed again), so that the plug-in, handed it, takes the station
// from the same name and renames nothing.
class NextRefresh {
 public:
  explicit NextRefresh(const std::string& path);
  NextRefresh(const NextRefresh&) = delete;
  NextRefresh& operator=(const NextRefresh&) = delete;
  ~NextRefresh();

  bool waiting() const { return !link_.empty(); }
  const std::string& path() const { return link_; }

 private:
  std::string directory_;
  std::string link_;
};

}  // namespace inspector
