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

}  // namespace inspector
