// Event dispatch and the lookup of property calls, on templates read from stored forms:
// handlers run with the current event set, held-back events are lost, and every unknown
// window, unit or kind ends the process with its own message.
#include <gtest/gtest.h>

#include <string>

#include "tests/ui/form_builder.h"
#include "ui/form_ids.h"
#include "ui/form_model.h"
#include "ui/form_templates.h"
#include "ui/main_form.h"
#include "ui/property_access.h"
#include "ui/runtime_messages.h"
#include "ui/window.h"

namespace {

#ifdef _WIN32
const ::testing::ExitedWithCode kFatalExit(-1);
#else
const ::testing::ExitedWithCode kFatalExit(255);
#endif

// The fatal box's text piece ends with a line break, so a message that is the start of
// another one cannot stand in for it.
std::string fatal(const char *text) { return std::string(text) + "\r\n"; }

struct Seen {
  int32_t created, clicked, ticked;
  uint32_t window, unit;
};
Seen g_seen;

void onCreated() {
  ++g_seen.created;
  g_seen.window = g_runtime.currentEventWindow;
  g_seen.unit = g_runtime.currentEventUnit;
}
void onClick() {
  ++g_seen.clicked;
  g_seen.window = g_runtime.currentEventWindow;
  g_seen.unit = g_runtime.currentEventUnit;
}
void onTick() { ++g_seen.ticked; }

uintptr_t codeStart() {
  uintptr_t low = reinterpret_cast<uintptr_t>(onCreated);
  for (EventHandler h : {onClick, onTick}) {
    const uintptr_t at = reinterpret_cast<uintptr_t>(h);
    if (at < low) low = at;
  }
  return low;
}

// The program's own form in the run time's templates, with the handlers above.
class MainFormEvents : public ::testing::Test {
 protected:
  void SetUp() override {
    const uintptr_t start = codeStart();
    const int32_t length = encodeMainForm({onCreated, onClick, onTick}, start, form, sizeof form);
    ASSERT_GT(length, 0);
    ASSERT_TRUE(readFormDescription(form, length, start, &templates));
    g_runtime.templates = &templates;
    g_runtime.eventsSuppressed = 0;
    g_seen = Seen{};
  }
  void TearDown() override {
    g_runtime.templates = nullptr;
    clearFormTemplates(&templates);
  }
  unsigned char form[4096];
  FormTemplates templates{};
};

TEST_F(MainFormEvents, BoundEventsReachTheirHandlers) {
  raiseEvent(kMainWindowId, 0, 0);
  EXPECT_EQ(g_seen.created, 1);
  EXPECT_EQ(g_seen.window, kMainWindowId);
  EXPECT_EQ(g_seen.unit, kMainWindowRecordId);
  EXPECT_EQ(g_runtime.currentEventWindow, 0u);

  raiseEvent(kMainWindowId, kCalibrateButtonId, 0);
  EXPECT_EQ(g_seen.clicked, 1);
  EXPECT_EQ(g_seen.window, kMainWindowId);
  EXPECT_EQ(g_seen.unit, kCalibrateButtonId);
  EXPECT_EQ(g_runtime.currentEventUnit, kCalibrateButtonId);
  EXPECT_EQ(g_runtime.currentEventWindow, 0u);

  raiseEvent(kMainWindowId, kClockTimerId, 0);
  EXPECT_EQ(g_seen.ticked, 1);
  raiseEvent(kMainWindowId, kMainWindowRecordId, 0);
  EXPECT_EQ(g_seen.created, 2);
}

TEST_F(MainFormEvents, UnboundEventsDoNothing) {
  const struct {
    uint32_t unit;
    int32_t event;
  } cases[] = {{0, 1},
               {0, 12},
               {kCalibrateButtonId, -7},
               {kCalibrateButtonId, -8},
               {kClockTimerId, 1},
               {kCreditLabelId, 0},
               {kLocalTimeLabelId, 0}};
  for (const auto &c : cases) raiseEvent(kMainWindowId, c.unit, c.event);
  EXPECT_EQ(g_seen.created + g_seen.clicked + g_seen.ticked, 0);
}

TEST_F(MainFormEvents, HeldBackEventsAreLost) {
  g_runtime.eventsSuppressed = 1;
  raiseEvent(kMainWindowId, kCalibrateButtonId, 0);
  raiseEvent(0x52010009, 0, 0);  // not even looked up
  g_runtime.eventsSuppressed = 0;
  EXPECT_EQ(g_seen.clicked, 0);
  raiseEvent(kMainWindowId, kCalibrateButtonId, 0);
  EXPECT_EQ(g_seen.clicked, 1);
}

TEST_F(MainFormEvents, UnknownWindowOrUnitIsFatal) {
  EXPECT_EXIT(raiseEvent(0x52010002, 0, 0), kFatalExit, fatal(kEventWindowMissing));
  EXPECT_EXIT(raiseEvent(0, 0, 0), kFatalExit, fatal(kEventWindowMissing));
  EXPECT_EXIT(raiseEvent(kMainWindowId, 0x16010003, 0), kFatalExit, fatal(kEventUnitMissing));
  EXPECT_EXIT(raiseEvent(kMainWindowId, 0x06000000, 0), kFatalExit, fatal(kEventUnitMissing));
}

TEST_F(MainFormEvents, PropertyCallsFindTheirUnit) {
  WindowTemplate *window = nullptr;
  UnitRecord *record = findAccessedUnit(kMainWindowId, kNetworkTimeLabelId, 0, &window);
  EXPECT_EQ(window, &templates.windows[0]);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->id, kNetworkTimeLabelId);
  EXPECT_EQ(findAccessedUnit(kMainWindowId, 0, 7, &window), &templates.windows[0].units[0]);
  int object;
  record->object = &object;  // a created unit: kind properties may be asked
  EXPECT_EQ(findAccessedUnit(kMainWindowId, kNetworkTimeLabelId, 8, &window), record);
  record->object = nullptr;
}

TEST_F(MainFormEvents, PropertyCallsToMissingWindowsOrUnitsAreFatal) {
  WindowTemplate *window;
  EXPECT_EXIT(findAccessedUnit(0x52010002, kClockTimerId, 8, &window), kFatalExit,
              fatal(kAccessWindowMissing));
  EXPECT_EXIT(findAccessedUnit(kMainWindowId, 0x16010004, 0, &window), kFatalExit,
              fatal(kAccessUnitMissing));
  // The template exists, but the window has not been loaded: no unit is created.
  EXPECT_EXIT(findAccessedUnit(kMainWindowId, kClockTimerId, 8, &window), kFatalExit,
              fatal(kAccessWindowNotLoaded));
}

// Forms the program's own does not contain: shared bindings, kinds without events.
class BuiltFormEvents : public ::testing::Test {
 protected:
  void read(const TestUnit *units, int32_t count) {
    const TestWindow window = {0x52010001, units, count};
    const int32_t length = buildForm(&window, 1, form, sizeof form);
    ASSERT_GT(length, 0);
    ASSERT_TRUE(readFormDescription(form, length, codeStart(), &templates));
    g_runtime.templates = &templates;
    g_runtime.eventsSuppressed = 0;
    g_seen = Seen{};
  }
  void TearDown() override {
    g_runtime.templates = nullptr;
    clearFormTemplates(&templates);
  }
  unsigned char form[8192];
  FormTemplates templates{};
};

TEST_F(BuiltFormEvents, SharedBindingsCallTheOwnersHandlerForTheRaisingUnit) {
  const uint32_t clickAt =
      static_cast<uint32_t>(reinterpret_cast<uintptr_t>(onClick) - codeStart());
  const TestBinding click = {0, clickAt};
  TestUnit units[3] = {testUnit(0x06010000, kKindWindow), testUnit(0x16010001, kKindButton),
                       testUnit(0x16010002, kKindButton)};
  units[1].bindings = &click;
  units[1].bindingCount = 1;
  units[2].sharedBindings = 0x16010001;
  read(units, 3);
  raiseEvent(0x52010001, 0x16010002, 0);
  EXPECT_EQ(g_seen.clicked, 1);
  EXPECT_EQ(g_seen.unit, 0x16010002u);
}

TEST_F(BuiltFormEvents, UnitOfAKindWithoutEventsIsFatal) {
  TestUnit units[2] = {testUnit(0x06010000, kKindWindow), testUnit(0x16010001, 0x00010099)};
  read(units, 2);
  EXPECT_EXIT(raiseEvent(0x52010001, 0x16010001, 0), kFatalExit, fatal(kEventUnitInvalid));
}

}  // namespace
