// SPDX-License-Identifier: MIT
// Weekday names and dates through locale objects, with LC_TIME set once when
// the read is handed over, give the texts, and leave LC_TIME, exactly as
// switching the process's locale around every step does.
#include "readers/day_dates.hpp"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "holders.hpp"
#include "locale_environment.hpp"
#include "records/station_update.hpp"

namespace brelund::testing {
namespace {

using readers::DayDates;

// The formatting of one read, and its hand-over (which stores nothing here).
class Objects {
 public:
  Objects() = default;
  Objects(const Objects&) = delete;
  Objects& operator=(const Objects&) = delete;
  ~Objects() {
    const GPtr<GHashTable> table(g_hash_table_new(g_str_hash, g_str_equal));
    update_.hand_over(table.get());
  }
  void format(const char* to, char (&name)[DayDates::kBuffer], char (&date)[DayDates::kBuffer]) {
    dates_.format(to, name, date);
    update_.dated = true;
  }

 private:
  DayDates dates_;
  records::StationUpdate update_;
};

// The switching sequence itself, one call's worth.
class Switching {
 public:
  void format(const char* to, char (&name)[DayDates::kBuffer], char (&date)[DayDates::kBuffer]) {
    std::setlocale(LC_TIME, "POSIX");
    strptime(to, "%Y-%m-%dT%H:%M:%S", &time_);
    std::setlocale(LC_TIME, "");
    std::memset(name, 0, sizeof name);
    std::strftime(name, sizeof name - 1, "%a", &time_);
    std::memset(date, 0, sizeof date);
    std::setlocale(LC_TIME, "POSIX");
    std::strftime(date, sizeof date - 1, "%b %d", &time_);
    std::setlocale(LC_TIME, "");
  }

 private:
  std::tm time_{};
};

std::string lc_time() { return std::setlocale(LC_TIME, nullptr); }

// Restores the environment's LC_ALL and the process's LC_TIME after each test.
class DayDatesTest : public ::testing::Test {
 protected:
  struct Result {
    std::vector<std::string> texts;
    std::string lc_time_after;
  };

  // One call's run over `tos`, starting from LC_TIME `before`.
  template <typename Formatter>
  static Result run(const std::vector<const char*>& tos, const char* before) {
    std::setlocale(LC_TIME, before);
    Result result;
    {
      Formatter formatter;
      for (const char* to : tos) {
        char name[DayDates::kBuffer];
        char date[DayDates::kBuffer];
        formatter.format(to, name, date);
        result.texts.push_back(std::string(name) + " | " + date);
      }
    }
    result.lc_time_after = lc_time();
    return result;
  }

 private:
  LocaleEnvironment saved_;
};

TEST_F(DayDatesTest, SameTextsAndLcTimeAsTheSwitchingSequence) {
  // Partial parses keep fields of the previous record; a bad parse keeps all.
  const std::vector<const char*> tos = {
      "2010-03-07T06:00:00", "2010-03-08T00:00:00", "garbage", "2010-12", "1999-02-28T23:59:59", "",
      "2010-13-45T00:00:00"};
  std::vector<const char*> environments = {"C", "POSIX", "xx_YY.UTF-8"};
  if (locale_installed("de_DE.UTF-8")) environments.push_back("de_DE.UTF-8");
  if (locale_installed("C.UTF-8")) environments.push_back("C.UTF-8");
  for (const char* environment : environments) {
    setenv("LC_ALL", environment, 1);
    for (const char* before : {"C", locale_installed("de_DE.UTF-8") ? "de_DE.UTF-8" : "POSIX"}) {
      const Result expected = run<Switching>(tos, before);
      const Result actual = run<Objects>(tos, before);
      EXPECT_EQ(actual.texts, expected.texts) << environment << " from " << before;
      EXPECT_EQ(actual.lc_time_after, expected.lc_time_after) << environment << " from " << before;
    }
  }
}

TEST_F(DayDatesTest, WeekdayFollowsTheEnvironmentMonthStaysPosix) {
  if (!locale_installed("de_DE.UTF-8")) GTEST_SKIP() << "de_DE.UTF-8 is not installed";
  setenv("LC_ALL", "de_DE.UTF-8", 1);
  const Result german = run<Objects>({"2010-03-07T06:00:00"}, "C");
  EXPECT_EQ(german.texts, std::vector<std::string>{"So | Mar 07"});
  EXPECT_EQ(german.lc_time_after, "de_DE.UTF-8");
  // The environment is read again on every call.
  setenv("LC_ALL", "C", 1);
  EXPECT_EQ(run<Objects>({"2010-03-07T06:00:00"}, "de_DE.UTF-8").texts,
            std::vector<std::string>{"Sun | Mar 07"});
}

TEST_F(DayDatesTest, UninstalledEnvironmentLocaleLeavesPosix) {
  setenv("LC_ALL", "xx_YY.UTF-8", 1);
  const char* before = locale_installed("de_DE.UTF-8") ? "de_DE.UTF-8" : "C.UTF-8";
  const Result result = run<Objects>({"2010-03-07T06:00:00"}, before);
  EXPECT_EQ(result.texts, std::vector<std::string>{"Sun | Mar 07"});
  EXPECT_EQ(result.lc_time_after, "C");
}

TEST_F(DayDatesTest, NothingFormattedLeavesLcTimeAlone) {
  setenv("LC_ALL", "C", 1);
  const std::string before = std::setlocale(LC_TIME, "C.UTF-8") != nullptr ? "C.UTF-8" : "POSIX";
  const std::string expected = (std::setlocale(LC_TIME, before.c_str()), lc_time());
  EXPECT_EQ(run<Objects>({}, before.c_str()).lc_time_after, expected);
}

TEST_F(DayDatesTest, ThreadLocaleIsHonouredAsTheSequenceHonoursIt) {
  if (!locale_installed("de_DE.UTF-8")) GTEST_SKIP() << "de_DE.UTF-8 is not installed";
  // strftime follows a thread's own locale, not LC_TIME: the sequence then
  // names weekdays in the thread's locale, and so must the objects.
  locale_t german = newlocale(LC_ALL_MASK, "de_DE.UTF-8", nullptr);
  ASSERT_NE(german, nullptr);
  locale_t previous = uselocale(german);
  setenv("LC_ALL", "C", 1);
  const std::vector<const char*> tos = {"2010-03-07T06:00:00", "2010-03-09T06:00:00"};
  const Result expected = run<Switching>(tos, "C");
  const Result actual = run<Objects>(tos, "C");
  uselocale(previous);
  freelocale(german);
  EXPECT_EQ(actual.texts, expected.texts);
  EXPECT_EQ(actual.texts[0].substr(0, 5), "So | ");
  EXPECT_EQ(actual.lc_time_after, expected.lc_time_after);
}

}  // namespace
}  // namespace brelund::testing
