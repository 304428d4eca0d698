// The SYSTEMTIME fields the clock is set with and read from.
#include <gtest/gtest.h>

#include <cstddef>
#include <limits>

#include "services/system_time.h"

// Beside SystemTimeFields, where the test framework finds them.
bool operator==(const SystemTimeFields &a, const SystemTimeFields &b) {
  return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDayOfWeek == b.wDayOfWeek &&
         a.wDay == b.wDay && a.wHour == b.wHour && a.wMinute == b.wMinute &&
         a.wSecond == b.wSecond && a.wMilliseconds == b.wMilliseconds;
}

::std::ostream &operator<<(::std::ostream &os, const SystemTimeFields &f) {
  return os << f.wYear << '-' << f.wMonth << '-' << f.wDay << " (weekday " << f.wDayOfWeek
            << ") " << f.wHour << ':' << f.wMinute << ':' << f.wSecond << '.' << f.wMilliseconds;
}

namespace {

DateTime at(int32_t year, int32_t month, int32_t day, int32_t hour, int32_t minute, int32_t second) {
  DateTime value = 0;
  EXPECT_TRUE(makeDateTime(year, month, day, hour, minute, second, &value));
  return value;
}

TEST(SystemTimeFields, HaveTheLayoutOfSystemtime) {
  EXPECT_EQ(offsetof(SystemTimeFields, wYear), 0u);
  EXPECT_EQ(offsetof(SystemTimeFields, wMonth), 2u);
  EXPECT_EQ(offsetof(SystemTimeFields, wDayOfWeek), 4u);
  EXPECT_EQ(offsetof(SystemTimeFields, wDay), 6u);
  EXPECT_EQ(offsetof(SystemTimeFields, wHour), 8u);
  EXPECT_EQ(offsetof(SystemTimeFields, wMinute), 10u);
  EXPECT_EQ(offsetof(SystemTimeFields, wSecond), 12u);
  EXPECT_EQ(offsetof(SystemTimeFields, wMilliseconds), 14u);
}

struct SetCase {
  const char *name;
  DateTime value;
  SystemTimeFields expected;
};

TEST(SystemTimeFromDateTime, ClampsRoundsAndCountsWeekdaysFromSunday) {
  const double kTenths = 0.1 / 86400;
  const double kNaN = std::numeric_limits<double>::quiet_NaN();
  const double kInfinity = std::numeric_limits<double>::infinity();
  const SetCase cases[] = {
      {"2017-11-12 09:05:03", at(2017, 11, 12, 9, 5, 3), {2017, 11, 0, 12, 9, 5, 3, 0}},
      {"minimum", kDateTimeMin, {100, 1, 5, 1, 0, 0, 0, 0}},
      {"below the minimum", -1e300, {100, 1, 5, 1, 0, 0, 0, 0}},
      {"9999-12-31 23:59:59", at(9999, 12, 31, 23, 59, 59), {9999, 12, 5, 31, 0, 0, 0, 0}},
      {"NaN", kNaN, {9999, 12, 5, 31, 0, 0, 0, 0}},
      {"infinity", kInfinity, {9999, 12, 5, 31, 0, 0, 0, 0}},
      {"03.6 s", at(2017, 11, 12, 9, 5, 3) + 6 * kTenths, {2017, 11, 0, 12, 9, 5, 4, 0}},
      {"03.4 s", at(2017, 11, 12, 9, 5, 3) + 4 * kTenths, {2017, 11, 0, 12, 9, 5, 3, 0}},
      {"2040-02-29 23:59:59", at(2040, 2, 29, 23, 59, 59), {2040, 2, 3, 29, 23, 59, 59, 0}},
  };
  for (const SetCase &c : cases) {
    SCOPED_TRACE(c.name);
    const SystemTimeFields fields = systemTimeFromDateTime(c.value);
    EXPECT_EQ(fields, c.expected) << fields;
  }
}

struct ReadCase {
  SystemTimeFields fields;
  DateTime expected;
};

TEST(DateTimeFromLocalFields, CutsTheMillisecondsAtAnyYear) {
  const ReadCase cases[] = {
      {{2017, 11, 0, 12, 9, 5, 3, 999}, 43051.37850694444},
      {{2017, 11, 0, 12, 9, 5, 3, 0}, 43051.37850694444},
      {{2038, 1, 2, 19, 3, 14, 8, 500}, at(2038, 1, 19, 3, 14, 8)},
      {{2040, 2, 3, 29, 23, 59, 59, 999}, at(2040, 2, 29, 23, 59, 59)},
      {{1969, 12, 3, 31, 23, 59, 59, 1}, at(1969, 12, 31, 23, 59, 59)},
      {{1601, 1, 1, 1, 0, 0, 0, 0}, at(1601, 1, 1, 0, 0, 0)},
      {{30827, 12, 0, 31, 23, 59, 59, 999}, kDateTimeMin},  // beyond what a DateTime names
      {{2017, 2, 0, 30, 0, 0, 0, 0}, kDateTimeMin},
      {{0, 0, 0, 0, 0, 0, 0, 0}, kDateTimeMin},
  };
  for (const ReadCase &c : cases) {
    SCOPED_TRACE(::testing::Message() << c.fields);
    EXPECT_DOUBLE_EQ(dateTimeFromLocalFields(c.fields), c.expected);
  }
}

}  // namespace
