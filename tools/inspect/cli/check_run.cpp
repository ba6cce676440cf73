// SPDX-License-Identifier: MIT
#include "cli/check_run.hpp"

#include <cstdio>
#include <vector>

#include "check/check_file.hpp"
#include "check/explain.hpp"
#include "check/report.hpp"
#include "cli/exit_status.hpp"
#include "cli/messages.hpp"
#include "host/standard_input.hpp"

namespace inspector {
namespace {

void print(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
}

// Standard input that cannot be saved is reported as a file the plug-in
// cannot read.
std::vector<check::FileReport> check_one(const Plugin& plugin, const std::string& file,
                                         StandardInput& input) {
  if (file != kStandardInput) return check::check_file(plugin, file, file);
  std::string why;
  const std::string& path = input.path(why);
  if (path.empty()) {
    say::standard_input_unsaved(why);
    return {{kStandardInputName, -1, {}}};
  }
  return check::check_file(plugin, path, kStandardInputName);
}

}  // namespace

int check_files(const Plugin& plugin, const Options& options) {
  std::vector<check::FileReport> reports;
  StandardInput input;
  for (const std::string& file : options.files) {
    for (check::FileReport& report : check_one(plugin, file, input)) {
      if (!options.json) print(check::report_text(report));
      reports.push_back(std::move(report));
    }
  }
  if (options.json)
    print(check::report_json(reports));
  else if (reports.size() > 1)
    print(check::total_text(reports));
  check::Tally tally;
  for (const check::FileReport& report : reports) tally.add(report.findings);
  return tally.serious() ? kFindings : kOk;
}

int explain(const Options& options) {
  const auto text = check::explanation(options.explain);
  if (!text) {
    say::unknown_code(options.explain);
    return kUsage;
  }
  print(*text);
  return kOk;
}

}  // namespace inspector
