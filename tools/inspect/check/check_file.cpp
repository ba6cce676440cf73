// SPDX-License-Identifier: MIT
#include "check/check_file.hpp"

#include <algorithm>

#include "check/derive.hpp"
#include "check/document_facts.hpp"
#include "host/file_names.hpp"
#include "host/forecast_read.hpp"
#include "host/station_data.hpp"
#include "sources/file_stream.hpp"

namespace inspector::check {
namespace {

Finding refused(const Refusal& refusal) {
  return {Code::kRefused,
          refusal.line,
          1,
          "the plug-in refuses the file and stores nothing (-1): " + refusal.why,
          {{"why", refusal.why}},
          {}};
}

Finding error_document() {
  return {Code::kErrorDocument,
          0,
          1,
          "an error document from the forecast service (its root element's name contains "
          "\"err\"): the plug-in stores nothing (-2)",
          {},
          {}};
}

Finding long_path(std::size_t length) {
  return {Code::kLongPath,
          0,
          1,
          "a path of " + std::to_string(length) +
              " bytes: the plug-in forms no staged name this long, so no staged \".new\" file is "
              "ever swapped in for it",
          {{"bytes", std::to_string(length), true}},
          {}};
}

}  // namespace

std::vector<Finding> findings_after(const std::string& file, const Stored& stored,
                                    const NotFound& not_found) {
  DocumentFacts document;
  brelund::sources::read_file(as_file(file).c_str(), document);
  return findings_of(stored, document.facts(), not_found);
}

FileReport check_file(const Plugin& plugin, const std::string& file) {
  FileReport report{file, 0, {}};
  StationData station(plugin);
  const ForecastRead read = read_forecast(plugin, file, station, Reading::kUnchanged);
  report.result = read.result;
  if (read.result == -1)
    report.findings.push_back(refused(read.refusal));
  else if (read.result == -2)
    report.findings.push_back(error_document());
  else
    report.findings = findings_after(file, Stored(station.get()), read.not_found);
  if (as_file(file).size() >= kUnstagedPathLength)
    report.findings.insert(report.findings.begin(), long_path(as_file(file).size()));
  std::stable_sort(report.findings.begin(), report.findings.end(),
                   [](const Finding& a, const Finding& b) { return a.line < b.line; });
  return report;
}

}  // namespace inspector::check
