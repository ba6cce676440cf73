// SPDX-License-Identifier: MIT
// "-" on the command line: the forecast comes on standard input. The
// plug-in reads files, so it is saved once, as it came, in a file of its
// own (in a directory of its own, removed with it), which is never renamed
// or swapped: no staged file can wait beside it.
#pragma once

#include <string>

namespace inspector {

inline constexpr const char* kStandardInput = "-";
// What reports and messages call it.
inline constexpr const char* kStandardInputName = "standard input";

class StandardInput {
 public:
  StandardInput() = default;
  StandardInput(const StandardInput&) = delete;
  StandardInput& operator=(const StandardInput&) = delete;
  ~StandardInput();

  // The saved copy's path, reading standard input the first time; empty
  // when it cannot be saved (`why` says why).
  const std::string& path(std::string& why);

 private:
  std::string directory_;
  std::string path_;
  bool tried_ = false;
};

}  // namespace inspector
