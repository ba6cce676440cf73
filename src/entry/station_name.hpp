// SPDX-License-Identifier: MIT
// Whether the host's forecast path names a station: the rule the plug-in
// applies before it hands a read over. A static library of its own
// (brelund_intake), so that the inspector, which links none of the
// plug-in's entry points, explains a refusal by the same rule.
#pragma once

#include <cstddef>

namespace brelund::entry {

// The work buffer names are formed in from the host's path (the staged
// file's, the station's); formatting into it is bounded one byte short of
// its size.
inline constexpr std::size_t kPathBuffer = 1024;
inline constexpr std::size_t kPathLimit = kPathBuffer - 1;

// True when `path` has a "/" and the file name after the last one has a
// ".", as far as that name fits the work buffer: the station identifier is
// the name before its last ".". Not consulted further: the readers take the
// station from the document. False for null.
bool names_station(const char* path) noexcept;

}  // namespace brelund::entry
