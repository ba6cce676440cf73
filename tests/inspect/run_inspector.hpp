// SPDX-License-Identifier: MIT
// The inspector run as a command, as its users run it.
#pragma once

#include <string>
#include <vector>

namespace brelund::testing {

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs the built brelund-inspect with `args`, in `directory` when given.
Outcome inspect(std::vector<std::string> args, const char* directory = nullptr);

// Runs it through the shell, as `brelund-inspect ARGS REDIRECTIONS` (the
// arguments are not quoted): for standard input from a file and for both
// streams into one.
Outcome inspect_shell(const std::string& args);

// The names in `directory`, sorted: for checking that nothing was left or
// made there.
std::vector<std::string> entries(const std::string& directory);

}  // namespace brelund::testing
