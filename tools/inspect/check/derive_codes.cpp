// SPDX-License-Identifier: MIT
// Findings about the codes the plug-in's tables do not translate: each
// distinct one with its count (the "Not found" lines the plug-in wrote) and
// the line where the document first names it.
#include <algorithm>

#include "check/derive.hpp"

namespace inspector::check {
namespace {

// The symbol number of an icon key ("day16", "night16"), or empty.
std::string number_of(const std::string& key) {
  for (const char* half : {"day", "night"}) {
    const std::string prefix = half;
    if (key.compare(0, prefix.size(), prefix) == 0) return key.substr(prefix.size());
  }
  return {};
}

// Each with its count, unless there is one: the finding's count says it.
std::string listed(const std::vector<Item>& items) {
  constexpr std::size_t kShown = 8;
  std::string text;
  for (std::size_t i = 0; i < items.size() && i < kShown; ++i) {
    text += std::string(i == 0 ? "" : ", ") + "\"" + items[i].text + "\"";
    if (items.size() > 1) text += " (" + std::to_string(items[i].count) + ")";
  }
  if (items.size() > kShown)
    text += " and " + std::to_string(items.size() - kShown) + " more (all of them in --json)";
  return text;
}

Finding finding_of(Code code, std::vector<Item> items, const char* what) {
  std::sort(items.begin(), items.end(),
            [](const Item& a, const Item& b) { return a.line < b.line; });
  std::size_t lines = 0;
  for (const Item& item : items) lines += item.count;
  Finding finding{code, items.front().line, lines, {}, {}, std::move(items)};
  finding.message = std::string(what) + listed(finding.items);
  finding.values.push_back({"not_found_lines", std::to_string(lines), true});
  return finding;
}

}  // namespace

void code_findings(const Facts& facts, const NotFound& not_found, std::vector<Finding>& out) {
  std::vector<Item> names, symbols;
  for (const auto& [code, count] : not_found.by_code) {
    const std::string number = number_of(code);
    if (!facts.names.has(code) && !number.empty() && facts.numbers.has(number))
      symbols.push_back({code, count, facts.numbers.line_of(number)});
    else
      names.push_back({code, count, facts.names.line_of(code)});
  }
  if (not_found.others > 0) names.push_back({"(others)", not_found.others, 0});
  if (!names.empty())
    out.push_back(
        finding_of(Code::kUntranslatedName, std::move(names),
                   "condition names not in the plug-in's table: each lookup writes a "
                   "\"Not found\" line, and an open day record stores the name as it is: "));
  if (!symbols.empty())
    out.push_back(
        finding_of(Code::kUntranslatedSymbol, std::move(symbols),
                   "symbol numbers without an icon code: each lookup writes a \"Not "
                   "found\" line, and an open day record stores the table key instead: "));
}

}  // namespace inspector::check
