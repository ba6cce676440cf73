// SPDX-License-Identifier: MIT
// The check of one forecast file: the plug-in reads it (changing nothing
// anywhere), the readers built into the inspector read it again with a
// narrator, and what they say becomes the findings. A staged FILE.new
// waiting beside it is checked as what the next refresh will read.
#pragma once

#include <string>
#include <vector>

#include "check/findings.hpp"
#include "host/plugin.hpp"
#include "model/stored.hpp"

namespace inspector::check {

// `path` is handed to the plug-in; `name` is what the reports call it. The
// file's report, then that of a waiting FILE.new.
std::vector<FileReport> check_file(const Plugin& plugin, const std::string& path,
                                   const std::string& name);

// The findings about a read already made as the host makes it (`stored`
// is what the plug-in stored from `path`), and why it stored no day when
// a finding says so.
struct After {
  std::vector<Finding> findings;
  std::string why_no_days;
};
After findings_after(const std::string& path, const Stored& stored);

}  // namespace inspector::check
