// SPDX-License-Identifier: MIT
#include "picture/values.hpp"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "model/stored.hpp"
#include "readers/numbers.hpp"

namespace inspector::plot {
namespace {

// Beyond this no weather value lies; such text is shown as absent rather
// than letting it squash every real value into one pixel row.
constexpr double kLargest = 1e9;

}  // namespace

std::optional<double> number_at(GHashTable* record, const char* key) {
  const char* text = text_at(record, key);
  if (text == nullptr) return std::nullopt;
  while (g_ascii_isspace(*text)) ++text;
  if (*text == '\0') return std::nullopt;
  char* end = nullptr;
  const double value = g_ascii_strtod(text, &end);
  while (end != nullptr && g_ascii_isspace(*end)) ++end;
  if (end == text || end == nullptr || *end != '\0') return std::nullopt;
  if (!std::isfinite(value) || std::fabs(value) > kLargest) return std::nullopt;
  if (value >= brelund::readers::kUnsetTemperature) return std::nullopt;
  return value;
}

std::optional<double> bearing_of(const char* code) {
  static constexpr const char* kPoints[] = {"N", "NNE", "NE", "ENE", "E", "ESE", "SE", "SSE",
                                            "S", "SSW", "SW", "WSW", "W", "WNW", "NW", "NNW"};
  if (code == nullptr) return std::nullopt;
  for (std::size_t i = 0; i < std::size(kPoints); ++i)
    if (std::strcmp(code, kPoints[i]) == 0) return 22.5 * static_cast<double>(i);
  return std::nullopt;
}

std::string format(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value + 0.0);
  return std::strcmp(text, "-0") == 0 ? "0" : text;
}

// Built forwards: g++ 12 warns falsely (-Wrestrict) about inserting into the
// string in an optimised build.
std::string thousands(std::size_t count) {
  const std::string digits = std::to_string(count);
  std::string grouped;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  return grouped;
}

}  // namespace inspector::plot
