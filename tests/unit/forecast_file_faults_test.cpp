// SPDX-License-Identifier: MIT
// File-system faults around the staged-file swap and the read: the old
// forecast survives and is read, unusable paths give -1, nothing blocks.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>

#include "entry/station_name.hpp"
#include "host_table.hpp"
#include "sources/file_stream.hpp"
#include "tarnvale-brelund-source.h"

namespace brelund::testing {
namespace {

std::string forecast_at(const std::string& latitude) {
  return R"(<weatherdata><location><location latitude=")" + latitude +
         R"("/></location></weatherdata>)";
}

// Root reads and renames whatever the permission bits say (CI runs as root).
bool permissions_bind() { return geteuid() != 0; }

class Faults : public ::testing::Test {
 protected:
  // Reads `path` into a fresh table; the latitude read, or the result code.
  std::string read(const std::string& path) {
    HostTable table;
    const int result = get_station_weather_data(path.c_str(), table.get());
    if (result < 0) {
      EXPECT_EQ(table.size(), 0u) << path;
      return std::to_string(result);
    }
    return field(table.record("location"), "station_latitude");
  }

  TempDir dir;
};

TEST_F(Faults, StagedFileThatCannotBeMovedLeavesTheForecastToBeRead) {
  const std::string path = dir.write("ABC.xml", forecast_at("old"));
  const std::string staged = path + ".new";

  // A dangling symbolic link is unreadable to everyone.
  ASSERT_EQ(symlink((dir.path() + "/nowhere.xml").c_str(), staged.c_str()), 0);
  EXPECT_EQ(read(path), "old");
  EXPECT_TRUE(std::filesystem::is_symlink(staged));
  std::filesystem::remove(staged);

  // A directory passes the readability test but cannot replace a file.
  ASSERT_EQ(mkdir(staged.c_str(), 0700), 0);
  EXPECT_EQ(read(path), "old");
  EXPECT_TRUE(std::filesystem::is_directory(staged));
  std::filesystem::remove(staged);

  // Without read permission the staged file stays where it is.
  dir.write("ABC.xml.new", forecast_at("new"));
  ASSERT_EQ(chmod(staged.c_str(), 0), 0);
  const std::string result = read(path);
  if (permissions_bind()) {
    EXPECT_EQ(result, "old");
    EXPECT_TRUE(file_exists(staged));
  }
}

TEST_F(Faults, FailedRenameInReadOnlyDirectoryReadsTheOldFile) {
  ASSERT_EQ(mkdir((dir.path() + "/ro").c_str(), 0700), 0);
  const std::string path = dir.write("ro/ABC.xml", forecast_at("old"));
  dir.write("ro/ABC.xml.new", forecast_at("new"));
  ASSERT_EQ(chmod((dir.path() + "/ro").c_str(), 0500), 0);
  const std::string result = read(path);
  if (!permissions_bind()) GTEST_SKIP() << "root renames in a read-only directory";
  EXPECT_EQ(result, "old");
  EXPECT_TRUE(file_exists(path + ".new"));
}

TEST_F(Faults, ForecastPathsThatAreNotRegularFilesGiveMinusOneWithoutBlocking) {
  const std::string real = dir.write("real.xml", forecast_at("1"));
  const auto link = [&](const std::string& target, const std::string& name) {
    const std::string at = dir.path() + "/" + name;
    EXPECT_EQ(symlink(target.c_str(), at.c_str()), 0);
    return at;
  };
  EXPECT_EQ(read(link(real, "link.xml")), "1");
  EXPECT_EQ(read(link(dir.path() + "/nowhere.xml", "dangling.xml")), "-1");
  EXPECT_EQ(read(link(dir.path() + "/loop.xml", "loop.xml")), "-1");
  EXPECT_EQ(read(real + "/inside.xml"), "-1");  // a file used as a directory

  // Opening a FIFO for reading would wait for a writer forever.
  const std::string fifo = dir.path() + "/fifo.xml";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(read(fifo), "-1");
  EXPECT_EQ(read(link(fifo, "to-fifo.xml")), "-1");
  // A staged FIFO is moved in like any staged file, then refused.
  const std::string path = dir.write("staged.xml", forecast_at("old"));
  ASSERT_EQ(mkfifo((path + ".new").c_str(), 0600), 0);
  EXPECT_EQ(read(path), "-1");
  EXPECT_FALSE(file_exists(path + ".new"));

  EXPECT_EQ(read("/dev/null"), "-1");
}

TEST_F(Faults, FileNamesAndTrailingSlashes) {
  EXPECT_EQ(read(dir.write("a.b.c.xml", forecast_at("dots"))), "dots");
  EXPECT_EQ(read(dir.write(".xml", forecast_at("hidden"))), "hidden");
  EXPECT_EQ(read(dir.write("ABC.", forecast_at("trailing"))), "trailing");
  EXPECT_EQ(read(dir.write("ABC", forecast_at("none"))), "-1");

  const std::string file = dir.write("file.xml", forecast_at("1"));
  EXPECT_EQ(read(file + "/"), "-1");
  // A directory named like a forecast, with a staged file inside it that
  // "<path>.new" names when the path ends in "/".
  ASSERT_EQ(mkdir((dir.path() + "/dir.xml").c_str(), 0700), 0);
  const std::string staged = dir.write("dir.xml/.new", forecast_at("2"));
  EXPECT_EQ(read(dir.path() + "/dir.xml/"), "-1");
  EXPECT_TRUE(file_exists(staged));
  EXPECT_TRUE(std::filesystem::is_directory(dir.path() + "/dir.xml"));
}

// The checks the inspector shares, on their own: why a path cannot be read
// (errno telling more), and whether it names a station as far as the work
// buffer holds its file name.
TEST_F(Faults, FileFaultsAndStationNames) {
  using sources::FileFault;
  const std::string real = dir.write("real.xml", forecast_at("1"));
  EXPECT_EQ(sources::file_fault(real.c_str()), FileFault::kNone);
  errno = 0;
  EXPECT_EQ(sources::file_fault((dir.path() + "/missing.xml").c_str()), FileFault::kUnreadable);
  EXPECT_EQ(errno, ENOENT);
  EXPECT_EQ(sources::file_fault(dir.path().c_str()), FileFault::kNotRegularFile);
  EXPECT_EQ(sources::file_fault("/dev/null"), FileFault::kNotRegularFile);
  EXPECT_EQ(sources::file_fault(nullptr), FileFault::kUnreadable);
  if (permissions_bind()) {
    ASSERT_EQ(chmod(real.c_str(), 0), 0);
    EXPECT_EQ(sources::file_fault(real.c_str()), FileFault::kUnreadable);
    EXPECT_EQ(errno, EACCES);
  }

  EXPECT_TRUE(entry::names_station("/a/ABC.xml"));
  EXPECT_TRUE(entry::names_station("./.xml"));
  EXPECT_FALSE(entry::names_station("ABC.xml"));
  EXPECT_FALSE(entry::names_station("/dots.d/ABC"));
  EXPECT_FALSE(entry::names_station(nullptr));
  EXPECT_TRUE(entry::names_station(("/" + std::string(1021, 'n') + ".xml").c_str()));
  EXPECT_FALSE(entry::names_station(("/" + std::string(1022, 'n') + ".xml").c_str()));
}

// A path of exactly `length` characters under `base`: directories of 200
// characters, then a padded file name.
std::string path_of_length(const std::string& base, std::size_t length) {
  std::string path = base;
  while (length - path.size() - 1 > 250) {
    path += "/" + std::string(200, 'd');
    mkdir(path.c_str(), 0700);
  }
  return path + "/" + std::string(length - path.size() - 5, 'n') + ".xml";
}

TEST_F(Faults, PathsAtAndBeyondTheWorkBuffer) {
  for (const std::size_t length : {1022u, 1023u, 1024u, 1025u, 2000u, 4000u}) {
    SCOPED_TRACE(length);
    const std::string path = path_of_length(dir.path(), length);
    ASSERT_EQ(path.size(), length);
    std::ofstream(path) << forecast_at("1");
    std::ofstream(path + ".new") << forecast_at("2");
    // Too long for "<path>.new" to be formed: no swap, but the file is read.
    EXPECT_EQ(read(path), "1");
    EXPECT_TRUE(file_exists(path + ".new"));
  }
  // Longer than the system takes.
  EXPECT_EQ(read(dir.path() + "/" + std::string(5000, 'x') + ".xml"), "-1");
}

}  // namespace
}  // namespace brelund::testing
