// SPDX-License-Identifier: MIT
#include "cli/check_run.hpp"

#include <cstdio>
#include <vector>

#include "check/check_file.hpp"
#include "check/report.hpp"
#include "cli/exit_status.hpp"

namespace inspector {

int check_files(const Plugin& plugin, const Options& options) {
  std::vector<check::FileReport> reports;
  bool found = false;
  for (const std::string& file : options.files) {
    check::FileReport report = check::check_file(plugin, file);
    found |= !report.findings.empty();
    if (options.json) {
      reports.push_back(std::move(report));
      continue;
    }
    const std::string text = check::report_text(report);
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
  }
  if (options.json) {
    const std::string text = check::report_json(reports);
    std::fwrite(text.data(), 1, text.size(), stdout);
  }
  return found ? kFindings : kOk;
}

}  // namespace inspector
