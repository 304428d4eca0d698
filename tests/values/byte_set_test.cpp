// Byte sets: layout, exact size and the text of their bytes.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "tests/values/counting_heap.h"
#include "values/block.h"
#include "values/byte_set.h"
#include "values/constants.h"

namespace {

TEST(ByteSet, FromBytesWritesHeaderAndBytesInAnExactBlock) {
  const unsigned char bytes[] = {0x41, 0x00, 0xFF, 0x43};
  CountingHeap heap;
  ByteSet bs = byteSetFromBytes(bytes, 4);
  ASSERT_NE(bs, nullptr);
  const unsigned char expected[] = {1, 0, 0, 0, 4, 0, 0, 0, 0x41, 0x00, 0xFF, 0x43};
  EXPECT_EQ(std::memcmp(bs, expected, sizeof expected), 0);
  ASSERT_EQ(g_heapRecord.allocations, 1);
  EXPECT_EQ(g_heapRecord.sizes[0], 12u);
  releaseBlock(bs);
}

TEST(ByteSet, NoBytesGiveNull) {
  const unsigned char bytes[] = {0x41};
  EXPECT_EQ(byteSetFromBytes(bytes, 0), nullptr);
  EXPECT_EQ(byteSetFromBytes(bytes, -1), nullptr);
  EXPECT_EQ(byteSetFromBytes(bytes, INT32_MIN), nullptr);
}

struct BytesToTextCase {
  const char *name;
  std::string bytes;
  const char *expected;  // null for a null result
};

TEST(ByteSet, ToTextStopsAtTheFirstZeroByte) {
  const BytesToTextCase cases[] = {
      {"zero inside", std::string("AB\0C", 4), "AB"},
      {"no zero", "2017-11-12 08:05:09\r\n", "2017-11-12 08:05:09\r\n"},
      {"zero first", std::string("\0AB", 3), nullptr},
      {"double-byte", "\xC4\xEA", "\xC4\xEA"},
  };
  for (const BytesToTextCase &c : cases) {
    SCOPED_TRACE(c.name);
    ByteSet bs = byteSetFromBytes(c.bytes.data(), static_cast<int32_t>(c.bytes.size()));
    CountingHeap heap;
    char *t = bytesToText(bs);
    if (c.expected == nullptr) {
      EXPECT_EQ(t, nullptr);
      EXPECT_EQ(g_heapRecord.allocations, 0);
    } else {
      ASSERT_NE(t, nullptr);
      EXPECT_STREQ(t, c.expected);
      ASSERT_EQ(g_heapRecord.allocations, 1);
      EXPECT_EQ(g_heapRecord.sizes[0], std::strlen(c.expected) + 1);
    }
    releaseBlock(t);
    releaseBlock(bs);
  }
}

TEST(ByteSet, EmptyAndNullByteSetsGiveNullText) {
  EXPECT_EQ(bytesToText(nullptr), nullptr);
  EXPECT_EQ(bytesToText(emptyByteSet), nullptr);
}

// A header claiming a negative length is read as no bytes at all.
TEST(ByteSet, NegativeLengthReadsAsEmpty) {
  struct {
    ByteSetHeader header;
    unsigned char bytes[4];
  } block = {{1, -1}, {'A', 'B', 'C', 'D'}};
  EXPECT_EQ(bytesToText(&block.header), nullptr);
}

}  // namespace
