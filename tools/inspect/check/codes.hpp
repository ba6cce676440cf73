// SPDX-License-Identifier: MIT
// The check's codes: each with its stable name and its severity, in one
// table (codes.cpp). docs/checks.md explains each, in the same order.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace inspector::check {

enum class Code {
  // The file.
  kRefused,
  kErrorDocument,
  kLongPath,
  kStagedFile,
  kStagedBreaks,
  kPluginDiffers,
  // The document as a whole.
  kNoLocation,
  kNoForecast,
  kHourByHour,
  kEmptyForecast,
  kNoDays,
  kLocationReplaced,
  kLocationIncomplete,
  kObservationsUnread,
  kSunElsewhere,
  kSunSomeDays,
  // Day records.
  kTimeWithoutPeriod,
  kOutsideDay,
  kUnknownPeriod,
  kRepeatedPeriod,
  kPartialDay,
  kSameDate,
  kDateMissing,
  kDateUnparsed,
  kDroppedDay,
  kNoTemperature,
  // Values.
  kValueNotUsed,
  kAmountNotUsed,
  kTemperatureDecimals,
  kUnsetTemperature,
  kNotANumber,
  kNullValue,
  kValueLeftOut,
  // Units.
  kWindDecimals,
  kWindOverflow,
  kNegativeWind,
  kZoneNotWholeHours,
  // Code tables.
  kUntranslatedName,
  kEnglishName,
  kUntranslatedSymbol,
};

// As compilers print them: an error where nothing is stored, a warning
// where data is lost or changed, a note where it is harmless.
enum class Severity { kError, kWarning, kNote };

struct CodeInfo {
  Code code;
  const char* name;  // "partial-day"
  Severity severity;
};

// Every code, in the order above.
std::size_t code_count();
const CodeInfo& info(Code code);
const CodeInfo& info_at(std::size_t index);
std::optional<Code> code_named(std::string_view name);

const char* severity_name(Severity severity);  // "error", "warning", "note"

}  // namespace inspector::check
