// SPDX-License-Identifier: MIT
// A name given on the command line is a file: a bare one is in the current
// directory, never standard input ("-" to libxml2), a name on the dynamic
// loader's search path, or a path the plug-in refuses for its missing "/".
#pragma once

#include <string>

namespace inspector {

inline std::string as_file(const std::string& name) {
  return name.find('/') == std::string::npos ? "./" + name : name;
}

}  // namespace inspector
