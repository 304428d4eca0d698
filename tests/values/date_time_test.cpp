// Date-times: the bounds, building from fields, splitting back, clamping.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "values/date_time.h"

// Beside CalendarFields, where the test framework's printing finds it.
::std::ostream &operator<<(::std::ostream &os, const CalendarFields &f) {
  return os << f.year << '-' << f.month << '-' << f.day << ' ' << f.hour << ':' << f.minute << ':'
            << f.second << " weekday " << f.dayOfWeek;
}

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInfinity = std::numeric_limits<double>::infinity();

uint64_t bitsOf(double d) {
  uint64_t bits;
  std::memcpy(&bits, &d, sizeof bits);
  return bits;
}

struct Moment {
  int32_t year, month, day, hour, minute, second;
};

bool operator==(const Moment &m, const CalendarFields &f) {
  return m.year == f.year && m.month == f.month && m.day == f.day && m.hour == f.hour &&
         m.minute == f.minute && m.second == f.second;
}

::std::ostream &operator<<(::std::ostream &os, const Moment &m) {
  return os << m.year << '-' << m.month << '-' << m.day << ' ' << m.hour << ':' << m.minute << ':'
            << m.second;
}


TEST(DateTimeBounds, HaveTheirExactBitPatterns) {
  EXPECT_EQ(bitsOf(kDateTimeMin), 0xC124103400000000u);
  EXPECT_EQ(bitsOf(kDateTimeMax), 0x4146924080000000u);
}

struct MakeCase {
  Moment moment;
  double expected;
};

TEST(MakeDateTime, GivesTheDaysFrom18991230) {
  const MakeCase cases[] = {
      {{2017, 11, 12, 9, 5, 3}, 43051.37850694444},
      {{1899, 12, 30, 0, 0, 0}, 0.0},
      {{1899, 12, 29, 6, 0, 0}, -1.25},
      {{1800, 1, 1, 12, 0, 0}, -36522.5},
      {{2000, 2, 29, 0, 0, 0}, 36585.0},
      {{1900, 3, 1, 0, 0, 0}, 61.0},
      {{100, 1, 1, 0, 0, 0}, kDateTimeMin},
      {{9999, 12, 31, 0, 0, 0}, kDateTimeMax},
      {{9999, 12, 31, 12, 0, 0}, 2958465.5},
      {{9999, 12, 31, 23, 59, 59}, 2958465.999988426},
      {{100, 1, 1, 6, 0, 0}, -657434.25},
  };
  for (const MakeCase &c : cases) {
    SCOPED_TRACE(c.moment);
    const Moment &m = c.moment;
    DateTime value = 1234.5;
    ASSERT_TRUE(makeDateTime(m.year, m.month, m.day, m.hour, m.minute, m.second, &value));
    EXPECT_DOUBLE_EQ(value, c.expected);
  }
}

TEST(MakeDateTime, RefusesFieldsOutsideTheCalendar) {
  const Moment cases[] = {
      {1900, 2, 29, 0, 0, 0},  {2017, 4, 31, 0, 0, 0},  {2017, 0, 1, 0, 0, 0},
      {2017, 13, 1, 0, 0, 0},  {10000, 1, 1, 0, 0, 0},  {2017, 11, 12, 24, 0, 0},
      {2017, 11, 12, 9, 60, 0}, {2017, 11, 12, 9, 5, 60}, {2017, 11, 0, 0, 0, 0},
      {2017, 2, 29, 0, 0, 0},  {2017, 11, 12, -1, 0, 0}, {2017, 11, 12, 9, -1, 0},
      {2017, 11, 12, 9, 5, -1}, {0, 1, 1, 0, 0, 0},      {INT32_MIN, 1, 1, 0, 0, 0},
      {INT32_MAX, 1, 1, 0, 0, 0}, {2017, INT32_MIN, 1, 0, 0, 0},
  };
  for (const Moment &m : cases) {
    SCOPED_TRACE(m);
    DateTime value = 1234.5;
    EXPECT_FALSE(makeDateTime(m.year, m.month, m.day, m.hour, m.minute, m.second, &value));
    EXPECT_EQ(value, 1234.5);
  }
}

TEST(MakeDateTime, AcceptsTheLastDayOfEveryMonth) {
  const int32_t lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const int32_t years[] = {1900, 2000, 2016, 2017};
  for (int32_t year : years) {
    const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    for (int32_t month = 1; month <= 12; ++month) {
      const int32_t last = lengths[month - 1] + (leap && month == 2 ? 1 : 0);
      DateTime value;
      EXPECT_TRUE(makeDateTime(year, month, last, 23, 59, 59, &value)) << year << '-' << month;
      EXPECT_FALSE(makeDateTime(year, month, last + 1, 0, 0, 0, &value)) << year << '-' << month;
    }
  }
}

struct SplitCase {
  double value;
  Moment expected;
};

TEST(SplitDateTime, RoundsToTheNearestSecond) {
  const SplitCase cases[] = {
      {43051.37850694444, {2017, 11, 12, 9, 5, 3}},
      {0.0, {1899, 12, 30, 0, 0, 0}},
      {0.25, {1899, 12, 30, 6, 0, 0}},
      {-0.25, {1899, 12, 30, 6, 0, 0}},
      {-1.25, {1899, 12, 29, 6, 0, 0}},
      {-36522.5, {1800, 1, 1, 12, 0, 0}},
      {1.999999999, {1900, 1, 1, 0, 0, 0}},
      {43051.0 + (9 * 3600 + 5 * 60 + 3.6) / 86400, {2017, 11, 12, 9, 5, 4}},
      {43051.0 + (9 * 3600 + 5 * 60 + 3.4) / 86400, {2017, 11, 12, 9, 5, 3}},
      {43051.0 + 86399.6 / 86400, {2017, 11, 13, 0, 0, 0}},
      {-1.0 - 43200.4 / 86400, {1899, 12, 29, 12, 0, 0}},
      {-1.0 - 43200.6 / 86400, {1899, 12, 29, 12, 0, 1}},
      // A negative value within half a second before midnight gives the next midnight.
      {-1.999999999, {1899, 12, 30, 0, 0, 0}},
      {-0.999999999, {1899, 12, 31, 0, 0, 0}},
      {-1.0 - 86399.6 / 86400, {1899, 12, 30, 0, 0, 0}},
      {kDateTimeMin, {100, 1, 1, 0, 0, 0}},
      {kDateTimeMax, {9999, 12, 31, 0, 0, 0}},
      {kDateTimeMax - 0.1 / 86400, {9999, 12, 31, 0, 0, 0}},
  };
  for (const SplitCase &c : cases) {
    SCOPED_TRACE(::testing::Message() << c.value);
    CalendarFields f;
    ASSERT_TRUE(splitDateTime(c.value, &f));
    EXPECT_EQ(c.expected, f) << f;
  }
}

TEST(SplitDateTime, FailsOutsideTheRangeAndForNaN) {
  const double cases[] = {kNaN,
                          -kNaN,
                          kInfinity,
                          -kInfinity,
                          2958465.999988426,
                          -657434.25,
                          std::nextafter(kDateTimeMax, kInfinity),
                          std::nextafter(kDateTimeMin, -kInfinity)};
  for (double value : cases) {
    CalendarFields f = {1, 2, 3, 4, 5, 6, 7};
    EXPECT_FALSE(splitDateTime(value, &f)) << value;
    EXPECT_EQ(f.year, 1);
  }
}

TEST(SplitDateTime, NamesTheWeekday) {
  const SplitCase anchors[] = {
      {43051.0, {2017, 11, 12, 0, 0, 0}},  // a Sunday
      {0.0, {1899, 12, 30, 0, 0, 0}},      // a Saturday
      {kDateTimeMax, {9999, 12, 31, 0, 0, 0}},  // a Friday
  };
  const int32_t weekdays[] = {1, 7, 6};
  for (int i = 0; i < 3; ++i) {
    CalendarFields f;
    ASSERT_TRUE(splitDateTime(anchors[i].value, &f));
    EXPECT_EQ(f.dayOfWeek, weekdays[i]) << anchors[i].expected;
  }
}

// Every day of the range: the split gives the day after the previous one's date and
// weekday, and building from its fields gives the day number back.
TEST(SplitDateTime, WalksEveryDayOfTheRange) {
  const int32_t lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  CalendarFields previous;
  ASSERT_TRUE(splitDateTime(kDateTimeMin, &previous));
  int failures = 0;
  for (int32_t n = static_cast<int32_t>(kDateTimeMin) + 1; n <= kDateTimeMax && failures < 10; ++n) {
    CalendarFields f;
    ASSERT_TRUE(splitDateTime(n, &f));
    const bool leap = previous.year % 4 == 0 && (previous.year % 100 != 0 || previous.year % 400 == 0);
    const int32_t length = lengths[previous.month - 1] + (leap && previous.month == 2 ? 1 : 0);
    CalendarFields next = previous;
    next.dayOfWeek = previous.dayOfWeek % 7 + 1;
    if (++next.day > length) {
      next.day = 1;
      if (++next.month > 12) {
        next.month = 1;
        ++next.year;
      }
    }
    DateTime back = 0.5;
    const bool made = makeDateTime(f.year, f.month, f.day, 0, 0, 0, &back);
    if (std::memcmp(&f, &next, sizeof f) != 0 || !made || back != n || f.hour != 0) {
      ADD_FAILURE() << "day " << n << ": " << f << ", expected " << next << ", back " << back;
      ++failures;
    }
    previous = f;
  }
  EXPECT_EQ(previous.year, 9999);
}

TEST(ClampDateTime, MovesValuesIntoTheRange) {
  const double cases[][2] = {
      {kNaN, kDateTimeMax},
      {kInfinity, kDateTimeMax},
      {-kInfinity, kDateTimeMin},
      {2958465.999988426, kDateTimeMax},
      {-657434.25, kDateTimeMin},
      {kDateTimeMax, kDateTimeMax},
      {kDateTimeMin, kDateTimeMin},
      {0.0, 0.0},
      {43051.37850694444, 43051.37850694444},
  };
  for (const auto &c : cases) EXPECT_EQ(bitsOf(clampDateTime(c[0])), bitsOf(c[1])) << c[0];
}

}  // namespace
