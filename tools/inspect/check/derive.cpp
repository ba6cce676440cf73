// SPDX-License-Identifier: MIT
#include "check/derive.hpp"

#include <algorithm>
#include <iterator>

namespace inspector::check {

std::vector<Finding> findings_of(const Stored& stored, const Facts& facts,
                                 const NotFound& not_found) {
  std::vector<Finding> findings;
  document_findings(stored, facts, findings);
  day_findings(stored, facts, findings);
  code_findings(facts, not_found, findings);
  std::stable_sort(findings.begin(), findings.end(),
                   [](const Finding& a, const Finding& b) { return a.line < b.line; });
  return findings;
}

std::string why_no_days(const std::vector<Finding>& findings) {
  for (const Finding& finding : findings) {
    if (finding.code == Code::kHourByHour)
      return "an hour-by-hour forecast: its time elements have no period";
    if (finding.code == Code::kDroppedDay) return "no day record reached its period 3";
  }
  return {};
}

const char* code_name(Code code) {
  static constexpr const char* kNames[] = {
      "refused",           "error-document",      "long-path",           "no-location",
      "no-forecast",       "hour-by-hour",        "time-without-period", "partial-day",
      "same-date",         "dropped-day",         "no-temperature",      "unset-temperature",
      "sun-elsewhere",     "wind-decimals",       "wind-overflow",       "zone-not-whole-hours",
      "untranslated-name", "untranslated-symbol", "not-a-number",        "null-value",
      "value-left-out"};
  static_assert(std::size(kNames) == static_cast<std::size_t>(Code::kValueLeftOut) + 1);
  return kNames[static_cast<std::size_t>(code)];
}

}  // namespace inspector::check
