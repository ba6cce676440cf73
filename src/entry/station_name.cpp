// SPDX-License-Identifier: MIT
#include "entry/station_name.hpp"

#include <cstdio>
#include <cstring>

namespace brelund::entry {

bool names_station(const char* path) noexcept {
  if (path == nullptr) return false;
  const char* slash = std::strrchr(path, '/');
  if (slash == nullptr) return false;
  char id[kPathBuffer];
  std::snprintf(id, kPathLimit, "%s", slash + 1);
  return std::strrchr(id, '.') != nullptr;
}

}  // namespace brelund::entry
