// SPDX-License-Identifier: MIT
#include "check/codes.hpp"

#include <array>

namespace inspector::check {
namespace {

using enum Severity;

constexpr std::array kCodes = {
    CodeInfo{Code::kRefused, "refused", kError},
    CodeInfo{Code::kErrorDocument, "error-document", kError},
    CodeInfo{Code::kLongPath, "long-path", kWarning},
    CodeInfo{Code::kStagedFile, "staged-file", kNote},
    CodeInfo{Code::kStagedBreaks, "staged-breaks", kError},
    CodeInfo{Code::kPluginDiffers, "plugin-differs", kWarning},
    CodeInfo{Code::kNoLocation, "no-location", kWarning},
    CodeInfo{Code::kNoForecast, "no-forecast", kError},
    CodeInfo{Code::kHourByHour, "hour-by-hour", kError},
    CodeInfo{Code::kEmptyForecast, "empty-forecast", kError},
    CodeInfo{Code::kNoDays, "no-days", kError},
    CodeInfo{Code::kLocationReplaced, "location-replaced", kWarning},
    CodeInfo{Code::kLocationIncomplete, "location-incomplete", kWarning},
    CodeInfo{Code::kObservationsUnread, "observations-unread", kNote},
    CodeInfo{Code::kSunElsewhere, "sun-elsewhere", kWarning},
    CodeInfo{Code::kSunSomeDays, "sun-some-days", kNote},
    CodeInfo{Code::kTimeWithoutPeriod, "time-without-period", kWarning},
    CodeInfo{Code::kOutsideDay, "outside-day", kWarning},
    CodeInfo{Code::kUnknownPeriod, "unknown-period", kWarning},
    CodeInfo{Code::kRepeatedPeriod, "repeated-period", kWarning},
    CodeInfo{Code::kPartialDay, "partial-day", kNote},
    CodeInfo{Code::kSameDate, "same-date", kWarning},
    CodeInfo{Code::kDateMissing, "date-missing", kWarning},
    CodeInfo{Code::kDateUnparsed, "date-unparsed", kWarning},
    CodeInfo{Code::kDroppedDay, "dropped-day", kWarning},
    CodeInfo{Code::kNoTemperature, "no-temperature", kNote},
    CodeInfo{Code::kValueNotUsed, "value-not-used", kNote},
    CodeInfo{Code::kAmountNotUsed, "amount-not-used", kWarning},
    CodeInfo{Code::kTemperatureDecimals, "temperature-decimals", kWarning},
    CodeInfo{Code::kUnsetTemperature, "unset-temperature", kWarning},
    CodeInfo{Code::kNotANumber, "not-a-number", kWarning},
    CodeInfo{Code::kNullValue, "null-value", kWarning},
    CodeInfo{Code::kValueLeftOut, "value-left-out", kNote},
    CodeInfo{Code::kWindDecimals, "wind-decimals", kWarning},
    CodeInfo{Code::kWindOverflow, "wind-overflow", kWarning},
    CodeInfo{Code::kNegativeWind, "negative-wind", kWarning},
    CodeInfo{Code::kZoneNotWholeHours, "zone-not-whole-hours", kWarning},
    CodeInfo{Code::kUntranslatedName, "untranslated-name", kWarning},
    CodeInfo{Code::kEnglishName, "english-name", kNote},
    CodeInfo{Code::kUntranslatedSymbol, "untranslated-symbol", kWarning},
};

constexpr bool in_order() {
  for (std::size_t i = 0; i < kCodes.size(); ++i)
    if (static_cast<std::size_t>(kCodes[i].code) != i) return false;
  return true;
}
static_assert(in_order(), "the table lists every code in the enum's order");
static_assert(kCodes.back().code == Code::kUntranslatedSymbol, "and none is missing at the end");

}  // namespace

std::size_t code_count() { return kCodes.size(); }

const CodeInfo& info(Code code) { return kCodes[static_cast<std::size_t>(code)]; }

const CodeInfo& info_at(std::size_t index) { return kCodes[index]; }

std::optional<Code> code_named(std::string_view name) {
  for (const CodeInfo& code : kCodes)
    if (name == code.name) return code.code;
  return std::nullopt;
}

const char* severity_name(Severity severity) {
  switch (severity) {
    case Severity::kError:
      return "error";
    case Severity::kWarning:
      return "warning";
    case Severity::kNote:
      return "note";
  }
  return "note";
}

}  // namespace inspector::check
