// SPDX-License-Identifier: MIT
// The command line: what a run is asked to do.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace inspector {

struct Options {
  std::string plugin;  // empty: the one built beside the program, else the installed one
  std::string hourly;  // empty: none
  std::string plot;    // empty: no picture
  bool json = false;
  bool check = false;   // --check: findings for each of `files`
  std::string explain;  // --explain CODE: what that code means
  bool version = false;
  bool help = false;
  std::vector<std::string> files;  // "-": standard input
};

// Parses argv; on a usage error returns nothing and has said why on
// standard error. --help is answered here: its text goes to standard output.
std::optional<Options> parse_options(int argc, char** argv);

}  // namespace inspector
