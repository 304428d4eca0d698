// The reader on damaged input: every truncation and every corrupted count fails without reading
// outside the block (the input sits in an exactly sized heap block for AddressSanitizer), and a
// failed read holds no heap copies.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/ui/form_builder.h"
#include "ui/form_ids.h"
#include "ui/form_model.h"
#include "ui/form_templates.h"
#include "ui/main_form.h"
#include "values/block.h"
#include "values/heap.h"

namespace {

void handlerForTest() {}
const uintptr_t kCodeStart = reinterpret_cast<uintptr_t>(handlerForTest) - 0x10;

// Counts the blocks the heap holds, so a test can see that every copy was released.
int g_liveBlocks = 0;
HeapCalls g_realHeap;
void *countingAllocate(size_t size) {
  ++g_liveBlocks;
  return g_realHeap.allocate(size);
}
void countingRelease(void *block) {
  --g_liveBlocks;
  g_realHeap.release(block);
}

class FormReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_realHeap = g_heapCalls;
    g_heapCalls = {countingAllocate, countingRelease};
    g_liveBlocks = 0;
    const MainFormHandlers handlers = {handlerForTest, handlerForTest, handlerForTest};
    ASSERT_EQ(encodeMainForm(handlers, kCodeStart, form, sizeof form), kMainFormLength);
  }
  void TearDown() override { g_heapCalls = g_realHeap; }

  // Reads length bytes of bytes from an exactly sized heap copy; gives the reader's answer.
  bool readCopy(const unsigned char *bytes, int32_t length) {
    unsigned char *copy = new unsigned char[length];
    if (length > 0) std::memcpy(copy, bytes, length);
    const bool ok = readFormDescription(copy, length, kCodeStart, &templates);
    delete[] copy;
    if (!ok) {
      EXPECT_EQ(templates.windowCount, 0);
    }
    clearFormTemplates(&templates);
    return ok;
  }

  void putWord(unsigned char *at, uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<unsigned char>(value >> (8 * i));
  }
  uint32_t wordAt(const unsigned char *p) const {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
  }

  unsigned char form[kMainFormLength];
  FormTemplates templates{};
};

TEST_F(FormReaderTest, WholeFormReads) {
  EXPECT_TRUE(readCopy(form, kMainFormLength));
  EXPECT_EQ(g_liveBlocks, 0);
}

TEST_F(FormReaderTest, EveryTruncationFails) {
  for (int32_t n = 0; n < kMainFormLength; ++n) {
    EXPECT_FALSE(readCopy(form, n)) << "prefix of " << n << " bytes";
    ASSERT_EQ(g_liveBlocks, 0) << "prefix of " << n << " bytes";
  }
}

TEST_F(FormReaderTest, BytesAfterTheFormAreIgnored) {
  unsigned char longer[kMainFormLength + 3] = {};
  std::memcpy(longer, form, kMainFormLength);
  EXPECT_TRUE(readCopy(longer, sizeof longer));
}

TEST_F(FormReaderTest, EmptyWindowMapReadsAsNoWindows) {
  const unsigned char empty[4] = {0, 0, 0, 0};
  EXPECT_TRUE(readFormDescription(empty, 4, kCodeStart, &templates));
  EXPECT_EQ(templates.windowCount, 0);
  EXPECT_EQ(findWindowTemplate(&templates, kMainWindowId), nullptr);
}

// Places in MainWindow's stored form: the header (12 bytes), the template's reserved words and
// texts and counts (24), the unit block with 8 ids and 8 offsets (64), then the records.
constexpr int32_t kReservedTexts = 20;
constexpr int32_t kUnitCountAt = 28;
constexpr int32_t kBlockSizeAt = 32;
constexpr int32_t kOffsetsAt = 36 + 32;
constexpr int32_t kFirstRecordLengthAt = 36 + 64;
constexpr int32_t kWindowRecord = kFirstRecordLengthAt + 4;  // its kind word
// Within the window's record: kind, shared bindings, 16 reserved bytes, an empty name and an
// empty reserved text, the object slot, place and size, the cursor slot, the parent, then ...
constexpr int32_t kMemberCountAt = kWindowRecord + 54;
constexpr int32_t kCursorCountAt = kMemberCountAt + 4;
// ... 4 cursor bytes, an empty tag, a reserved word, flags and tab order.
constexpr int32_t kBindingCountAt = kCursorCountAt + 4 + 4 + 1 + 4 + 4 + 4;

struct Corruption {
  const char *what;
  int32_t at;
  uint32_t value;
};

const Corruption kCorruptions[] = {
    {"map size not a multiple of 8", 0, 7},
    {"map size 12", 0, 12},
    {"map size negative", 0, 0xFFFFFFF8},
    {"more windows than the templates hold", 0, 8 * (kMaxWindows + 1)},
    {"huge map size", 0, 0x7FFFFFF8},
    {"first reserved text count negative", kReservedTexts, 0xFFFFFFFF},
    {"second reserved text count huge", kReservedTexts + 4, 0x7FFFFFFF},
    {"unit count 0", kUnitCountAt, 0},
    {"unit count above the template's", kUnitCountAt, kMaxUnits + 1},
    {"unit count huge", kUnitCountAt, 0x7FFFFFFF},
    {"unit count negative", kUnitCountAt, 0xFFFFFFFF},
    {"unit count larger than the block holds", kUnitCountAt, 9},
    {"block size huge", kBlockSizeAt, 0x7FFFFFFF},
    {"block size one past the end", kBlockSizeAt, 1650},
    {"block size cuts the last record", kBlockSizeAt, 1648},
    {"block size negative", kBlockSizeAt, 0xFFFFFFFF},
    {"block size smaller than its arrays", kBlockSizeAt, 40},
    {"offset negative", kOffsetsAt + 4 * 3, 0xFFFFFFFF},
    {"offset at the end of the records", kOffsetsAt + 4 * 3, 1649 - 64},
    {"offset 2 before the end", kOffsetsAt + 4 * 7, 1649 - 64 - 2},
    {"offset huge", kOffsetsAt, 0x7FFFFFFF},
    {"record length past the block", kFirstRecordLengthAt, 1649 - 64},
    {"record length negative", kFirstRecordLengthAt, 0xFFFFFFFF},
    {"record length huge", kFirstRecordLengthAt, 0x7FFFFFFF},
    {"record too short for its fields", kFirstRecordLengthAt, 60},
    {"first record not a window", kWindowRecord, kKindLabel},
    {"member count negative", kMemberCountAt, 0xFFFFFFFF},
    {"member count overflowing 4 x count", kMemberCountAt, 0x40000001},
    {"member count past the record", kMemberCountAt, 200},
    {"cursor data count negative", kCursorCountAt, 0xFFFFFFFF},
    {"cursor data past the record", kCursorCountAt, 1000},
    {"binding count above the record's", kBindingCountAt, kMaxBindings + 1},
    {"binding count negative", kBindingCountAt, 0xFFFFFFFF},
    {"binding count huge", kBindingCountAt, 0x7FFFFFFF},
};

TEST_F(FormReaderTest, CorruptedCountsFail) {
  ASSERT_EQ(wordAt(form + kBindingCountAt), 1u);  // the places above are the right ones
  ASSERT_EQ(wordAt(form + kCursorCountAt), 4u);
  ASSERT_EQ(wordAt(form + kWindowRecord), kKindWindow);
  for (const Corruption &c : kCorruptions) {
    unsigned char damaged[kMainFormLength];
    std::memcpy(damaged, form, sizeof damaged);
    putWord(damaged + c.at, c.value);
    EXPECT_FALSE(readCopy(damaged, sizeof damaged)) << c.what;
    EXPECT_EQ(g_liveBlocks, 0) << c.what;
  }
}

TEST_F(FormReaderTest, NameWithoutItsZeroFails) {
  // The last record (the timer, without kind data): its name and everything after it.
  const int32_t last = kFirstRecordLengthAt + static_cast<int32_t>(wordAt(form + kOffsetsAt + 28));
  const int32_t name = last + 4 + 24;
  unsigned char damaged[kMainFormLength];
  std::memcpy(damaged, form, sizeof damaged);
  std::memset(damaged + name, 'A', kMainFormLength - name);
  EXPECT_FALSE(readCopy(damaged, sizeof damaged));
}

TEST_F(FormReaderTest, ReadingChecksNoKindData) {
  // A window caption count that runs past its block is the window kind's to refuse.
  unsigned char damaged[kMainFormLength];
  std::memcpy(damaged, form, sizeof damaged);
  const int32_t captionCount = kWindowRecord + 219 - 4 - 8 - 4;  // before the help file
  ASSERT_EQ(wordAt(damaged + captionCount), 8u);
  putWord(damaged + captionCount, 0x7FFFFFFF);
  EXPECT_TRUE(readCopy(damaged, sizeof damaged));
}

// A window template of units with one window record first.
struct FormBuffer {
  unsigned char bytes[65536];
  int32_t length;
};

FormBuffer build(const TestWindow *windows, int32_t count) {
  FormBuffer f{};
  f.length = buildForm(windows, count, f.bytes, sizeof f.bytes);
  return f;
}

TEST_F(FormReaderTest, TagsAndCursorsAreCopiesAndMembersStayInPlace) {
  const uint32_t members[] = {0x16010002, 0x16010003};
  const unsigned char cursor[] = {1, 2, 3, 4, 5};
  TestUnit units[2] = {testUnit(0x06010000, kKindWindow), testUnit(0x16010002, kKindLabel)};
  units[1].tag = "tag text";
  units[1].members = members;
  units[1].memberCount = 2;
  units[1].cursor = cursor;
  units[1].cursorLength = sizeof cursor;
  const TestWindow window = {0x52010001, units, 2};
  const FormBuffer f = build(&window, 1);
  ASSERT_GT(f.length, 0);
  ASSERT_TRUE(readFormDescription(f.bytes, f.length, kCodeStart, &templates));
  const UnitRecord &u = templates.windows[0].units[1];
  ASSERT_NE(u.tag, nullptr);
  EXPECT_STREQ(u.tag, "tag text");
  EXPECT_TRUE(u.tag < reinterpret_cast<const char *>(f.bytes) ||
              u.tag >= reinterpret_cast<const char *>(f.bytes + f.length));
  ASSERT_EQ(u.cursorDataLength, 5);
  EXPECT_EQ(std::memcmp(u.cursorData, cursor, 5), 0);
  EXPECT_EQ(u.memberCount, 2);
  EXPECT_TRUE(u.members > f.bytes && u.members < f.bytes + f.length);
  EXPECT_EQ(u.members[4], 0x03);  // the second id, little-endian
  EXPECT_EQ(g_liveBlocks, 2);
  clearFormTemplates(&templates);
  EXPECT_EQ(g_liveBlocks, 0);
  EXPECT_EQ(templates.windowCount, 0);
}

TEST_F(FormReaderTest, LimitsAreInclusive) {
  TestUnit units[kMaxUnits + 1];
  TestBinding bindings[kMaxBindings + 1];
  for (int32_t i = 0; i <= kMaxBindings; ++i) bindings[i] = TestBinding{i, 0x10};
  units[0] = testUnit(0x06010000, kKindWindow);
  units[0].bindings = bindings;
  for (int32_t i = 1; i <= kMaxUnits; ++i) units[i] = testUnit(0x16010000u + i, kKindLabel);
  TestWindow windows[kMaxWindows + 1];
  for (int32_t i = 0; i <= kMaxWindows; ++i) windows[i] = TestWindow{0x52010001u + i, units, 1};

  const struct {
    const char *what;
    int32_t windowCount, unitCount, bindingCount;
    bool ok;
  } cases[] = {
      {"the most of everything", kMaxWindows, kMaxUnits, kMaxBindings, true},
      {"one window too many", kMaxWindows + 1, 1, 0, false},
      {"one unit too many", 1, kMaxUnits + 1, 0, false},
      {"one binding too many", 1, 1, kMaxBindings + 1, false},
  };
  for (const auto &c : cases) {
    for (TestWindow &w : windows) w.unitCount = c.unitCount;
    units[0].bindingCount = c.bindingCount;
    const FormBuffer f = build(windows, c.windowCount);
    ASSERT_GT(f.length, 0) << c.what;
    EXPECT_EQ(readCopy(f.bytes, f.length), c.ok) << c.what;
  }
}

TEST_F(FormReaderTest, HandlerReferencesAreBoundFromTheCodeStart) {
  const TestBinding bindings[] = {{0, 0x10}, {3, 0xFFFFFFFF}, {-7, 0}};
  TestUnit unit = testUnit(0x06010000, kKindWindow);
  unit.bindings = bindings;
  unit.bindingCount = 3;
  const TestWindow window = {0x52010001, &unit, 1};
  const FormBuffer f = build(&window, 1);
  ASSERT_TRUE(readFormDescription(f.bytes, f.length, kCodeStart, &templates));
  const UnitRecord &u = templates.windows[0].units[0];
  ASSERT_EQ(u.bindingCount, 3);
  EXPECT_EQ(u.bindings[0].handler, &handlerForTest);
  EXPECT_EQ(u.bindings[1].event, 3);
  EXPECT_EQ(u.bindings[1].handler, nullptr);
  EXPECT_EQ(u.bindings[2].event, -7);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(u.bindings[2].handler), kCodeStart);
  clearFormTemplates(&templates);
}

TEST_F(FormReaderTest, FailureInALaterWindowReleasesEarlierCopies) {
  TestUnit first = testUnit(0x06010000, kKindWindow);
  first.tag = "kept until the failure";
  TestUnit broken = testUnit(0x06010000, kKindLabel);  // a template must start with a window
  const TestWindow windows[] = {{0x52010001, &first, 1}, {0x52010002, &broken, 1}};
  const FormBuffer f = build(windows, 2);
  EXPECT_FALSE(readCopy(f.bytes, f.length));
  EXPECT_EQ(g_liveBlocks, 0);
}

}  // namespace
