// SPDX-License-Identifier: MIT
// The findings as a linter writes them, for people and editors
// ("FILE:LINE: message [code]", sorted by line, then a summary line per
// file), or as JSON objects for programs.
#pragma once

#include <string>
#include <vector>

#include "check/findings.hpp"

namespace inspector::check {

std::string report_text(const FileReport& report);
std::string report_json(const std::vector<FileReport>& reports);

// "3 findings", "1 finding", "no findings".
std::string findings_counted(std::size_t count);

}  // namespace inspector::check
