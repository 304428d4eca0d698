// Every text dateTimeToText writes reads back to the same value, over whole years at the
// edges of the calendar and over a seeded random sample of the whole range.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "values/block.h"
#include "values/date_time_text.h"

namespace {

// Counts the values in [from, to) that fail the round trip, reporting the first few.
class RoundTrip : public ::testing::Test {
 protected:
  void check(DateTime value) {
    if (value < kDateTimeMin || value > kDateTimeMax) return;
    ++checked_;
    Text text = dateTimeToText(value);
    const DateTime back = textToDateTime(text);
    if (back != value && ++failures_ <= 10)
      ADD_FAILURE() << "value " << value << " wrote " << text << " and read back " << back;
    releaseBlock(text);
  }
  int64_t checked_ = 0;
  int failures_ = 0;
};

TEST_F(RoundTrip, EveryDayOfTheEdgeYearsAtSeveralTimes) {
  const int32_t years[] = {100, 1600, 1899, 1900, 2000, 2038, 9999};
  const int32_t times[][3] = {{0, 0, 0},   {0, 0, 1},    {0, 1, 0},    {1, 0, 0},  {9, 5, 3},
                              {12, 0, 0},  {12, 0, 59},  {23, 59, 59}, {23, 0, 0}, {6, 30, 0}};
  for (int32_t year : years) {
    for (int32_t month = 1; month <= 12; ++month) {
      for (int32_t day = 1; day <= 31; ++day) {
        for (const auto &t : times) {
          DateTime value;
          if (makeDateTime(year, month, day, t[0], t[1], t[2], &value)) check(value);
        }
      }
    }
  }
  EXPECT_EQ(failures_, 0);
  // 365 or 366 days each, minus the moments after midnight beyond either bound.
  EXPECT_EQ(checked_, (365 * 5 + 366 * 2) * 10 - 9 - 9);
}

TEST_F(RoundTrip, SeededRandomSampleOfTheWholeRange) {
  std::mt19937_64 random(20171112);
  std::uniform_int_distribution<int32_t> year(100, 9999), month(1, 12), day(1, 31),
      hour(0, 23), minute(0, 59), second(0, 59);
  int32_t made = 0;
  while (made < 200000) {
    DateTime value;
    if (!makeDateTime(year(random), month(random), day(random), hour(random), minute(random),
                      second(random), &value))
      continue;
    ++made;
    check(value);
  }
  EXPECT_EQ(failures_, 0);
  EXPECT_GT(checked_, made - 100);
}

}  // namespace
