// SPDX-License-Identifier: MIT
// --check against what the plug-in stored, on generated documents: every
// stored value a finding cites is the plug-in's value at that key, every
// line a finding gives holds the element it names, and the readers built
// into the inspector store what the plug-in stores.
#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "check/check_file.hpp"
#include "host/forecast_read.hpp"
#include "host/plugin.hpp"
#include "host/station_data.hpp"
#include "host_table.hpp"
#include "model/stored.hpp"
#include "tarnvale-brelund-source.h"

namespace brelund::testing {
namespace {

// Documents with the traits of the service's and of hand-kept copies:
// every period kind and odd ones, missing and unparsable dates, values
// with decimals, signs, no number or no attribute, codes the tables lack,
// several locations, and the root elements the readers skip. One element
// a line, so that a line names its element.
class Generator {
 public:
  explicit Generator(unsigned seed) : random_(seed) {}

  std::string document() {
    std::ostringstream out;
    out << "<weatherdata>\n";
    for (int k = pick(3); k-- > 0;) location(out);
    if (chance(4)) out << "<sun rise=\"2026-12-08T09:10:00\" set=\"2026-12-08T14:20:00\"/>\n";
    if (chance(5)) out << "<observations>\n<temperature value=\"1\"/>\n</observations>\n";
    if (!chance(8)) forecast(out);
    out << "</weatherdata>\n";
    return out.str();
  }

 private:
  int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  bool chance(int one_in) { return pick(one_in) == 0; }
  template <std::size_t N>
  const char* any(const char* const (&texts)[N]) {
    return texts[pick(static_cast<int>(N))];
  }

  void location(std::ostringstream& out) {
    static constexpr const char* kMinutes[] = {"60", "0", "570", "-210", "-330", "abc", "120"};
    out << "<location>\n";
    if (!chance(4)) out << "<timezone utcoffsetMinutes=\"" << any(kMinutes) << "\"/>\n";
    if (chance(6)) out << "<timezone/>\n";
    if (!chance(4))
      out << "<location" << (chance(6) ? "" : " latitude=\"69.6\"")
          << (chance(6) ? "" : " longitude=\"18.9\"") << "/>\n";
    out << "</location>\n";
  }

  void forecast(std::ostringstream& out) {
    static constexpr const char* kPeriods[] = {"0", "1", "2", "3", "0", "1", "2", "3", "4", "01"};
    out << "<forecast>\n<tabular>\n";
    for (int k = 3 + pick(18); k-- > 0;) {
      out << "<time";
      if (!chance(8)) out << " period=\"" << any(kPeriods) << "\"";
      if (!chance(6)) out << " to=\"" << (chance(8) ? "2026-12-09 06:00" : date()) << "\"";
      out << ">\n";
      for (int v = pick(7); v-- > 0;) value(out);
      out << "</time>\n";
    }
    out << "</tabular>\n</forecast>\n";
  }

  std::string date() {
    return "2026-12-" + std::to_string(10 + pick(18)) + "T" + std::to_string(10 + pick(12)) +
           ":00:00";
  }

  void value(std::ostringstream& out) {
    static constexpr const char* kTemperatures[] = {"-3",  "2",  "2.9",        "-0.5",
                                                    "0.9", "x7", "2147483647", "12"};
    static constexpr const char* kNumbers[] = {"3", "1", "15", "16", "03", ""};
    static constexpr const char* kNames[] = {"Skyet", "Regn", "Tåke", "Cloudy", "Lett regn", ""};
    static constexpr const char* kAmounts[] = {"0", "1.2", "8.5", "0.3"};
    static constexpr const char* kSpeeds[] = {"4", "3.9", "10.8", "-3", "600000", "0.2", "5,5"};
    switch (pick(8)) {
      case 0:
        out << "<temperature" << attribute("value", any(kTemperatures)) << "/>\n";
        break;
      case 1:
        out << "<symbol" << attribute("number", any(kNumbers)) << attribute("name", any(kNames))
            << "/>\n";
        break;
      case 2:
        out << "<pressure" << attribute("value", "1012.5") << "/>\n";
        break;
      case 3:
        out << "<precipitation" << attribute("value", any(kAmounts)) << "/>\n";
        break;
      case 4:
        out << "<windSpeed" << attribute("mps", any(kSpeeds)) << "/>\n";
        break;
      case 5:
        out << "<windDirection" << attribute("code", "SSE") << "/>\n";
        break;
      case 6:
        out << "<sunr>09:1" << pick(10) << "</sunr>\n";
        break;
      default:
        out << "<suns>14:2" << pick(10) << "</suns>\n";
        break;
    }
  }

  // Mostly there.
  std::string attribute(const char* name, const char* text) {
    return chance(7) ? "" : std::string(" ") + name + "=\"" + text + "\"";
  }

  std::mt19937 random_;
};

std::vector<std::string> lines_of(const std::string& document) {
  std::vector<std::string> lines{""};  // lines count from 1
  std::istringstream in(document);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class CheckProperty : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string why;
    ASSERT_TRUE(plugin.load(BRELUND_PLUGIN_PATH, why)) << why;
  }

  // What the plug-in stored at a cited key: "<absent>", "<null>" or the text.
  static std::string stored_at(const inspector::Stored& stored,
                               const inspector::check::Citation& c) {
    GHashTable* record = c.where == inspector::check::Citation::Where::kLocation
                             ? stored.location
                             : (c.day < stored.days.size() ? stored.days[c.day] : nullptr);
    gpointer value = nullptr;
    if (record == nullptr || !g_hash_table_lookup_extended(record, c.key.c_str(), nullptr, &value))
      return "<absent>";
    return value != nullptr ? static_cast<const char*>(value) : "<null>";
  }

  inspector::Plugin plugin;
  TempDir dir;
};

TEST_F(CheckProperty, FindingsCiteStoredValuesAndTheirElementsLines) {
  constexpr unsigned kDocuments = 400;
  std::size_t cited = 0;
  for (unsigned seed = 1; seed <= kDocuments; ++seed) {
    const std::string document = Generator(seed).document();
    const std::string path = dir.write("generated.xml", document);
    const std::vector<std::string> lines = lines_of(document);
    inspector::StationData station(plugin);
    const auto read =
        inspector::read_forecast(plugin, path, station, inspector::Reading::kUnchanged);
    const inspector::Stored stored(station.get());
    for (const auto& report : inspector::check::check_file(plugin, path, "generated.xml")) {
      EXPECT_EQ(report.result, read.result) << "seed " << seed;
      for (const auto& finding : report.findings) {
        EXPECT_NE(finding.code, inspector::check::Code::kPluginDiffers)
            << "seed " << seed << ": " << finding.message;
        ASSERT_LT(static_cast<std::size_t>(finding.line), lines.size()) << "seed " << seed;
        for (const auto& cite : finding.cites) {
          ++cited;
          ASSERT_GT(cite.line, 0) << "seed " << seed << ": " << finding.message;
          ASSERT_LT(static_cast<std::size_t>(cite.line), lines.size()) << "seed " << seed;
          EXPECT_NE(lines[static_cast<std::size_t>(cite.line)].find("<" + cite.element),
                    std::string::npos)
              << "seed " << seed << ": line " << cite.line << " holds no " << cite.element << "\n"
              << document;
          if (cite.where == inspector::check::Citation::Where::kElement) continue;
          EXPECT_EQ(stored_at(stored, cite), cite.value.value_or("<null>"))
              << "seed " << seed << ": " << finding.message << "\n"
              << document;
        }
      }
    }
  }
  // The documents do give findings that cite what is stored.
  EXPECT_GT(cited, kDocuments);
}

}  // namespace
}  // namespace brelund::testing
