// SPDX-License-Identifier: MIT
#include "check/events.hpp"

#include <cstdio>
#include <cstring>

#include "tarnvale-brelund-source.h"

namespace inspector::check {
namespace {

const Placed* find(const std::vector<Placed>& values, const char* key) {
  for (const Placed& value : values)
    if (std::strcmp(value.key, key) == 0) return &value;
  return nullptr;
}

}  // namespace

const Placed* DaySeen::value(const char* key) const { return find(values, key); }

std::string DaySeen::name() const {
  const Placed* date = value(BRELUND_KEY_DAY_DATE);
  if (date != nullptr && date->text) return "day record " + quoted(*date->text);
  return "day record " + std::to_string(index + 1);
}

Citation DaySeen::cite(const Placed& value) const {
  return {Citation::Where::kDay, index, value.key, value.text, value.line, value.element};
}

const Placed* LocationSeen::value(const char* key) const { return find(values, key); }

Citation LocationSeen::cite(const Placed& value) {
  return {Citation::Where::kLocation, 0, value.key, value.text, value.line, value.element};
}

bool First::take(int at) {
  if (count++ != 0) return false;
  line = at;
  return true;
}

void First::report(Code code, std::vector<Finding>& out, const char* plural) {
  if (count == 0) return;
  if (plural != nullptr && (count > 1 || at_least))
    message += std::string(" (") + (at_least ? "at least " : "") + std::to_string(count) + " " +
               plural + ")";
  out.push_back({.code = code,
                 .line = line,
                 .count = count,
                 .message = std::move(message),
                 .values = std::move(values),
                 .items = {},
                 .cites = std::move(cites)});
}

void Tally::add(const std::vector<Finding>& findings) {
  for (const Finding& finding : findings) {
    switch (info(finding.code).severity) {
      case Severity::kError:
        ++errors;
        break;
      case Severity::kWarning:
        ++warnings;
        break;
      case Severity::kNote:
        ++notes;
        break;
    }
  }
}

// Control characters escaped, so that a finding stays on its line.
std::string quoted(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    switch (c) {
      case '"':
      case '\\':
        (out += '\\') += c;
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char hex[8];
          std::snprintf(hex, sizeof hex, "\\x%02x", static_cast<unsigned>(c));
          out += hex;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

std::string shown(const std::optional<std::string>& text) { return text ? quoted(*text) : "null"; }

std::string decimal(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

std::string period_name(readers::PeriodKind kind) {
  return "period " + std::to_string(static_cast<int>(kind));
}

std::string times(std::size_t count, const char* what) {
  return std::to_string(count) + " " + what + (count == 1 ? "" : "s");
}

}  // namespace inspector::check
