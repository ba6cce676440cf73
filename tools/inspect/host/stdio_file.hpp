// SPDX-License-Identifier: MIT
// A C library stream, closed when its holder goes.
#pragma once

#include <cstdio>
#include <memory>

namespace inspector {

struct FileClose {
  void operator()(std::FILE* file) const noexcept { std::fclose(file); }
};
using StdioFile = std::unique_ptr<std::FILE, FileClose>;

}  // namespace inspector
