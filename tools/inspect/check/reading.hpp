// SPDX-License-Identifier: MIT
// The plug-in's own readers and file stream (linked in from src/) read a
// file once more, as the plug-in reads it, with the check's narrator: what
// they say becomes the families' findings, and what they store is held
// against what the plug-in stored.
#pragma once

#include <glib.h>

#include <memory>
#include <string>
#include <vector>

#include "check/findings.hpp"

namespace inspector::check {

struct StationRelease {
  void operator()(GHashTable* table) const noexcept;
};
using Station = std::unique_ptr<GHashTable, StationRelease>;

struct NarratedReading {
  bool read = false;  // a whole, well-formed forecast (no error document), read to its end
  std::vector<Finding> findings;
  Station stored;           // what the readers stored; null unless `read`
  std::string why_no_days;  // when no day was stored and a finding says why
};

// `path` names a file the plug-in read (it returned a count).
NarratedReading read_with_narrator(const std::string& path);

}  // namespace inspector::check
