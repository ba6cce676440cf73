// SPDX-License-Identifier: MIT
#include "check/report.hpp"

#include <json-glib/json-glib.h>

#include "outputs/json.hpp"

namespace inspector::check {
namespace {

std::string summary(const FileReport& report) {
  std::string stored = report.result == 1    ? "1 day stored"
                       : report.result >= 0  ? std::to_string(report.result) + " days stored"
                       : report.result == -2 ? "an error document, nothing stored"
                                             : "refused, nothing stored";
  return report.file + ": " + stored + ", " + findings_counted(report.findings.size()) + "\n";
}

void add_items(JsonBuilder* b, const Finding& finding) {
  json_builder_begin_array(b);
  for (const Item& item : finding.items) {
    json_builder_begin_object(b);
    json_builder_set_member_name(b, "text");
    json_builder_add_string_value(b, item.text.c_str());
    json_builder_set_member_name(b, "count");
    json_builder_add_int_value(b, static_cast<gint64>(item.count));
    json_builder_set_member_name(b, "line");
    if (item.line > 0)
      json_builder_add_int_value(b, item.line);
    else
      json_builder_add_null_value(b);
    json_builder_end_object(b);
  }
  json_builder_end_array(b);
}

void add_finding(JsonBuilder* b, const std::string& file, const Finding& finding) {
  json_builder_begin_object(b);
  json_builder_set_member_name(b, "file");
  json_builder_add_string_value(b, file.c_str());
  json_builder_set_member_name(b, "line");
  if (finding.line > 0)
    json_builder_add_int_value(b, finding.line);
  else
    json_builder_add_null_value(b);
  json_builder_set_member_name(b, "code");
  json_builder_add_string_value(b, code_name(finding.code));
  json_builder_set_member_name(b, "count");
  json_builder_add_int_value(b, static_cast<gint64>(finding.count));
  json_builder_set_member_name(b, "message");
  json_builder_add_string_value(b, finding.message.c_str());
  json_builder_set_member_name(b, "values");
  json_builder_begin_object(b);
  for (const Value& value : finding.values) {
    json_builder_set_member_name(b, value.name.c_str());
    if (value.number)  // whole numbers: counts, lines, km/h
      json_builder_add_int_value(b, g_ascii_strtoll(value.text.c_str(), nullptr, 10));
    else
      json_builder_add_string_value(b, value.text.c_str());
  }
  if (!finding.items.empty()) {  // each distinct code, with its count and first line
    json_builder_set_member_name(b, "each");
    add_items(b, finding);
  }
  json_builder_end_object(b);
  json_builder_end_object(b);
}

}  // namespace

std::string findings_counted(std::size_t count) {
  if (count == 0) return "no findings";
  return std::to_string(count) + (count == 1 ? " finding" : " findings");
}

std::string report_text(const FileReport& report) {
  std::string text;
  for (const Finding& f : report.findings) {
    text += report.file + ":";
    if (f.line > 0) text += std::to_string(f.line) + ":";
    text += " " + f.message;
    if (f.count > 1) text += " (" + std::to_string(f.count) + " times)";
    text += std::string(" [") + code_name(f.code) + "]\n";
  }
  return text + summary(report);
}

std::string report_json(const std::vector<FileReport>& reports) {
  g_autoptr(JsonBuilder) b = json_builder_new();
  json_builder_begin_object(b);
  json_builder_set_member_name(b, "findings");
  json_builder_begin_array(b);
  for (const FileReport& report : reports)
    for (const Finding& finding : report.findings) add_finding(b, report.file, finding);
  json_builder_end_array(b);
  json_builder_set_member_name(b, "files");
  json_builder_begin_array(b);
  for (const FileReport& report : reports) {
    json_builder_begin_object(b);
    json_builder_set_member_name(b, "file");
    json_builder_add_string_value(b, report.file.c_str());
    json_builder_set_member_name(b, "result");
    json_builder_add_int_value(b, report.result);
    json_builder_set_member_name(b, "findings");
    json_builder_add_int_value(b, static_cast<gint64>(report.findings.size()));
    json_builder_end_object(b);
  }
  json_builder_end_array(b);
  json_builder_end_object(b);
  return pretty_json(b);
}

}  // namespace inspector::check
