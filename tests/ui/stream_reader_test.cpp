// The bounded reader: every read checks the bounds and moves on only when it succeeds.
#include <gtest/gtest.h>

#include <cstring>

#include "ui/stream_reader.h"

namespace {

// An exactly sized heap copy, so that a read past its end is caught by AddressSanitizer.
class HeapBytes {
 public:
  HeapBytes(const void *bytes, int32_t n) : data_(new unsigned char[n]), length_(n) {
    if (n > 0) std::memcpy(data_, bytes, n);
  }
  ~HeapBytes() { delete[] data_; }
  StreamReader reader() const { return makeStreamReader(data_, length_); }

 private:
  unsigned char *data_;
  int32_t length_;
};

TEST(StreamReader, WordsAreLittleEndianAndNeedFourBytes) {
  const unsigned char b[] = {0x01, 0x02, 0x03, 0x84, 0xAA, 0xBB, 0xCC};
  HeapBytes heap(b, sizeof b);
  StreamReader r = heap.reader();
  uint32_t word = 0;
  ASSERT_TRUE(readWord(&r, &word));
  EXPECT_EQ(word, 0x84030201u);
  EXPECT_FALSE(readWord(&r, &word));
  EXPECT_EQ(r.position, 4);
  EXPECT_EQ(word, 0x84030201u);  // a failed read leaves the output alone
  int32_t value;
  EXPECT_FALSE(readInt(&r, &value));
  EXPECT_EQ(remainingBytes(r), 3);
}

TEST(StreamReader, SignedWords) {
  const unsigned char b[] = {0xFF, 0xFF, 0xFF, 0xFF, 0xF2, 0xFF, 0xFF, 0xFF};
  HeapBytes heap(b, sizeof b);
  StreamReader r = heap.reader();
  int32_t a, c;
  ASSERT_TRUE(readInt(&r, &a) && readInt(&r, &c));
  EXPECT_EQ(a, -1);
  EXPECT_EQ(c, -14);
}

TEST(StreamReader, CountedBytesRefuseBadCountsWithoutMoving) {
  const struct {
    unsigned char count[4];
    int32_t available;  // bytes after the count
    bool ok;
  } cases[] = {
      {{0, 0, 0, 0}, 0, true},
      {{3, 0, 0, 0}, 3, true},
      {{4, 0, 0, 0}, 3, false},
      {{0xFF, 0xFF, 0xFF, 0xFF}, 3, false},  // -1
      {{0, 0, 0, 0x80}, 3, false},           // INT32_MIN
      {{0xFF, 0xFF, 0xFF, 0x7F}, 3, false},  // INT32_MAX
  };
  for (const auto &c : cases) {
    unsigned char b[16] = {};
    std::memcpy(b, c.count, 4);
    HeapBytes heap(b, 4 + c.available);
    StreamReader r = heap.reader();
    const unsigned char *bytes = nullptr;
    int32_t count = -7;
    EXPECT_EQ(readCounted(&r, &bytes, &count), c.ok);
    EXPECT_EQ(r.position, c.ok ? 4 + c.count[0] : 0);
    if (!c.ok) {
      EXPECT_EQ(count, -7);
    }
  }
}

TEST(StreamReader, ZeroEndedTextNeedsItsZero) {
  const char b[] = {'a', 'b', 0, 'c', 'd'};
  HeapBytes heap(b, sizeof b);
  StreamReader r = heap.reader();
  const char *text;
  int32_t length;
  ASSERT_TRUE(readZeroEnded(&r, &text, &length));
  EXPECT_STREQ(text, "ab");
  EXPECT_EQ(length, 2);
  EXPECT_FALSE(readZeroEnded(&r, &text, &length));
  EXPECT_EQ(r.position, 3);
}

TEST(StreamReader, BytesSkipsSeeksAndSubStreamsStayInside) {
  const unsigned char b[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  HeapBytes heap(b, sizeof b);
  StreamReader r = heap.reader();
  const unsigned char *p;
  EXPECT_FALSE(readBytes(&r, -1, &p));
  EXPECT_FALSE(skipBytes(&r, 9));
  ASSERT_TRUE(readBytes(&r, 0, &p));
  EXPECT_EQ(p, nullptr);
  StreamReader inner;
  EXPECT_FALSE(readSubStream(&r, 9, &inner));
  ASSERT_TRUE(readSubStream(&r, 5, &inner));
  EXPECT_EQ(r.position, 5);
  EXPECT_EQ(inner.length, 5);
  EXPECT_FALSE(skipBytes(&inner, 6));
  EXPECT_TRUE(seekTo(&inner, 5));
  EXPECT_FALSE(seekTo(&inner, 6));
  EXPECT_FALSE(seekTo(&inner, -1));
  EXPECT_EQ(inner.position, 5);
  uint32_t word;
  EXPECT_FALSE(readWord(&inner, &word));  // the outer bytes 6-8 are not the inner reader's
}

TEST(StreamReader, NegativeLengthReadsAsEmpty) {
  const unsigned char b[4] = {};
  StreamReader r = makeStreamReader(b, -4);
  uint32_t word;
  EXPECT_EQ(remainingBytes(r), 0);
  EXPECT_FALSE(readWord(&r, &word));
}

}  // namespace
