// SPDX-License-Identifier: MIT
// The file entry point: staged-file swap, failures, station identifier.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "host_table.hpp"
#include "tarnvale-brelund-source.h"

namespace brelund::testing {
namespace {

std::string forecast_at(const std::string& latitude) {
  return R"(<?xml version="1.0"?><weatherdata><location><location latitude=")" + latitude +
         R"(" longitude="18.9"/><timezone utcoffsetMinutes="60"/></location></weatherdata>)";
}

class ForecastFile : public ::testing::Test {
 protected:
  TempDir dir;
  HostTable table;
};

TEST_F(ForecastFile, StagedFileIsMovedOverTheForecastAndRead) {
  const std::string path = dir.write("ABC.xml", forecast_at("1.0"));
  dir.write("ABC.xml.new", forecast_at("2.0"));

  EXPECT_EQ(get_station_weather_data(path.c_str(), table.get()), 0);
  EXPECT_EQ(field(table.record("location"), "station_latitude"), "2.0");
  EXPECT_FALSE(file_exists(path + ".new"));
  EXPECT_EQ(read_file(path), forecast_at("2.0"));
}

TEST_F(ForecastFile, WithoutStagedFileTheForecastIsRead) {
  const std::string path = dir.write("ABC.xml", forecast_at("1.0"));
  EXPECT_EQ(get_station_weather_data(path.c_str(), table.get()), 0);
  EXPECT_EQ(field(table.record("location"), "station_latitude"), "1.0");
  EXPECT_EQ(field(table.record("location"), "station_time_zone"), "1");
  EXPECT_FALSE(table.contains("forecast"));
}

TEST_F(ForecastFile, FailuresLeaveTheTableUntouched) {
  const std::string good = dir.write("good.xml", forecast_at("1.0"));
  ASSERT_EQ(mkdir((dir.path() + "/dir.xml").c_str(), 0700), 0);
  const struct {
    std::string path;
    int expected;
  } cases[] = {
      {dir.path() + "/missing.xml", -1},
      {dir.path() + "/dir.xml", -1},
      {dir.write("empty.xml", ""), -1},
      {dir.write("broken.xml", "<weatherdata><location></weatherdata>"), -1},
      {dir.write("text.xml", "just some text"), -1},
      {dir.write("error.xml", "<error><message>Not found</message></error>"), -2},
      {dir.write("servererror.xml", "<servererror/>"), -2},
      {dir.write("terror.xml", "<weatherdata_terrible/>"), -2},
      {dir.write("ABC", forecast_at("1.0")), -1},  // no "." in the file name
      {dir.path() + "/dots.d/ABC", -1},            // a "." only in the directory
  };
  ASSERT_EQ(mkdir((dir.path() + "/dots.d").c_str(), 0700), 0);
  dir.write("dots.d/ABC", forecast_at("1.0"));
  for (const auto& c : cases) {
    EXPECT_EQ(get_station_weather_data(c.path.c_str(), table.get()), c.expected) << c.path;
    EXPECT_EQ(table.size(), 0u) << c.path;
  }
  EXPECT_EQ(get_station_weather_data(nullptr, table.get()), -1);
  EXPECT_EQ(get_station_weather_data(good.c_str(), nullptr), -1);
  EXPECT_EQ(table.size(), 0u);
}

TEST_F(ForecastFile, PathWithoutSlashIsReadThenRefused) {
  dir.write("ABC.xml", forecast_at("1.0"));
  dir.write("ABC.xml.new", forecast_at("2.0"));
  char* previous = get_current_dir_name();
  ASSERT_EQ(chdir(dir.path().c_str()), 0);
  const int result = get_station_weather_data("ABC.xml", table.get());
  ASSERT_EQ(chdir(previous), 0);
  free(previous);
  EXPECT_EQ(result, -1);
  EXPECT_EQ(table.size(), 0u);
  EXPECT_EQ(read_file(dir.path() + "/ABC.xml"), forecast_at("2.0"));  // the swap still ran
}

TEST_F(ForecastFile, DirectoryWithDotsIsNotPartOfTheIdentifier) {
  ASSERT_EQ(mkdir((dir.path() + "/.cache").c_str(), 0700), 0);
  const std::string path = dir.write(".cache/ABCD1234.xml", forecast_at("1.0"));
  EXPECT_EQ(get_station_weather_data(path.c_str(), table.get()), 0);
  EXPECT_TRUE(table.contains("location"));
}

// A path of exactly `length` characters under `base`, ending in `suffix`:
// directories of 150 characters, then a padded file name.
std::string path_of_length(const std::string& base, std::size_t length, const std::string& suffix) {
  std::string path = base;
  while (length - path.size() - 1 > 250) {
    path += "/" + std::string(150, 'd');
    mkdir(path.c_str(), 0700);
  }
  const std::size_t name = length - path.size() - 1;
  return path + "/" + std::string(name - suffix.size(), 'n') + suffix;
}

TEST_F(ForecastFile, StagedNameThatWouldNotFitIsNeverRenamed) {
  // 1019 characters: "<path>.new" needs 1023 and would be cut to 1022,
  // naming "<path>.ne", which must not be moved over the forecast.
  const std::string path = path_of_length(dir.path(), 1019, "long.xml");
  ASSERT_EQ(path.size(), 1019u);
  std::ofstream(path) << forecast_at("1.0");
  std::ofstream(path + ".ne") << forecast_at("3.0");
  std::ofstream(path + ".new") << forecast_at("2.0");

  EXPECT_EQ(get_station_weather_data(path.c_str(), table.get()), 0);
  EXPECT_EQ(field(table.record("location"), "station_latitude"), "1.0");
  EXPECT_TRUE(file_exists(path + ".ne"));
  EXPECT_TRUE(file_exists(path + ".new"));
}

TEST_F(ForecastFile, StagedNameThatJustFitsIsSwapped) {
  const std::string path = path_of_length(dir.path(), 1018, "long.xml");
  ASSERT_EQ(path.size(), 1018u);
  std::ofstream(path) << forecast_at("1.0");
  std::ofstream(path + ".new") << forecast_at("2.0");

  EXPECT_EQ(get_station_weather_data(path.c_str(), table.get()), 0);
  EXPECT_EQ(field(table.record("location"), "station_latitude"), "2.0");
  EXPECT_FALSE(file_exists(path + ".new"));
}

}  // namespace
}  // namespace brelund::testing
