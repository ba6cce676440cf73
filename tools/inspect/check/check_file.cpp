// SPDX-License-Identifier: MIT
#include "check/check_file.hpp"

#include <unistd.h>

#include <algorithm>
#include <optional>

#include "check/file_findings.hpp"
#include "check/reading.hpp"
#include "host/file_names.hpp"
#include "host/forecast_read.hpp"
#include "host/staged_file.hpp"
#include "host/station_data.hpp"
#include "model/difference.hpp"

namespace inspector::check {
namespace {

void by_line(std::vector<Finding>& findings) {
  std::stable_sort(findings.begin(), findings.end(),
                   [](const Finding& a, const Finding& b) { return a.line < b.line; });
}

// What the plug-in made of the file: the findings of the narrated reading
// when it stored something, else why it stored nothing.
FileReport report_of(const Plugin& plugin, const std::string& path, const std::string& name) {
  FileReport report{name, 0, {}};
  StationData station(plugin);
  const ForecastRead read = read_forecast(plugin, path, station, Reading::kUnchanged);
  report.result = read.result;
  if (read.result == -1)
    report.findings.push_back(refused(read.refusal.why, read.refusal.line));
  else if (read.result == -2)
    report.findings.push_back(error_document());
  else
    report.findings = findings_after(path, Stored(station.get())).findings;
  return report;
}

// What the plug-in does with a stored forecast's replacement, in words.
std::string outcome_of(const FileReport& next) {
  if (next.result == -1) return "stores nothing: it refuses it (-1)";
  if (next.result == -2) return "stores nothing: it is an error document (-2)";
  return "stores no day";
}

}  // namespace

After findings_after(const std::string& path, const Stored& stored) {
  NarratedReading reading = read_with_narrator(as_file(path));
  After after{std::move(reading.findings), std::move(reading.why_no_days)};
  if (reading.stored) {
    if (const auto difference = first_difference(stored, Stored(reading.stored.get())))
      after.findings.push_back(plugin_differs(*difference));
  }
  by_line(after.findings);
  return after;
}

std::vector<FileReport> check_file(const Plugin& plugin, const std::string& path,
                                   const std::string& name) {
  FileReport report = report_of(plugin, path, name);
  std::optional<FileReport> then;  // what the next refresh reads, when it is another file
  if (as_file(path).size() >= kUnstagedPathLength) {
    report.findings.push_back(long_path(as_file(path).size()));
  } else if (const NextRefresh next(as_file(path)); next.waiting()) {
    const std::string staged = name + ".new";
    then = report_of(plugin, next.path(), staged);
    // A first download: the host never reads the missing file, for the
    // refresh that would read it moves the staged one in first.
    const bool missing = access(as_file(path).c_str(), F_OK) != 0;
    if (missing) report.findings.clear();
    if (report.result > 0 && then->result <= 0)  // the loudest first
      report.findings.push_back(staged_breaks(staged, report.result, outcome_of(*then)));
    report.findings.push_back(staged_file(staged, missing));
  }
  by_line(report.findings);
  std::vector<FileReport> reports;
  reports.push_back(std::move(report));
  if (then) reports.push_back(std::move(*then));
  return reports;
}

}  // namespace inspector::check
