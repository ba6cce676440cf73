// SPDX-License-Identifier: MIT
// What the plug-in does not say: why it returned -1 for a forecast file. The
// cause is found by asking the plug-in's own checks and running its own file
// stream over the file, and is put in the words every message of the
// inspector uses for an unreadable document.
#pragma once

#include <string>

#include "sources/file_stream.hpp"
#include "sources/first_error.hpp"

namespace inspector {

// Why get_station_weather_data returned -1 for `path` (the path it was
// given, after any staged-file swap): in a few words on one line, the
// first cause in the order the plug-in meets them, and the line of the
// document where it lies, when it has one. Prints nothing.
struct Refusal {
  std::string why;
  int line = 0;
};
Refusal why_unreadable(const std::string& path);

// The words for a file the plug-in's file checks refuse (errno says why
// for kUnreadable).
std::string file_refused(brelund::sources::FileFault fault);

// The words for a file that cannot be opened (`error` is an errno value),
// and for libxml2's first complaint about one that is not well-formed (or
// that ends before its root element closes: truncated, at its last line).
std::string cannot_open(int error);
std::string not_well_formed(const brelund::sources::FirstError& first);

}  // namespace inspector
