// Heap blocks and the constant pool: what is released, and how a refusal ends the process.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "tests/values/counting_heap.h"
#include "values/block.h"
#include "values/byte_set.h"
#include "values/constants.h"
#include "values/text.h"

namespace {

TEST(ConstantPool, HoldsTheLiteralsOneAfterAnother) {
  const unsigned char emptySetBytes[] = {1, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(std::memcmp(emptyByteSet, emptySetBytes, 8), 0);
  EXPECT_EQ(emptyText[0], '\0');

  struct Literal {
    const char *start;
    const char *bytes;
    size_t size;  // with the terminator
  };
  const Literal literals[] = {
      {emptyText, "", 1},
      {kUnitYear, "\xC4\xEA", 3},    // 年
      {kUnitMonth, "\xD4\xC2", 3},   // 月
      {kUnitDay, "\xC8\xD5", 3},     // 日
      {kUnitHour, "\xCA\xB1", 3},    // 时
      {kUnitMinute, "\xB7\xD6", 3},  // 分
      {kUnitSecond, "\xC3\xEB", 3},  // 秒
      {serverTimeUrl, TIMECAL_EXPECTED_URL, sizeof TIMECAL_EXPECTED_URL},
  };
  const char *next = reinterpret_cast<const char *>(emptyByteSet) + sizeof(ByteSetHeader);
  EXPECT_EQ(static_cast<const void *>(emptyByteSet), constantPoolStart);
  for (const Literal &l : literals) {
    SCOPED_TRACE(l.bytes);
    EXPECT_EQ(l.start, next);
    EXPECT_EQ(std::memcmp(l.start, l.bytes, l.size), 0);
    EXPECT_TRUE(isConstant(l.start));
    EXPECT_TRUE(isConstant(l.start + l.size - 1));
    next = l.start + l.size;
  }
  EXPECT_LE(static_cast<const void *>(next), constantPoolEnd);
  EXPECT_FALSE(isConstant(constantPoolEnd));
}

TEST(ConstantPool, HeapAndStackBlocksAreNotConstants) {
  Text t = textFromString("abc");
  char onStack[4] = "abc";
  EXPECT_FALSE(isConstant(t));
  EXPECT_FALSE(isConstant(onStack));
  EXPECT_FALSE(isConstant(nullptr));
  releaseBlock(t);
}

TEST(ReleaseBlock, IgnoresNullAndConstants) {
  const void *ignored[] = {nullptr,    emptyText,  emptyByteSet,  kUnitYear,   kUnitSecond,
                           serverTimeUrl, serverTimeUrl + 5, constantPoolStart};
  CountingHeap heap;
  for (const void *p : ignored) releaseBlock(p);
  EXPECT_EQ(g_heapRecord.releases, 0);
}

TEST(ReleaseBlock, HandsAHeapBlockBack) {
  CountingHeap heap;
  void *block = allocateBlock(10);
  ASSERT_EQ(g_heapRecord.allocations, 1);
  EXPECT_EQ(g_heapRecord.sizes[0], 10u);
  releaseBlock(block);
  ASSERT_EQ(g_heapRecord.releases, 1);
  EXPECT_EQ(g_heapRecord.released[0], block);
}

// The box text of a refused allocation of `size`: head, then the message piece.
#define TIMECAL_ALLOCATION_FAILED(size)                                     \
  "^FATAL:\xD4\xCB\xD0\xD0\xCA\xB1\xB3\xF6\xB4\xED!\r\n\r\n"               \
  "\xB4\xED\xCE\xF3\xD0\xC5\xCF\xA2\xA3\xBA"                                \
  "\xB7\xD6\xC5\xE4 " size " \xD7\xD6\xBD\xDA\xC4\xDA\xB4\xE6\xCA\xA7\xB0\xDC!\r\n$"
// 运行时出错!  错误信息：分配 <size> 字节内存失败!

// Exit code -1 as the platform reports it: 255 from a POSIX wait status, -1 on Windows.
#ifdef _WIN32
const ::testing::ExitedWithCode kFatalExit(-1);
#else
const ::testing::ExitedWithCode kFatalExit(255);
#endif

using RefusedAllocationDeathTest = ::testing::Test;

TEST_F(RefusedAllocationDeathTest, EndsTheProcessWithTheSizeInTheMessage) {
  EXPECT_EXIT(
      {
        refuseAllocations();
        allocateBlock(1000);
      },
      kFatalExit, TIMECAL_ALLOCATION_FAILED("1000"));
  EXPECT_EXIT(
      {
        refuseAllocations();
        Text t = textFromString("abc");
        releaseBlock(t);
      },
      kFatalExit, TIMECAL_ALLOCATION_FAILED("4"));
}

// Sizes that do not fit in 32 bits never reach the heap; the message shows the whole size.
TEST_F(RefusedAllocationDeathTest, RefusesSizesBeyondThirtyTwoBits) {
  static const char byte = 'x';
  EXPECT_EXIT(textFromBytes(&byte, INT32_MAX), kFatalExit,
              TIMECAL_ALLOCATION_FAILED("2147483648"));
  EXPECT_EXIT(byteSetFromBytes(&byte, INT32_MAX), kFatalExit,
              TIMECAL_ALLOCATION_FAILED("2147483655"));
  EXPECT_EXIT(allocateBlock(-1), kFatalExit, TIMECAL_ALLOCATION_FAILED("-1"));
  EXPECT_EXIT(allocateWideBlock(int64_t{1} << 40), kFatalExit,
              TIMECAL_ALLOCATION_FAILED("1099511627776"));
}

}  // namespace
