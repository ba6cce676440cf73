// SPDX-License-Identifier: MIT
// Whole documents through the plug-in, compared with recorded results: the
// station data (in the host table's own iteration order), every line on
// standard error, the result and LC_TIME afterwards. Changes that should
// not alter any output, such as speed work, must leave these unchanged.
//
// tests/golden/<name>.xml and examples/<name>.xml are read as the host reads
// them (a forecast through get_station_weather_data, a name with "hourly" in
// it through parse_xml_detail_data) and tests/golden/<name>.expected holds
// the result. To record results after a
// deliberate change: BRELUND_UPDATE_GOLDEN=1 build/dev/tests/brelund_tests
// --gtest_filter='Golden*', then review the diff.
#include <gtest/gtest.h>
#include <libxml/parser.h>

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "holders.hpp"
#include "host_table.hpp"
#include "locale_environment.hpp"
#include "tarnvale-brelund-source.h"

namespace brelund::testing {
namespace {

namespace fs = std::filesystem;

fs::path tests_dir() { return fs::path(__FILE__).parent_path().parent_path(); }

class Golden : public ::testing::Test {
 protected:
  // One document read under the environment locale `environment`, starting
  // from LC_TIME "C.UTF-8".
  static std::string run(const fs::path& document, const char* environment) {
    setenv("LC_ALL", environment, 1);
    std::setlocale(LC_TIME, "C.UTF-8");
    std::ostringstream out;
    out << "== LC_ALL=" << environment << "\n";
    HostTable table;
    TempDir dir;
    const bool hourly = document.filename().string().find("hourly") != std::string::npos;
    int result = 0;
    ::testing::internal::CaptureStderr();
    if (hourly) {
      const XmlPtr<xmlDoc> doc(xmlReadFile(document.c_str(), nullptr, 0));
      result = parse_xml_detail_data("golden", xmlDocGetRootElement(doc.get()), table.get());
    } else {
      const std::string path = dir.write(document.filename().string(), read_file(document));
      result = get_station_weather_data(path.c_str(), table.get());
    }
    const std::string said = ::testing::internal::GetCapturedStderr();
    out << "result " << result << "\nLC_TIME after " << std::setlocale(LC_TIME, nullptr)
        << "\nstderr\n"
        << said << "station data\n"
        << dump_station_data(table);
    return out.str();
  }

  LocaleEnvironment saved_;
};

TEST_F(Golden, DocumentsGiveTheRecordedResults) {
  std::vector<fs::path> documents;
  for (const fs::path& dir : {tests_dir() / "golden", tests_dir().parent_path() / "examples"})
    for (const auto& entry : fs::directory_iterator(dir))
      if (entry.path().extension() == ".xml") documents.push_back(entry.path());
  std::sort(documents.begin(), documents.end());
  ASSERT_FALSE(documents.empty());
  // The results were recorded with the German locale installed.
  if (!locale_installed("de_DE.UTF-8"))
    GTEST_SKIP() << "de_DE.UTF-8 is not installed (scripts/setup-debian)";
  const bool update = std::getenv("BRELUND_UPDATE_GOLDEN") != nullptr;
  for (const fs::path& document : documents) {
    std::string actual;
    for (const char* environment : {"C", "de_DE.UTF-8", "xx_YY.UTF-8"})
      actual += run(document, environment);
    const fs::path expected_path =
        tests_dir() / "golden" / document.filename().replace_extension(".expected");
    if (update) {
      std::ofstream(expected_path, std::ios::binary) << actual;
      continue;
    }
    ASSERT_TRUE(fs::exists(expected_path)) << expected_path;
    EXPECT_EQ(actual, read_file(expected_path)) << document.filename();
  }
}

}  // namespace
}  // namespace brelund::testing
