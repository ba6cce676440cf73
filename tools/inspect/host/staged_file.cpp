// SPDX-License-Identifier: MIT
#include "host/staged_file.hpp"

#include <unistd.h>

namespace inspector {

StagedFile::StagedFile(const std::string& path)
    : staged_(path + ".new"), waiting_(access(staged_.c_str(), F_OK) == 0) {}

bool StagedFile::moved() const { return waiting_ && access(staged_.c_str(), F_OK) != 0; }

}  // namespace inspector
