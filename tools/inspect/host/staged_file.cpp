// SPDX-License-Identifier: MIT
#include "host/staged_file.hpp"

#include <glib.h>
#include <unistd.h>

#include <cstdlib>

#include "holders.hpp"

namespace inspector {

StagedFile::StagedFile(const std::string& path)
    : staged_(path + ".new"), waiting_(access(staged_.c_str(), F_OK) == 0) {}

bool StagedFile::moved() const { return waiting_ && access(staged_.c_str(), F_OK) != 0; }

// The plug-in moves the staged file only when it can read it (access).
NextRefresh::NextRefresh(const std::string& path) {
  const std::string staged = path + ".new";
  if (access(staged.c_str(), R_OK) != 0) return;
  const brelund::GPtr<char> target(realpath(staged.c_str(), nullptr));
  const brelund::GPtr<gchar> directory(g_dir_make_tmp("brelund-inspect-XXXXXX", nullptr));
  if (!target || !directory) return;
  directory_ = directory.get();
  const std::size_t slash = path.rfind('/');
  const std::string link = directory_ + "/" + path.substr(slash + 1);
  if (symlink(target.get(), link.c_str()) == 0) link_ = link;
}

NextRefresh::~NextRefresh() {
  if (!link_.empty()) unlink(link_.c_str());
  if (!directory_.empty()) rmdir(directory_.c_str());
}

}  // namespace inspector
