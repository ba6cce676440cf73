// SPDX-License-Identifier: MIT
// Findings about the codes the plug-in's tables do not translate, from the
// lookups that missed: each code with how often it was looked up and where
// first. Each lookup writes a "Not found" line; in an open day record the
// code itself is stored in place of a translation.
#include <algorithm>
#include <cctype>
#include <map>

#include "check/families.hpp"
#include "codes/tables.hpp"

namespace inspector::check {
namespace {

// The codes of one table that missed, each with its count and first line.
// A hostile document could name millions: past kMost, the rest are only
// counted.
struct Missed {
  static constexpr std::size_t kMost = 1000;
  std::map<std::string, Item, std::less<>> codes;
  std::size_t others = 0;
  std::size_t lookups = 0;

  void add(const char* key, int line) {
    ++lookups;
    auto at = codes.find(key);
    if (at == codes.end()) {
      if (codes.size() >= kMost) return void(++others);
      at = codes.emplace(key, Item{key, 0, line}).first;
    }
    ++at->second.count;
  }
};

// A name the English texts of the plug-in's own table hold, whatever its
// capitals ("Partly cloudy"): the service's English documents say so.
bool english(const std::string& name) {
  for (const auto& [norwegian, text] : brelund::codes::kDescriptions) {
    const std::string_view known = text;
    if (known.size() == name.size() &&
        std::equal(name.begin(), name.end(), known.begin(), [](char a, char b) {
          return std::tolower(static_cast<unsigned char>(a)) ==
                 std::tolower(static_cast<unsigned char>(b));
        }))
      return true;
  }
  return false;
}

// Each with its count, in the order of their first lookup.
std::string listed(std::vector<Item> items) {
  constexpr std::size_t kShown = 8;
  std::sort(items.begin(), items.end(),
            [](const Item& a, const Item& b) { return a.line < b.line; });
  std::string text;
  for (std::size_t i = 0; i < items.size() && i < kShown; ++i)
    text += std::string(i == 0 ? "" : ", ") + quoted(items[i].text) + " (" +
            std::to_string(items[i].count) + ")";
  if (items.size() > kShown)
    text += " and " + std::to_string(items.size() - kShown) + " more (all of them in --json)";
  return text;
}

void report(Code code, std::vector<Item> items, std::size_t others, const std::string& what,
            std::vector<Finding>& out) {
  if (items.empty() && others == 0) return;
  std::size_t lookups = others;
  int line = 0;
  for (const Item& item : items) {
    lookups += item.count;
    if (line == 0 || item.line < line) line = item.line;
  }
  std::string message = what + " (looked up " + times(lookups, "time") + "): " + listed(items);
  if (others > 0) message += ", and " + std::to_string(others) + " lookups of further codes";
  std::sort(items.begin(), items.end(),
            [](const Item& a, const Item& b) { return a.line < b.line; });
  out.push_back({.code = code,
                 .line = line,
                 .count = lookups,
                 .message = std::move(message),
                 .values = {{"lookups", std::to_string(lookups), true}},
                 .items = std::move(items),
                 .cites = {}});
}

class LookupFamily final : public Family {
 public:
  void missed(readers::Table table, const char* key, int line) override {
    (table == readers::Table::kIcons ? symbols_ : names_).add(key, line);
  }
  void findings(const Ending& ending, std::vector<Finding>& out) override;

 private:
  Missed names_, symbols_;
};

// A document one of whose names is English is an English document: its
// names pass through as the English they are.
void LookupFamily::findings(const Ending& /*ending*/, std::vector<Finding>& out) {
  std::vector<Item> foreign, in_english;
  for (const auto& [name, item] : names_.codes)
    (english(name) ? in_english : foreign).push_back(item);
  const bool english_document = !in_english.empty();
  if (english_document) {
    in_english.insert(in_english.end(), foreign.begin(), foreign.end());
    foreign.clear();
  }
  report(Code::kUntranslatedName, std::move(foreign), english_document ? 0 : names_.others,
         "condition names the plug-in's table does not translate, each shown as it stands", out);
  report(Code::kEnglishName, std::move(in_english), english_document ? names_.others : 0,
         "English condition names, which the plug-in's table (made for the service's Norwegian "
         "names) does not hold: each is shown as it stands",
         out);
  std::vector<Item> symbols;
  for (const auto& [key, item] : symbols_.codes) symbols.push_back(item);
  report(Code::kUntranslatedSymbol, std::move(symbols), symbols_.others,
         "symbol numbers without an icon code: the plug-in stores the table key it looked up "
         "instead",
         out);
}

}  // namespace

std::unique_ptr<Family> lookup_family() { return std::make_unique<LookupFamily>(); }

}  // namespace inspector::check
