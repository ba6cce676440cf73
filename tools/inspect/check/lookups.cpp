// SPDX-License-Identifier: MIT
// Findings about the codes the plug-in's tables do not translate: each code
// the stored day records hold in place of a translation, with how often
// and where first. Every lookup that misses writes a "Not found" line,
// also where nothing is stored (outside any day record, in one dropped):
// those lines are counted, for programs.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>

#include "check/families.hpp"
#include "codes/tables.hpp"
#include "records/day_record.hpp"

namespace inspector::check {
namespace {

// The codes stored in place of a translation, each with its count and
// first line.
// A hostile document could name millions: past kMost, the rest are only
// counted.
struct Missed {
  static constexpr std::size_t kMost = 1000;
  std::map<std::string, Item, std::less<>> codes;
  std::size_t others = 0;

  void add(const std::string& key, int line) {
    auto at = codes.find(key);
    if (at == codes.end()) {
      if (codes.size() >= kMost) return void(++others);
      at = codes.emplace(key, Item{key, 0, line}).first;
    }
    ++at->second.count;
    if (line < at->second.line) at->second.line = line;
  }
};

// A name the English texts of the plug-in's own table hold, whatever its
// capitals ("Partly cloudy"): the service's English documents say so. A
// name with letters beyond ASCII ("Tåke") is none.
bool english(const std::string& name) {
  for (const char c : name)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
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

// `lookups`: the "Not found" lines of that table, stored or not.
void report(Code code, std::vector<Item> items, std::size_t others, std::size_t lookups,
            const std::string& what, std::vector<Finding>& out) {
  if (items.empty() && others == 0) return;
  std::size_t stored = others;
  int line = 0;
  for (const Item& item : items) {
    stored += item.count;
    if (line == 0 || item.line < line) line = item.line;
  }
  std::string message = what + " (" + times(stored, "value") + " stored so): " + listed(items);
  if (others > 0) message += ", and " + std::to_string(others) + " values of further codes";
  std::sort(items.begin(), items.end(),
            [](const Item& a, const Item& b) { return a.line < b.line; });
  out.push_back({.code = code,
                 .line = line,
                 .count = stored,
                 .message = std::move(message),
                 .values = {{"stored", std::to_string(stored), true},
                            {"not_found_lines", std::to_string(lookups), true}},
                 .items = std::move(items),
                 .cites = {}});
}

bool is_key(const char* key, const char* day, const char* night) {
  return std::strcmp(key, day) == 0 || std::strcmp(key, night) == 0;
}

class LookupFamily final : public Family {
 public:
  void missed(readers::Table table, const char* /*key*/, int /*line*/) override {
    ++(table == readers::Table::kIcons ? symbol_lookups_ : name_lookups_);
  }
  void day(const DaySeen& day) override;
  void findings(const Ending& ending, std::vector<Finding>& out) override;

 private:
  Missed names_, symbols_;  // as stored
  std::size_t name_lookups_ = 0, symbol_lookups_ = 0;
};

void LookupFamily::day(const DaySeen& day) {
  using brelund::records::kDayHalf;
  using brelund::records::kNightHalf;
  for (const Placed& value : day.values) {
    if (!value.untranslated || !value.text) continue;
    if (is_key(value.key, kDayHalf.title, kNightHalf.title)) names_.add(*value.text, value.line);
    if (is_key(value.key, kDayHalf.icon, kNightHalf.icon)) symbols_.add(*value.text, value.line);
  }
}

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
         name_lookups_,
         "condition names the plug-in's table does not translate, each shown as it stands", out);
  report(Code::kEnglishName, std::move(in_english), english_document ? names_.others : 0,
         name_lookups_,
         "English condition names, which the plug-in's table (made for the service's Norwegian "
         "names) does not hold: each is shown as it stands",
         out);
  std::vector<Item> symbols;
  for (const auto& [key, item] : symbols_.codes) symbols.push_back(item);
  report(Code::kUntranslatedSymbol, std::move(symbols), symbols_.others, symbol_lookups_,
         "symbol numbers without an icon code: the plug-in stores the table key it looked up "
         "instead",
         out);
}

}  // namespace

std::unique_ptr<Family> lookup_family() { return std::make_unique<LookupFamily>(); }

}  // namespace inspector::check
