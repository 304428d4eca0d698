// The conversions of property values by PropertyType, in both directions, the clamps of the
// common properties, the font members and the unit's own copies of texts and byte data.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ui/property_types.h"
#include "ui/value_slots.h"
#include "values/block.h"
#include "values/byte_set.h"
#include "values/text.h"

namespace {

uintptr_t pointer(const void *p) { return reinterpret_cast<uintptr_t>(p); }

TEST(PropertyTypes, CodesFallIntoTheirClasses) {
  const struct {
    int32_t type;
    TypeClass expected;
  } cases[] = {
      {1000, TypeClass::integer}, {1001, TypeClass::integer}, {1014, TypeClass::integer},
      {1015, TypeClass::integer}, {1017, TypeClass::integer}, {1006, TypeClass::choice},
      {1002, TypeClass::wide},    {1004, TypeClass::wide},    {1003, TypeClass::boolean},
      {1009, TypeClass::bytes},   {1010, TypeClass::bytes},   {1011, TypeClass::bytes},
      {1012, TypeClass::bytes},   {1023, TypeClass::bytes},   {1024, TypeClass::bytes},
      {1013, TypeClass::font},    {1005, TypeClass::text},    {1018, TypeClass::text},
      {1020, TypeClass::text},    {0, TypeClass::text},       {1016, TypeClass::text},
  };
  for (const auto &c : cases) EXPECT_EQ(classifyPropertyType(c.type), c.expected) << c.type;
}

TEST(PropertyTypes, WrittenNumbersAreConvertedByType) {
  const struct {
    int32_t type;
    uintptr_t low;
    int32_t expected;
  } cases[] = {
      {1001, 1000, 1000},
      {1001, static_cast<uint32_t>(-5), -5},
      {1006, static_cast<uint32_t>(-3), 0},  // a negative choice becomes 0
      {1006, 99, 99},                        // the kind holds it to its maximum
      {1003, 0, 0},
      {1003, 1, 1},
      {1003, 7, 1},
      {1003, static_cast<uint32_t>(-1), 1},
      {1015, 0xFF000000u, static_cast<int32_t>(0xFF000000u)},
      {1014, 0x0000FF, 0x0000FF},
  };
  for (const auto &c : cases) {
    const KindValue v = valueFromWire(c.type, c.low, 0);
    EXPECT_EQ(v.form, ValueForm::integer) << c.type;
    EXPECT_EQ(v.integer, c.expected) << c.type << " " << c.low;
  }
}

TEST(PropertyTypes, WideValuesKeepBothHalves) {
  const KindValue v = valueFromWire(1002, 0x89ABCDEFu, 0x01234567u);
  EXPECT_EQ(v.form, ValueForm::wide);
  EXPECT_EQ(v.wide, 0x0123456789ABCDEFull);
  const PropertyValue wire = valueToWire(1004, v);
  EXPECT_EQ(wire.low, 0x89ABCDEFu);
  EXPECT_EQ(wire.high, 0x01234567u);
}

TEST(PropertyTypes, ReadBooleanIsOneOnlyForOne) {
  const struct {
    int32_t stored;
    uintptr_t expected;
  } cases[] = {{0, 0}, {1, 1}, {2, 0}, {-1, 0}};
  for (const auto &c : cases)
    EXPECT_EQ(valueToWire(1003, integerValue(c.stored)).low, c.expected) << c.stored;
  EXPECT_EQ(valueToWire(1001, integerValue(2)).low, 2u);
  EXPECT_EQ(valueToWire(1001, integerValue(-1)).low, 0xFFFFFFFFu);
}

TEST(PropertyTypes, WrittenTextIsAViewAndNullIsEmpty) {
  const char text[] = "\xCD\xF8\xC2\xE7";  // 网络
  KindValue v = valueFromWire(1005, pointer(text), 0);
  EXPECT_EQ(v.form, ValueForm::bytes);
  EXPECT_EQ(v.bytes, reinterpret_cast<const unsigned char *>(text));
  EXPECT_EQ(v.length, 4);
  v = valueFromWire(1005, 0, 0);
  EXPECT_EQ(v.form, ValueForm::bytes);
  EXPECT_EQ(v.length, 0);
}

TEST(PropertyTypes, WrittenByteSetIsAViewAndNullIsEmpty) {
  const unsigned char bytes[] = {0, 1, 2};
  ByteSet set = byteSetFromBytes(bytes, 3);
  KindValue v = valueFromWire(1009, pointer(set), 0);
  EXPECT_EQ(v.length, 3);
  EXPECT_EQ(std::memcmp(v.bytes, bytes, 3), 0);
  releaseBlock(set);
  v = valueFromWire(1011, 0, 0);
  EXPECT_EQ(v.length, 0);
  EXPECT_EQ(v.bytes, nullptr);
}

TEST(PropertyTypes, ReadTextIsANewCopyAndEmptyIsNull) {
  const char text[] = "abc";
  const PropertyValue wire = valueToWire(1005, textValue(text));
  const char *copy = reinterpret_cast<const char *>(wire.low);
  ASSERT_NE(copy, nullptr);
  EXPECT_NE(copy, text);
  EXPECT_STREQ(copy, "abc");
  releaseBlock(copy);
  EXPECT_EQ(valueToWire(1005, textValue(nullptr)).low, 0u);
  EXPECT_EQ(valueToWire(1005, textValue("")).low, 0u);
  EXPECT_EQ(valueToWire(1005, noValue()).low, 0u);
}

TEST(PropertyTypes, ReadBytesAreANewByteSetAndEmptyIsNull) {
  const unsigned char bytes[] = {9, 8, 7, 6};
  const PropertyValue wire = valueToWire(1009, bytesValue(bytes, 4));
  const ByteSetHeader *set = reinterpret_cast<const ByteSetHeader *>(wire.low);
  ASSERT_NE(set, nullptr);
  EXPECT_EQ(set->headerWord, 1u);
  EXPECT_EQ(set->length, 4);
  EXPECT_EQ(std::memcmp(byteSetBytes(set), bytes, 4), 0);
  releaseBlock(set);
  EXPECT_EQ(valueToWire(1011, bytesValue(bytes, 0)).low, 0u);
}

TEST(PropertyTypes, PlaceAndSizeClamps) {
  const struct {
    int32_t value, position, size;
  } cases[] = {
      {0, 0, 0},
      {100, 100, 100},
      {32627, 32627, 32627},
      {32628, 32627, 32627},
      {32767, 32627, 32627},
      {-1, -1, 0},
      {-32627, -32627, 0},
      {-32628, -32627, 0},
      {INT32_MIN, -32627, 0},
      {INT32_MAX, 32627, 32627},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(clampPosition(c.value), c.position) << c.value;
    EXPECT_EQ(clampSize(c.value), c.size) << c.value;
  }
}

class FontMembers : public ::testing::Test {
 protected:
  void SetUp() override {
    std::memset(font, 0, sizeof font);
    const int32_t height = -14, weight = 400;
    std::memcpy(font + 0, &height, 4);
    std::memcpy(font + 16, &weight, 4);
    std::memcpy(font + 28, "YaHei Consolas Hybrid", 21);
  }
  uintptr_t member(int32_t m) { return fontMemberToWire(font, m).low; }
  unsigned char font[kFontDataLength];
};

TEST_F(FontMembers, ReadFromTheLogFont) {
  EXPECT_EQ(member(0), 0u);
  EXPECT_EQ(member(1), 0u);
  EXPECT_EQ(member(2), 0u);
  EXPECT_EQ(member(5), 14u);
  const char *face = reinterpret_cast<const char *>(member(6));
  ASSERT_NE(face, nullptr);
  EXPECT_STREQ(face, "YaHei Consolas Hybrid");
  releaseBlock(face);
  EXPECT_EQ(member(7), 0u);
  EXPECT_EQ(member(-2), 0u);
}

TEST_F(FontMembers, WrittenMembersReadBack) {
  const struct {
    int32_t member;
    uintptr_t written, read;
  } cases[] = {{0, 900, 900}, {1, 1, 1}, {1, 0, 0},   {2, 5, 1},
               {3, 1, 1},     {4, 1, 1}, {5, 20, 20}, {5, static_cast<uint32_t>(-9), 9}};
  for (const auto &c : cases) {
    ASSERT_TRUE(setFontMember(font, c.member, c.written)) << c.member;
    EXPECT_EQ(member(c.member), c.read) << c.member << " " << c.written;
  }
  int32_t weight, height;
  std::memcpy(&weight, font + 16, 4);
  std::memcpy(&height, font + 0, 4);
  EXPECT_EQ(weight, 400);
  EXPECT_EQ(height, -9);
  EXPECT_FALSE(setFontMember(font, 7, 1));
}

TEST_F(FontMembers, FaceNameIsCutWithoutSplittingACharacter) {
  // 30 ASCII bytes, then a double-byte character that would end at byte 32.
  const std::string longFace = std::string(30, 'a') + "\xCD\xF8";
  ASSERT_TRUE(setFontMember(font, 6, pointer(longFace.c_str())));
  const char *face = reinterpret_cast<const char *>(member(6));
  ASSERT_NE(face, nullptr);
  EXPECT_EQ(std::string(face), std::string(30, 'a'));
  releaseBlock(face);
  EXPECT_EQ(font[kFontDataLength - 1], 0);
  ASSERT_TRUE(setFontMember(font, 6, 0));
  EXPECT_EQ(member(6), 0u);
}

TEST(ValueSlots, StoredTextIsACopyAndEmptyLeavesNull) {
  Text slot = nullptr;
  char written[] = "first";
  storeText(&slot, textValue(written));
  ASSERT_NE(slot, nullptr);
  EXPECT_NE(slot, written);
  written[0] = 'F';
  EXPECT_STREQ(slot, "first");
  storeText(&slot, textValue("second"));
  EXPECT_STREQ(slot, "second");
  storeText(&slot, textValue(nullptr));
  EXPECT_EQ(slot, nullptr);
}

TEST(ValueSlots, StoredBytesAreACopy) {
  ByteSet slot = nullptr;
  const unsigned char bytes[] = {1, 2, 3};
  storeBytes(&slot, bytesValue(bytes, 3));
  ASSERT_NE(slot, nullptr);
  const KindValue view = byteSetValue(slot);
  EXPECT_EQ(view.length, 3);
  EXPECT_NE(view.bytes, bytes);
  EXPECT_EQ(std::memcmp(view.bytes, bytes, 3), 0);
  storeBytes(&slot, bytesValue(nullptr, 0));
  EXPECT_EQ(slot, nullptr);
  EXPECT_EQ(byteSetValue(nullptr).length, 0);
}

}  // namespace
