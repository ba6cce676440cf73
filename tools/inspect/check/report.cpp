// SPDX-License-Identifier: MIT
#include "check/report.hpp"

#include <json-glib/json-glib.h>

#include "check/events.hpp"
#include "outputs/json.hpp"

namespace inspector::check {
namespace {

std::string stored_words(int result) {
  if (result >= 0) return times(static_cast<std::size_t>(result), "day") + " stored";
  return result == -2 ? "an error document, nothing stored" : "refused, nothing stored";
}

Tally tally_of(const FileReport& report) {
  Tally tally;
  tally.add(report.findings);
  return tally;
}

void member(JsonBuilder* b, const char* name, const std::string& text) {
  json_builder_set_member_name(b, name);
  json_builder_add_string_value(b, text.c_str());
}

void member(JsonBuilder* b, const char* name, gint64 number) {
  json_builder_set_member_name(b, name);
  json_builder_add_int_value(b, number);
}

// A line, or null for none.
void line_member(JsonBuilder* b, const char* name, int line) {
  json_builder_set_member_name(b, name);
  if (line > 0)
    json_builder_add_int_value(b, line);
  else
    json_builder_add_null_value(b);
}

void add_items(JsonBuilder* b, const std::vector<Item>& items) {
  json_builder_begin_array(b);
  for (const Item& item : items) {
    json_builder_begin_object(b);
    member(b, "text", item.text);
    member(b, "count", static_cast<gint64>(item.count));
    line_member(b, "line", item.line);
    json_builder_end_object(b);
  }
  json_builder_end_array(b);
}

const char* where_name(Citation::Where where) {
  switch (where) {
    case Citation::Where::kLocation:
      return "location";
    case Citation::Where::kDay:
      return "forecast";
    case Citation::Where::kElement:
      break;
  }
  return "document";
}

void add_cites(JsonBuilder* b, const std::vector<Citation>& cites) {
  json_builder_begin_array(b);
  for (const Citation& cite : cites) {
    json_builder_begin_object(b);
    member(b, "record", where_name(cite.where));
    if (cite.where == Citation::Where::kDay) member(b, "day", static_cast<gint64>(cite.day));
    if (cite.where != Citation::Where::kElement) member(b, "key", cite.key);
    json_builder_set_member_name(b, cite.where == Citation::Where::kElement ? "text" : "value");
    if (cite.value)
      json_builder_add_string_value(b, cite.value->c_str());
    else
      json_builder_add_null_value(b);
    line_member(b, "line", cite.line);
    member(b, "element", cite.element);
    json_builder_end_object(b);
  }
  json_builder_end_array(b);
}

void add_values(JsonBuilder* b, const Finding& finding) {
  json_builder_set_member_name(b, "values");
  json_builder_begin_object(b);
  for (const Value& value : finding.values) {
    json_builder_set_member_name(b, value.name.c_str());
    if (value.number)  // whole numbers: counts, lines, bytes
      json_builder_add_int_value(b, g_ascii_strtoll(value.text.c_str(), nullptr, 10));
    else
      json_builder_add_string_value(b, value.text.c_str());
  }
  if (!finding.items.empty()) {  // each distinct code, with its count and first line
    json_builder_set_member_name(b, "each");
    add_items(b, finding.items);
  }
  json_builder_end_object(b);
}

void add_finding(JsonBuilder* b, const std::string& file, const Finding& finding) {
  json_builder_begin_object(b);
  member(b, "file", file);
  line_member(b, "line", finding.line);
  member(b, "code", info(finding.code).name);
  member(b, "severity", severity_name(info(finding.code).severity));
  member(b, "count", static_cast<gint64>(finding.count));
  member(b, "message", finding.message);
  add_values(b, finding);
  json_builder_set_member_name(b, "cites");
  add_cites(b, finding.cites);
  json_builder_end_object(b);
}

void add_file(JsonBuilder* b, const FileReport& report) {
  const Tally tally = tally_of(report);
  json_builder_begin_object(b);
  member(b, "file", report.file);
  member(b, "result", report.result);
  member(b, "errors", static_cast<gint64>(tally.errors));
  member(b, "warnings", static_cast<gint64>(tally.warnings));
  member(b, "notes", static_cast<gint64>(tally.notes));
  json_builder_end_object(b);
}

}  // namespace

std::string counted(const Tally& tally) {
  if (!tally.any()) return "no findings";
  std::string text;
  const auto add = [&](std::size_t n, const char* what) {
    if (n > 0) text += (text.empty() ? "" : ", ") + times(n, what);
  };
  add(tally.errors, "error");
  add(tally.warnings, "warning");
  add(tally.notes, "note");
  return text;
}

std::string report_text(const FileReport& report) {
  std::string text;
  for (const Finding& f : report.findings) {
    text += report.file + ":";
    if (f.line > 0) text += std::to_string(f.line) + ":";
    text += std::string(" ") + severity_name(info(f.code).severity) + ": " + f.message;
    text += std::string(" [") + info(f.code).name + "]\n";
  }
  return text + report.file + ": " + stored_words(report.result) + "; " +
         counted(tally_of(report)) + "\n";
}

std::string total_text(const std::vector<FileReport>& reports) {
  Tally tally;
  for (const FileReport& report : reports) tally.add(report.findings);
  return times(reports.size(), "file") + " checked: " + counted(tally) + "\n";
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
  for (const FileReport& report : reports) add_file(b, report);
  json_builder_end_array(b);
  json_builder_end_object(b);
  return pretty_json(b);
}

}  // namespace inspector::check
