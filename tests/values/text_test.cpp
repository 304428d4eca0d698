// Texts: lengths, copies and cuts, with the exact block each result lives in.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "tests/values/counting_heap.h"
#include "values/block.h"
#include "values/constants.h"
#include "values/text.h"

namespace {

const char kSample[] = "2017-11-12 08:05:09";  // 19 bytes

// The bytes of a result, or "<null>" for a null result.
std::string bytesOf(const char *t) { return t == nullptr ? "<null>" : std::string(t); }

class TextTest : public ::testing::Test {
 protected:
  // A heap copy of s, so that reads past its end are caught by the address sanitizer.
  Text held(const char *s) {
    Text t = textFromBytes(s, static_cast<int32_t>(std::strlen(s)));
    own(t);
    return t;
  }
  Text own(Text t) {
    if (t != nullptr) owned_[ownedCount_++] = t;
    return t;
  }
  void TearDown() override {
    for (int i = 0; i < ownedCount_; ++i) releaseBlock(owned_[i]);
  }

 private:
  Text owned_[32];
  int ownedCount_ = 0;
};

TEST_F(TextTest, LengthCountsBytesBeforeTheTerminator) {
  EXPECT_EQ(textLength(nullptr), 0);
  EXPECT_EQ(textLength(emptyText), 0);
  EXPECT_EQ(textLength(kSample), 19);
  EXPECT_EQ(textLength("\xC4\xEA\xD4\xC2"), 4);  // 年月: two characters, four bytes
}

struct LeftCase {
  int32_t n;
  const char *expected;  // null for a null result
};

TEST_F(TextTest, LeftTakesTheFirstBytes) {
  const LeftCase cases[] = {
      {4, "2017"}, {1, "2"}, {19, kSample}, {25, kSample}, {INT32_MAX, kSample},
      {0, nullptr}, {-1, nullptr}, {INT32_MIN, nullptr},
  };
  const char *sample = held(kSample);
  for (const LeftCase &c : cases) {
    SCOPED_TRACE(c.n);
    EXPECT_EQ(bytesOf(own(textLeft(sample, c.n))), bytesOf(c.expected));
  }
}

struct MiddleCase {
  int32_t start, n;
  const char *expected;
};

TEST_F(TextTest, MiddleTakesBytesFromAOneBasedStart) {
  const MiddleCase cases[] = {
      {6, 2, "11"},
      {18, 2, "09"},
      {19, 2, "9"},
      {19, 1, "9"},
      {1, 19, kSample},
      {1, 4, "2017"},
      {12, INT32_MAX, "08:05:09"},
      {19, INT32_MAX, "9"},
      {1, INT32_MAX, kSample},
      {20, 2, nullptr},
      {20, INT32_MAX, nullptr},
      {INT32_MAX, INT32_MAX, nullptr},
      {0, 2, nullptr},
      {0, INT32_MAX, nullptr},
      {-5, INT32_MAX, nullptr},
      {INT32_MIN, INT32_MAX, nullptr},
      {6, 0, nullptr},
      {6, -1, nullptr},
      {6, INT32_MIN, nullptr},
  };
  const char *sample = held(kSample);
  for (const MiddleCase &c : cases) {
    SCOPED_TRACE(::testing::Message() << "start " << c.start << " count " << c.n);
    EXPECT_EQ(bytesOf(own(textMiddle(sample, c.start, c.n))), bytesOf(c.expected));
  }
}

TEST_F(TextTest, EveryFormOfTheEmptyTextCutsToNull) {
  const char *allocatedEmpty = own(joinTexts(1, nullptr));
  ASSERT_NE(allocatedEmpty, nullptr);
  const char *empties[] = {nullptr, emptyText, allocatedEmpty};
  for (const char *t : empties) {
    EXPECT_EQ(textLeft(t, 1), nullptr);
    EXPECT_EQ(textLeft(t, INT32_MAX), nullptr);
    EXPECT_EQ(textMiddle(t, 1, 1), nullptr);
    EXPECT_EQ(textMiddle(t, 1, INT32_MAX), nullptr);
    EXPECT_EQ(textFromString(t), nullptr);
  }
}

TEST_F(TextTest, CopyKeepsAnAllocatedEmptyTextAsABlock) {
  EXPECT_EQ(copyText(nullptr), nullptr);
  const char *allocatedEmpty = own(joinTexts(1, emptyText));
  const char *sources[] = {emptyText, allocatedEmpty};
  for (const char *t : sources) {
    CountingHeap heap;
    const char *copy = own(copyText(t));
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, t);
    EXPECT_EQ(copy[0], '\0');
    ASSERT_EQ(g_heapRecord.allocations, 1);
    EXPECT_EQ(g_heapRecord.sizes[0], 1u);
  }
}

TEST_F(TextTest, CuttingADoubleByteCharacterKeepsTheHalves) {
  const char *units = held("\xC4\xEA\xD4\xC2");  // 年月
  EXPECT_EQ(bytesOf(own(textLeft(units, 3))), "\xC4\xEA\xD4");     // ends with a lead byte
  EXPECT_EQ(bytesOf(own(textMiddle(units, 2, 2))), "\xEA\xD4");    // starts with a trail byte
  EXPECT_EQ(bytesOf(own(textMiddle(units, 4, 9))), "\xC2");
}

TEST_F(TextTest, FromBytesCopiesZeroBytesLikeAnyOther) {
  const char bytes[] = {'A', '\0', 'B'};
  Text t = own(textFromBytes(bytes, 3));
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(std::memcmp(t, "A\0B\0", 4), 0);
  EXPECT_EQ(textLength(t), 1);
  EXPECT_EQ(textFromBytes(bytes, 0), nullptr);
  EXPECT_EQ(textFromBytes(bytes, -1), nullptr);
  EXPECT_EQ(textFromBytes(bytes, INT32_MIN), nullptr);
}

TEST_F(TextTest, FromStringCopiesUpToTheTerminator) {
  EXPECT_EQ(textFromString(nullptr), nullptr);
  EXPECT_EQ(textFromString(""), nullptr);
  EXPECT_EQ(bytesOf(own(textFromString(kSample))), kSample);
}

// Each operation's result lives in a block of exactly its length + 1 bytes, made in one
// allocation.
TEST_F(TextTest, ResultsLiveInBlocksOfTheirExactSize) {
  const char *sample = held(kSample);
  struct Case {
    const char *name;
    Text (*make)(const char *);
    size_t size;
  };
  const Case cases[] = {
      {"copyText", [](const char *t) { return copyText(t); }, 20},
      {"textFromString", [](const char *t) { return textFromString(t); }, 20},
      {"textFromBytes 5", [](const char *t) { return textFromBytes(t, 5); }, 6},
      {"textLeft 4", [](const char *t) { return textLeft(t, 4); }, 5},
      {"textLeft 25", [](const char *t) { return textLeft(t, 25); }, 20},
      {"textMiddle 6 2", [](const char *t) { return textMiddle(t, 6, 2); }, 3},
      {"textMiddle 12 max", [](const char *t) { return textMiddle(t, 12, INT32_MAX); }, 9},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    CountingHeap heap;
    own(c.make(sample));
    ASSERT_EQ(g_heapRecord.allocations, 1);
    EXPECT_EQ(g_heapRecord.sizes[0], c.size);
  }
}

}  // namespace
