// The text forms of date-times: writing, reading, full-width folding.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

#include "tests/values/counting_heap.h"
#include "values/block.h"
#include "values/date_time_text.h"
#include "values/full_width.h"

namespace {

#define Y "\xC4\xEA"  // 年
#define MO "\xD4\xC2"  // 月
#define D "\xC8\xD5"  // 日
#define H "\xCA\xB1"  // 时
#define MI "\xB7\xD6"  // 分
#define S "\xC3\xEB"  // 秒

DateTime at(int32_t year, int32_t month, int32_t day, int32_t hour, int32_t minute, int32_t second) {
  DateTime value = 0;
  EXPECT_TRUE(makeDateTime(year, month, day, hour, minute, second, &value));
  return value;
}

// The reading of s from an exact-size heap copy, so that a read past its terminator is
// caught by the address sanitizer.
DateTime readHeld(const std::string &s) {
  Text copy = textFromBytes(s.data(), static_cast<int32_t>(s.size()));
  const DateTime value = textToDateTime(copy);
  releaseBlock(copy);
  return value;
}

struct ToTextCase {
  DateTime value;
  const char *text;
};

TEST(DateTimeToText, LeavesOutTrailingZeroParts) {
  const double kTenths = 0.1 / 86400;
  const ToTextCase cases[] = {
      {at(2017, 11, 12, 9, 5, 3), "2017" Y "11" MO "12" D "9" H "5" MI "3" S},
      {at(2017, 11, 12, 0, 0, 0), "2017" Y "11" MO "12" D},
      {at(2017, 11, 12, 9, 5, 0), "2017" Y "11" MO "12" D "9" H "5" MI},
      {at(2017, 11, 12, 9, 0, 0), "2017" Y "11" MO "12" D "9" H},
      {at(2017, 11, 12, 9, 0, 3), "2017" Y "11" MO "12" D "9" H "0" MI "3" S},
      {at(2017, 11, 12, 0, 5, 0), "2017" Y "11" MO "12" D "0" H "5" MI},
      {at(2017, 11, 12, 0, 0, 3), "2017" Y "11" MO "12" D "0" H "0" MI "3" S},
      {at(2017, 11, 12, 9, 5, 3) + 6 * kTenths, "2017" Y "11" MO "12" D "9" H "5" MI "4" S},
      {at(2017, 11, 12, 23, 59, 59) + 6 * kTenths, "2017" Y "11" MO "13" D},
      {at(9999, 12, 31, 23, 59, 59), "9999" Y "12" MO "31" D},
      {at(9876, 10, 28, 23, 59, 59), "9876" Y "10" MO "28" D "23" H "59" MI "59" S},
      {kDateTimeMin, "100" Y "1" MO "1" D},
      {kDateTimeMin - 1, "100" Y "1" MO "1" D},
      {-657434.25, "100" Y "1" MO "1" D},
      {kDateTimeMax + 1, "9999" Y "12" MO "31" D},
      {std::numeric_limits<double>::quiet_NaN(), "9999" Y "12" MO "31" D},
      {-1.25, "1899" Y "12" MO "29" D "6" H},
  };
  for (const ToTextCase &c : cases) {
    SCOPED_TRACE(c.text);
    CountingHeap heap;
    Text text = dateTimeToText(c.value);
    EXPECT_STREQ(text, c.text);
    ASSERT_EQ(g_heapRecord.allocations, 1);
    EXPECT_EQ(g_heapRecord.sizes[0], std::strlen(c.text) + 1);
    releaseBlock(text);
  }
}

struct ReadCase {
  std::string text;
  DateTime expected;
};

TEST(TextToDateTime, ReadsUnitAndNumericForms) {
  const DateTime kSample = at(2017, 11, 12, 9, 5, 3);
  const ReadCase cases[] = {
      {"2017" Y "11" MO "12" D "09" H "05" MI "03" S, 43051.37850694444},
      {"2017" Y "11" MO "12" D "9" H "5" MI "3" S, kSample},
      {"2017-11-12 09:05:03", kSample},
      {"2017/11/12 9:5:3", kSample},
      {"2017.11.12 9.5.3", kSample},
      {"20171112090503", kSample},
      // 2017-11-12　09:05:03 in full-width digits and colons with an ideographic space
      {"\xA3\xB2\xA3\xB0\xA3\xB1\xA3\xB7\xA3\xAD\xA3\xB1\xA3\xB1\xA3\xAD\xA3\xB1\xA3\xB2"
       "\xA1\xA1\xA3\xB0\xA3\xB9\xA3\xBA\xA3\xB0\xA3\xB5\xA3\xBA\xA3\xB0\xA3\xB3",
       kSample},
      // ２０１７年１１月１２日９时５分３秒
      {"\xA3\xB2\xA3\xB0\xA3\xB1\xA3\xB7" Y "\xA3\xB1\xA3\xB1" MO "\xA3\xB1\xA3\xB2" D
       "\xA3\xB9" H "\xA3\xB5" MI "\xA3\xB3" S,
       kSample},
      {"2017" Y "11" MO "12" D "09" H "05" MI "03", kSample},
      {"2017" Y "11" MO "12" D "09" H "05" MI "03" S "abc " Y "\xA3", kSample},
      {"2017" Y "11" MO "12" D "09" H "05" MI "03" S "\xC3", kSample},
      {"2017" Y "11" MO "12" D "09" H "05" MI "03\xC3", kSample},  // half a 秒, dropped
      {"2017" Y "11" MO "12" D, at(2017, 11, 12, 0, 0, 0)},
      {"2017-11-12", at(2017, 11, 12, 0, 0, 0)},
      {"2017-11-12\xA3", at(2017, 11, 12, 0, 0, 0)},
      {"2017" Y "11" MO "12" D "9" H, at(2017, 11, 12, 9, 0, 0)},
      {"2017-1-2 3", at(2017, 1, 2, 3, 0, 0)},
      {"2016" Y "2" MO "29" D, at(2016, 2, 29, 0, 0, 0)},
      {"2000-2-29", at(2000, 2, 29, 0, 0, 0)},
      {"12345-1-1", at(1234, 5, 1, 1, 0, 0)},
      {"100-1-1", kDateTimeMin},
      {"9999-12-31 23:59:59", 2958465.999988426},
      {"100-1-1 6:00", -657434.25},
      {"2017:11:12:09:05:03", kSample},
      {"2017" Y "11" MO "12 9" H "5" MI "3" S, kSample},
  };
  for (const ReadCase &c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_DOUBLE_EQ(readHeld(c.text), c.expected);
  }
}

TEST(TextToDateTime, GivesTheMinimumForUnreadableText) {
  const std::string cases[] = {
      "",
      Y MO D H MI S,
      "abc",
      "2017" Y "2" MO "29" D,
      "1900-2-29",
      "99-1-1",
      "2017-13-01",
      "2017-0-01",
      "2017-11-0",
      "2017-11-31",
      "2017-11-12 24:00:00",
      "2017-11-12 09:60",
      "2017-11-12 09:05:60",
      "2017-11-12 09:05:03 ",
      " 2017-11-12",
      "2017" Y "11" MO "12" D " 09" H,
      "2017-11-12T09:05:03",
      "2017--11-12",
      "2017" Y "11" MO "12" D "9\xB5\xE3",  // 9点
      "2017-11-12 09:05:03:01",
      "2017-11-12 09:05:031",
      "\xA3",
      "\xA3\xB2\xA3\xB0\xA3\xB1\xA3\xB7",  // ２０１７ alone: no month
  };
  for (const std::string &text : cases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(readHeld(text), kDateTimeMin);
  }
  EXPECT_EQ(textToDateTime(nullptr), kDateTimeMin);
}

// The working copy is the one block, and it is released before the result comes back.
TEST(TextToDateTime, MakesOneWorkingCopyAndReleasesIt) {
  const char *texts[] = {"2017-11-12 09:05:03", "abc", "2017" Y "11" MO "12" D};
  for (const char *text : texts) {
    SCOPED_TRACE(text);
    CountingHeap heap;
    textToDateTime(text);
    ASSERT_EQ(g_heapRecord.allocations, 1);
    EXPECT_EQ(g_heapRecord.sizes[0], std::strlen(text) + 1);
    EXPECT_EQ(g_heapRecord.releases, 1);
  }
  CountingHeap heap;
  textToDateTime("");
  EXPECT_EQ(g_heapRecord.allocations, 0);
}

TEST(TextToDateTime, LeavesItsArgumentAlone) {
  const std::string original = "\xA3\xB2\xA3\xB0\xA3\xB1\xA3\xB7-11-12";
  char text[32];
  std::memcpy(text, original.c_str(), original.size() + 1);
  EXPECT_EQ(textToDateTime(text), at(2017, 11, 12, 0, 0, 0));
  EXPECT_EQ(std::string(text), original);
}

struct FoldCase {
  std::string in, out;
};

TEST(FoldFullWidth, FoldsTheFullWidthFormsOnly) {
  const FoldCase cases[] = {
      {"abc 09:-./", "abc 09:-./"},
      {"\xA3\xA1\xA3\xB0\xA3\xB9\xA3\xC1\xA3\xFE", "!09A~"},  // row A3, A1..FE
      {"\xA1\xA1", " "},
      {"\xA1\xAB", "~"},
      {"\xA1\xEE\xA1\xEF", "**"},
      {"\xA3\xA0\xA3\xFF", "\xA3\xA0\xA3\xFF"},  // outside A1..FE: kept
      {"\xA1\xA2" Y, "\xA1\xA2" Y},
      {"1\xA3", "1"},                             // a lead byte at the end is dropped
      {"\x80" "1", "\x80" "1"},                     // a lead byte takes any byte after it
      {"\xA3\xA3\xB1", "#"},                      // the B1 after it is a lone lead byte
  };
  for (const FoldCase &c : cases) {
    SCOPED_TRACE(c.in);
    Text in = textFromBytes(c.in.data(), static_cast<int32_t>(c.in.size()));
    char out[32];
    const int32_t length = foldFullWidth(in, out);
    EXPECT_EQ(std::string(out, static_cast<size_t>(length)), c.out);
    EXPECT_EQ(out[length], '\0');
    releaseBlock(in);
  }
}

}  // namespace
