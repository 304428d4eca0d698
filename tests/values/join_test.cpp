// joinTexts: one measured pass, one block of the summed size, any count.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/values/counting_heap.h"
#include "values/block.h"
#include "values/constants.h"
#include "values/text.h"

namespace {

TEST(JoinTexts, JoinsTheRefreshTwelveInOneBlock) {
  CountingHeap heap;
  Text joined = joinTexts(12, "2017", kUnitYear, "11", kUnitMonth, "12", kUnitDay, "08",
                          kUnitHour, "05", kUnitMinute, "09", kUnitSecond);
  EXPECT_STREQ(joined,
               "2017\xC4\xEA" "11\xD4\xC2" "12\xC8\xD5" "08\xCA\xB1" "05\xB7\xD6" "09\xC3\xEB");
  ASSERT_EQ(g_heapRecord.allocations, 1);
  EXPECT_EQ(g_heapRecord.sizes[0], 14u + 6u * 2u + 1u);  // digits, units, terminator
  EXPECT_EQ(g_heapRecord.releases, 0);
  releaseBlock(joined);
}

TEST(JoinTexts, AllEmptyGivesAOneByteBlock) {
  Text allocatedEmpty = joinTexts(1, nullptr);
  CountingHeap heap;
  Text joined = joinTexts(4, nullptr, emptyText, allocatedEmpty, "");
  ASSERT_NE(joined, nullptr);
  EXPECT_EQ(joined[0], '\0');
  EXPECT_FALSE(isConstant(joined));
  ASSERT_EQ(g_heapRecord.allocations, 1);
  EXPECT_EQ(g_heapRecord.sizes[0], 1u);
  releaseBlock(joined);
  releaseBlock(allocatedEmpty);
}

TEST(JoinTexts, SkipsNullsAmongTexts) {
  Text joined = joinTexts(5, "a", nullptr, "bc", emptyText, "\xC4\xEA");
  EXPECT_STREQ(joined, "abc\xC4\xEA");
  releaseBlock(joined);
}

TEST(JoinTexts, JoinsASingleText) {
  Text joined = joinTexts(1, "abc");
  EXPECT_STREQ(joined, "abc");
  releaseBlock(joined);
}

// Beyond the lengths kept on the stack the table comes from the heap and goes back to it;
// the result is still one block of the exact size.
TEST(JoinTexts, JoinsMoreTextsThanTheStackTableHolds) {
  const char *p[6] = {"0", "12", "", nullptr, "345", "\xB7\xD6"};
  std::string expected;
  for (int round = 0; round < 7; ++round)
    for (const char *t : p) expected += t == nullptr ? "" : t;
  CountingHeap heap;
  Text joined = joinTexts(42, p[0], p[1], p[2], p[3], p[4], p[5], p[0], p[1], p[2], p[3], p[4],
                          p[5], p[0], p[1], p[2], p[3], p[4], p[5], p[0], p[1], p[2], p[3],
                          p[4], p[5], p[0], p[1], p[2], p[3], p[4], p[5], p[0], p[1], p[2],
                          p[3], p[4], p[5], p[0], p[1], p[2], p[3], p[4], p[5]);
  EXPECT_EQ(std::string(joined), expected);
  ASSERT_EQ(g_heapRecord.allocations, 2);
  EXPECT_EQ(g_heapRecord.sizes[1], expected.size() + 1);
  EXPECT_EQ(g_heapRecord.releases, 1);
  EXPECT_NE(g_heapRecord.released[0], joined);
  releaseBlock(joined);
}

}  // namespace
