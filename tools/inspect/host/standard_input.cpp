// SPDX-License-Identifier: MIT
#include "host/standard_input.hpp"

#include <glib.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "holders.hpp"
#include "host/stdio_file.hpp"

namespace inspector {
namespace {

// Copies standard input to `path`; errno is left as the failure set it.
bool save(const std::string& path) {
  const StdioFile out(std::fopen(path.c_str(), "wb"));
  if (!out) return false;
  char block[65536];
  for (std::size_t n; (n = std::fread(block, 1, sizeof block, stdin)) > 0;)
    if (std::fwrite(block, 1, n, out.get()) != n) return false;
  return std::ferror(stdin) == 0 && std::fflush(out.get()) == 0;
}

}  // namespace

StandardInput::~StandardInput() {
  if (!path_.empty()) unlink(path_.c_str());
  if (!directory_.empty()) rmdir(directory_.c_str());
}

// The name has a "/" and a ".", as the plug-in wants of a forecast file.
const std::string& StandardInput::path(std::string& why) {
  if (tried_) {
    if (path_.empty()) why = "standard input could not be saved";
    return path_;
  }
  tried_ = true;
  const brelund::GPtr<gchar> directory(g_dir_make_tmp("brelund-inspect-XXXXXX", nullptr));
  if (!directory) {
    why = std::string("cannot save it for the plug-in: ") + std::strerror(errno);
    return path_;
  }
  directory_ = directory.get();
  const std::string file = directory_ + "/standard-input.xml";
  if (save(file)) {
    path_ = file;
  } else {
    why = std::string("cannot save it for the plug-in: ") + std::strerror(errno);
    unlink(file.c_str());
  }
  return path_;
}

}  // namespace inspector
