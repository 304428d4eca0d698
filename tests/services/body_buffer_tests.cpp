#include "services/body_buffer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "tests/values/counting_heap.h"

namespace {

// The body's blocks come from a counting heap, so the tests see when the buffer grows; the
// bytes it is fed live in plain vectors, outside that count.
class BodyBufferTest : public ::testing::Test {
 protected:
  BodyBufferTest() : source(kSourceLength) {
    for (int32_t i = 0; i < kSourceLength; ++i) source[i] = static_cast<unsigned char>(i % 251);
  }
  void TearDown() override { releaseBody(&body); }

  // Appends the source's next count bytes; gives appendToBody's answer.
  bool appendNext(int32_t count) {
    const bool taken = appendToBody(&body, source.data() + offset, count);
    offset += count;
    return taken;
  }

  void expectSourcePrefix(int32_t length) {
    ASSERT_EQ(body.length, length);
    EXPECT_EQ(std::memcmp(body.data, source.data(), static_cast<size_t>(length)), 0);
  }

  static constexpr int32_t kSourceLength = 70000;
  CountingHeap heap;
  std::vector<unsigned char> source;
  int32_t offset = 0;
  BodyBuffer body{};
};

struct GrowthCase {
  const char *name;
  int32_t appends[4];  // 0 ends the list
  int32_t allocations;
  int32_t capacity;
};

// Growth happens only when an append does not fit, and then to the new length + 128; past
// 64 KiB to at least twice the old capacity.
const GrowthCase kGrowth[] = {
    {"one small body", {19}, 1, 19 + 128},
    {"second append fits the spare room", {19, 128}, 1, 147},
    {"second append one byte too many", {19, 129}, 2, 148 + 128},
    {"reads of 10240 for 25000 bytes", {10240, 10240, 4520}, 3, 25000 + 128},
    {"one read of 25000", {25000}, 1, 25128},
    {"just below 64 KiB", {65000, 408}, 2, 65536},
    {"past 64 KiB the buffer doubles", {65000, 1000, 1000}, 2, 2 * 65128},
    {"one read past 64 KiB", {66000}, 1, 66128},
};

TEST_F(BodyBufferTest, GrowsOnlyWhenAnAppendDoesNotFit) {
  for (const GrowthCase &c : kGrowth) {
    SCOPED_TRACE(c.name);
    releaseBody(&body);
    offset = 0;
    g_heapRecord.allocations = 0;
    int32_t total = 0;
    for (int32_t count : c.appends) {
      if (count == 0) break;
      EXPECT_TRUE(appendNext(count));
      total += count;
    }
    expectSourcePrefix(total);
    EXPECT_EQ(g_heapRecord.allocations, c.allocations);
    EXPECT_EQ(body.capacity, c.capacity);
  }
}

// A sender that never stops, read 10240 bytes at a time: growing by each read would take 1641
// blocks and copy the body once per read; the buffer takes a handful.
TEST_F(BodyBufferTest, FewBlocksUpToTheLimit) {
  std::vector<unsigned char> filler(kBodyLimit);
  for (int32_t i = 0; i < kBodyLimit; ++i) filler[i] = static_cast<unsigned char>(i % 251);
  int32_t appended = 0;
  while (appendToBody(&body, filler.data() + appended, 10240)) appended += 10240;
  ASSERT_EQ(body.length, kBodyLimit);
  EXPECT_EQ(std::memcmp(body.data, filler.data(), kBodyLimit), 0);
  EXPECT_LE(g_heapRecord.allocations, 20);
  EXPECT_LE(body.capacity, kBodyLimit + kBodySpare);
}

TEST_F(BodyBufferTest, EmptyAppendTakesNoBlock) {
  EXPECT_TRUE(appendNext(0));
  EXPECT_EQ(body.data, nullptr);
  EXPECT_EQ(body.length, 0);
  EXPECT_EQ(g_heapRecord.allocations, 0);
}

TEST_F(BodyBufferTest, ReleaseLeavesItEmptyAndReusable) {
  appendNext(19);
  releaseBody(&body);
  EXPECT_EQ(body.data, nullptr);
  EXPECT_EQ(body.capacity, 0);
  EXPECT_EQ(body.length, 0);
  offset = 0;
  EXPECT_TRUE(appendNext(5));
  expectSourcePrefix(5);
}

// A sender that never stops cannot push the length past the limit: the bytes below it stay,
// in order, and every further append is refused without change.
TEST_F(BodyBufferTest, StopsAtTheLimitKeepingWhatArrived) {
  // The filler is one block of the limit's size; only its first and last bytes are compared.
  std::vector<unsigned char> filler(kBodyLimit, 'f');
  EXPECT_TRUE(appendToBody(&body, filler.data(), kBodyLimit - 10));
  EXPECT_FALSE(appendNext(20));
  ASSERT_EQ(body.length, kBodyLimit);
  EXPECT_EQ(body.data[kBodyLimit - 11], 'f');
  EXPECT_EQ(std::memcmp(body.data + kBodyLimit - 10, source.data(), 10), 0);
  const int32_t capacity = body.capacity;
  EXPECT_FALSE(appendNext(1));
  EXPECT_EQ(body.length, kBodyLimit);
  EXPECT_EQ(body.capacity, capacity);
}

TEST_F(BodyBufferTest, OneAppendPastTheLimitIsCut) {
  std::vector<unsigned char> big(size_t{kBodyLimit} + 100, 'b');
  EXPECT_FALSE(appendToBody(&body, big.data(), kBodyLimit + 100));
  EXPECT_EQ(body.length, kBodyLimit);
  EXPECT_EQ(body.capacity, kBodyLimit + kBodySpare);
}

TEST_F(BodyBufferTest, RefusedGrowthIsFatal) {
  EXPECT_TRUE(appendNext(19));
  refuseAllocations();
  // 19 + 129 bytes do not fit 147, so the buffer asks for 148 + 128 = 276.
  EXPECT_EXIT(appendNext(129), ::testing::ExitedWithCode(255), "FATAL:.* 276 ");
}

}  // namespace
