// Finding windows, units and handlers: invalid ids are never found, shared bindings are followed
// only to records of the same kind, and a cycle of links ends.
#include <gtest/gtest.h>

#include "tests/ui/form_builder.h"
#include "ui/form_model.h"
#include "ui/form_templates.h"

namespace {

void anchor() {}
const uintptr_t kCodeStart = reinterpret_cast<uintptr_t>(anchor);
EventHandler handlerAt(uint32_t offset) { return reinterpret_cast<EventHandler>(kCodeStart + offset); }

TEST(ValidId, SerialAndCategoryMustBothBeSet) {
  const struct {
    uint32_t id;
    bool valid;
  } cases[] = {
      {0x52010001, true},  {0x16011CFB, true},  {0x06010000, true},  {0x01000001, true},
      {0x00000000, false}, {0x06000000, false}, {0x10000005, false}, {0xF0FFFFFF, false},
      {0x5F000000, false}, {0x0F000001, true},
  };
  for (const auto &c : cases) EXPECT_EQ(isValidId(c.id), c.valid) << std::hex << c.id;
}

class FormLookupTest : public ::testing::Test {
 protected:
  // Reads windows into templates; the units' bindings use references 0x10 * (unit index + 1).
  void read(const TestWindow *windows, int32_t count) {
    const int32_t length = buildForm(windows, count, bytes, sizeof bytes);
    ASSERT_GT(length, 0);
    ASSERT_TRUE(readFormDescription(bytes, length, kCodeStart, &templates));
  }
  void TearDown() override { clearFormTemplates(&templates); }

  unsigned char bytes[16384];
  FormTemplates templates{};
};

TEST_F(FormLookupTest, InvalidIdsAreNotFoundEvenWhenListed) {
  TestUnit units[] = {testUnit(0x06010000, kKindWindow), testUnit(0x06000000, kKindLabel),
                      testUnit(0x10000007, kKindLabel), testUnit(0x16010002, kKindLabel)};
  const TestWindow windows[] = {{0x50000001, units, 4}, {0x52000000, units, 4},
                                {0x52010001, units, 4}};
  read(windows, 3);
  EXPECT_EQ(findWindowTemplate(&templates, 0x50000001), nullptr);  // category 0
  EXPECT_EQ(findWindowTemplate(&templates, 0x52000000), nullptr);  // serial 0
  EXPECT_EQ(findWindowTemplate(&templates, 0), nullptr);
  EXPECT_EQ(findWindowTemplate(&templates, 0x52010002), nullptr);  // not in the form
  WindowTemplate *w = findWindowTemplate(&templates, 0x52010001);
  ASSERT_EQ(w, &templates.windows[2]);
  EXPECT_EQ(findUnit(w, 0x06000000), nullptr);
  EXPECT_EQ(findUnit(w, 0x10000007), nullptr);
  EXPECT_EQ(findUnit(w, 0x16010002), &w->units[3]);
  EXPECT_EQ(findUnit(w, 0x16010003), nullptr);
  EXPECT_EQ(findUnit(w, 0), &w->units[0]);
  EXPECT_EQ(findUnit(w, 0x06010000), &w->units[0]);
  EXPECT_EQ(findUnit(nullptr, 0), nullptr);
  EXPECT_EQ(findWindowTemplate(nullptr, 0x52010001), nullptr);
}

TEST_F(FormLookupTest, WindowRecordWithAnInvalidIdIsFoundOnlyByZero) {
  TestUnit units[] = {testUnit(0x00010000, kKindWindow)};
  const TestWindow window = {0x52010001, units, 1};
  read(&window, 1);
  WindowTemplate *w = findWindowTemplate(&templates, 0x52010001);
  EXPECT_EQ(findUnit(w, 0), &w->units[0]);
  EXPECT_EQ(findUnit(w, 0x00010000), nullptr);
}

// Record i (1-based after the window) has id 0x16010000 + i and binds event 0 to offset 0x10 * i.
struct SharingCase {
  const char *what;
  uint32_t kinds[4];
  uint32_t shares[4];  // the shared-bindings id of each control, 0 for its own
  int32_t asked;       // the control whose event 0 is looked up
  uint32_t expected;   // offset of the handler found
};

const SharingCase kSharing[] = {
    {"own bindings", {kKindButton, kKindButton, kKindButton, kKindButton}, {0, 0, 0, 0}, 2, 0x20},
    {"shares a button's", {kKindButton, kKindButton, kKindButton, kKindButton},
     {0, 0x16010001, 0, 0}, 2, 0x10},
    {"chain of two", {kKindButton, kKindButton, kKindButton, kKindButton},
     {0, 0x16010003, 0x16010001, 0}, 2, 0x10},
    {"other kind is not followed", {kKindLabel, kKindButton, kKindButton, kKindButton},
     {0, 0x16010001, 0, 0}, 2, 0x20},
    {"missing unit is not followed", {kKindButton, kKindButton, kKindButton, kKindButton},
     {0, 0x16010009, 0, 0}, 2, 0x20},
    {"invalid id is not followed", {kKindButton, kKindButton, kKindButton, kKindButton},
     {0, 0x06000000, 0, 0}, 2, 0x20},
    {"itself", {kKindButton, kKindButton, kKindButton, kKindButton}, {0, 0x16010002, 0, 0}, 2,
     0x20},
    {"the window's record is of another kind", {kKindButton, kKindButton, kKindButton, kKindButton},
     {0, 0x06010000, 0, 0}, 2, 0x20},
};

TEST_F(FormLookupTest, SharedBindingsAreFollowedToTheSameKind) {
  for (const SharingCase &c : kSharing) {
    TestUnit units[5] = {testUnit(0x06010000, kKindWindow)};
    TestBinding bindings[5];
    for (int i = 1; i <= 4; ++i) {
      units[i] = testUnit(0x16010000u + i, c.kinds[i - 1]);
      units[i].sharedBindings = c.shares[i - 1];
      bindings[i] = TestBinding{0, 0x10u * i};
      units[i].bindings = &bindings[i];
      units[i].bindingCount = 1;
    }
    const TestWindow window = {0x52010001, units, 5};
    read(&window, 1);
    WindowTemplate *w = &templates.windows[0];
    EXPECT_EQ(findHandler(w, findUnit(w, 0x16010000u + c.asked), 0), handlerAt(c.expected))
        << c.what;
    EXPECT_EQ(findHandler(w, findUnit(w, 0x16010000u + c.asked), 1), nullptr) << c.what;
    clearFormTemplates(&templates);
  }
}

TEST_F(FormLookupTest, CycleOfSharedBindingsEnds) {
  TestUnit units[3] = {testUnit(0x06010000, kKindWindow), testUnit(0x16010001, kKindTimer),
                       testUnit(0x16010002, kKindTimer)};
  const TestBinding first = {0, 0x10}, second = {0, 0x20};
  units[1].sharedBindings = 0x16010002;
  units[1].bindings = &first;
  units[1].bindingCount = 1;
  units[2].sharedBindings = 0x16010001;
  units[2].bindings = &second;
  units[2].bindingCount = 1;
  const TestWindow window = {0x52010001, units, 3};
  read(&window, 1);
  WindowTemplate *w = &templates.windows[0];
  const EventHandler found = findHandler(w, &w->units[1], 0);
  EXPECT_TRUE(found == handlerAt(0x10) || found == handlerAt(0x20));
}

TEST_F(FormLookupTest, MissingUnitOrWindowHasNoHandler) {
  TestUnit unit = testUnit(0x06010000, kKindWindow);
  const TestWindow window = {0x52010001, &unit, 1};
  read(&window, 1);
  EXPECT_EQ(findHandler(&templates.windows[0], nullptr, 0), nullptr);
  EXPECT_EQ(findHandler(nullptr, &templates.windows[0].units[0], 0), nullptr);
  EXPECT_EQ(findHandler(&templates.windows[0], &templates.windows[0].units[0], 0), nullptr);
}

}  // namespace
