// SPDX-License-Identifier: MIT
// The findings as compilers print them, for people and editors
// ("FILE:LINE: warning: message [code]", sorted by line, then a summary
// line per file and, for several files, a total), or as JSON for programs.
#pragma once

#include <string>
#include <vector>

#include "check/findings.hpp"

namespace inspector::check {

std::string report_text(const FileReport& report);
// The last line of a run over several reports.
std::string total_text(const std::vector<FileReport>& reports);
std::string report_json(const std::vector<FileReport>& reports);

// "2 warnings, 1 note", "1 error", "no findings".
std::string counted(const Tally& tally);

}  // namespace inspector::check
