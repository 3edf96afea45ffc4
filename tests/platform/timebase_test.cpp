#include "platform/timebase.h"

#include <gtest/gtest.h>

#include <clocale>
#include <ctime>
#include <fstream>
#include <limits>

#include "platform/files.h"
#include "support/temp_dir.h"

namespace zel::platform {
namespace {

// Central European rules written out, so the test needs no time zone database.
constexpr const char* kCentralEurope = "CET-1CEST,M3.5.0,M10.5.0/3";

class ScopedTimeZone {
 public:
  explicit ScopedTimeZone(const char* zone) {
    if (const char* old = std::getenv("TZ")) m_old = old;
    setenv("TZ", zone, 1);
    tzset();
  }
  ~ScopedTimeZone() {
    if (m_old) {
      setenv("TZ", m_old->c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
  }

 private:
  std::optional<std::string> m_old;
};

class ScopedBiases {
 public:
  explicit ScopedBiases(TimeBiases biases) : m_old(GetTimeBiases()) { SetTimeBiases(biases); }
  ~ScopedBiases() { SetTimeBiases(m_old); }

 private:
  TimeBiases m_old;
};

TEST(TimeText24, HasTheFixedForm) {
  const ScopedTimeZone utc("UTC0");
  struct Case {
    std::int64_t t;
    std::string_view text;
  };
  const Case cases[] = {
      {1796575119, "Sun Dec 06 16:38:39 2026"},
      {0, "Thu Jan 01 00:00:00 1970"},
      {951782400, "Tue Feb 29 00:00:00 2000"},
      {951782400 - 1, "Mon Feb 28 23:59:59 2000"},
      {253402300799, "Fri Dec 31 23:59:59 9999"},
      {253402300800, "??? ??? ?? ??:??:?? ????"},  // year 10000 would not fit
      {INT64_MAX, "??? ??? ?? ??:??:?? ????"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TimeText24(c.t), c.text) << c.t;
    EXPECT_EQ(TimeText24(c.t).size(), 24u);
  }
}

TEST(TimeText24, IsLocalTimeInEnglishWhateverTheLocale) {
  const ScopedTimeZone zone(kCentralEurope);
  EXPECT_EQ(TimeText24(1796575119), "Sun Dec 06 17:38:39 2026");
  EXPECT_EQ(TimeText24(1782900000), "Wed Jul 01 12:00:00 2026");  // summer time
  const std::string saved = std::setlocale(LC_TIME, nullptr);
  for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "C.UTF-8"}) {
    if (std::setlocale(LC_TIME, name) == nullptr) continue;
    EXPECT_EQ(TimeText24(1796575119), "Sun Dec 06 17:38:39 2026") << name;
  }
  std::setlocale(LC_TIME, saved.c_str());
}

TEST(LocaleDateTime, FollowsTheProcessLocale) {
  const ScopedTimeZone utc("UTC0");
  const std::string saved = std::setlocale(LC_TIME, nullptr);
  std::setlocale(LC_TIME, "C");
  EXPECT_EQ(LocaleDateTime(1796575119), "Sun Dec  6 16:38:39 2026");
  std::setlocale(LC_TIME, saved.c_str());
}

TEST(RemoteTime, IsLocalTimeWithDaylightSavingDecidedByTheDate) {
  struct Case {
    const char* zone;
    int year, month, day, hour;
    std::int64_t expected;
  };
  const Case cases[] = {
      {"UTC0", 2026, 12, 6, 16, 1796575119 - 38 * 60 - 39},
      {kCentralEurope, 2026, 1, 15, 12, 1768474800},  // 11:00 UTC in winter
      {kCentralEurope, 2026, 7, 1, 12, 1782900000},   // 10:00 UTC in summer
  };
  for (const Case& c : cases) {
    const ScopedTimeZone zone(c.zone);
    EXPECT_EQ(RemoteTime(c.year, c.month, c.day, c.hour, 0, 0), c.expected) << c.zone;
  }
}

TEST(TimeBase, BiasesShiftEveryTime) {
  const ScopedTimeZone utc("UTC0");
  const ScopedBiases biases({3600, -120});
  EXPECT_EQ(GetTimeBiases().local, 3600);
  EXPECT_EQ(GetTimeBiases().remote, -120);

  const std::int64_t system = std::time(nullptr);
  EXPECT_NEAR(static_cast<double>(Now() - system), 3600.0, 2.0);
  EXPECT_EQ(RemoteTime(1970, 1, 1, 0, 0, 0), -120);

  test::TempDir dir;
  const std::filesystem::path file = dir / "Project.RUN";
  std::ofstream(file) << "run";
  ASSERT_TRUE(SetFileTime(file, 975000000));
  EXPECT_EQ(FileModTime(file), 975000000 - 3600);  // stored without the bias
  EXPECT_EQ(FileTime(file), 975000000);
  EXPECT_EQ(FileTime(dir / "missing"), 0);  // no bias on "unreadable"
  EXPECT_FALSE(SetFileTime(dir / "missing", 1));
}

TEST(TimeBase, AbsurdBiasesSaturateInsteadOfWrapping) {
  const ScopedTimeZone utc("UTC0");
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  test::TempDir dir;
  const std::filesystem::path file = dir / "Project.RUN";
  std::ofstream(file) << "run";
  {
    const ScopedBiases biases({kMax, kMax});
    EXPECT_EQ(Now(), kMax);
    EXPECT_EQ(FileTime(file), kMax);
    EXPECT_EQ(RemoteTime(2026, 12, 6, 16, 0, 0), kMax);
  }
  // 0 minus this bias does not fit: the time must end as late as the file system allows
  // (or stay), never wrap round into the past.
  const auto before = FileModTime(file);
  ASSERT_TRUE(before.has_value());
  {
    const ScopedBiases negative({std::numeric_limits<std::int64_t>::min(), 0});
    SetFileTime(file, 0);
  }
  const auto stamped = FileModTime(file);
  ASSERT_TRUE(stamped.has_value());
  EXPECT_GE(*stamped, *before);
}

TEST(TimeBase, DaylightSavingFollowsTheZone) {
  const ScopedTimeZone utc("UTC0");
  EXPECT_FALSE(DaylightSavingInForce());
  // A zone that is on summer time all year round.
  const ScopedTimeZone always("XST-1XDT,J1/0,J365/25");
  EXPECT_TRUE(DaylightSavingInForce());
}

}  // namespace
}  // namespace zel::platform
