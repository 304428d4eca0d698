// The window's and the button's own events on the real platform, from a form that binds every
// one of them: their order while loading, the idle event, focus, and the order of closing.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "tests/ui/form_builder.h"
#include "ui/form_ids.h"
#include "ui/form_model.h"
#include "ui/runtime.h"
#include "ui/unit_kinds.h"
#include "ui/window.h"

namespace {

constexpr uint32_t kWindowRecord = 0x06010000;
constexpr uint32_t kButton = 0x16010001;

struct Raised {
  uint32_t unit;
  int32_t event;
  bool operator==(const Raised &other) const { return unit == other.unit && event == other.event; }
};
std::vector<Raised> g_raised;

template <int32_t Event>
void windowEvent() {
  g_raised.push_back({g_runtime.currentEventUnit, Event});
}

template <int32_t Event>
void buttonEvent() {
  g_raised.push_back({g_runtime.currentEventUnit, Event});
}

const EventHandler kWindowHandlers[] = {windowEvent<0>,  windowEvent<1>,  windowEvent<2>,
                                        windowEvent<3>,  windowEvent<4>,  windowEvent<5>,
                                        windowEvent<6>,  windowEvent<7>,  windowEvent<8>,
                                        windowEvent<10>, windowEvent<11>, windowEvent<12>};
const int32_t kWindowEvents[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 12};
const EventHandler kButtonHandlers[] = {buttonEvent<0>, buttonEvent<-7>, buttonEvent<-8>};
const int32_t kButtonEvents[] = {0, -7, -8};

uintptr_t codeStart() {
  uintptr_t start = UINTPTR_MAX;
  for (EventHandler h : kWindowHandlers)
    if (reinterpret_cast<uintptr_t>(h) < start) start = reinterpret_cast<uintptr_t>(h);
  for (EventHandler h : kButtonHandlers)
    if (reinterpret_cast<uintptr_t>(h) < start) start = reinterpret_cast<uintptr_t>(h);
  return start;
}

uint32_t reference(EventHandler h) {
  return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(h) - codeStart());
}

HWND windowOf(uint32_t unitId) {
  const UnitRecord *r = findUnit(findWindowTemplate(g_runtime.templates, kMainWindowId), unitId);
  const UnitHeader *unit = r != nullptr ? static_cast<const UnitHeader *>(r->object) : nullptr;
  return unit != nullptr ? unit->window : nullptr;
}

void CALLBACK quitLoop(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  PostQuitMessage(0);
}

class FormEvents : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static TestBinding windowBindings[12], buttonBindings[3];
    for (int i = 0; i < 12; ++i)
      windowBindings[i] = {kWindowEvents[i], reference(kWindowHandlers[i])};
    for (int i = 0; i < 3; ++i)
      buttonBindings[i] = {kButtonEvents[i], reference(kButtonHandlers[i])};
    TestUnit units[2] = {testUnit(kWindowRecord, kKindWindow), testUnit(kButton, kKindButton)};
    units[0].flags = kFlagVisible;
    units[0].width = 200;
    units[0].height = 120;
    units[0].bindings = windowBindings;
    units[0].bindingCount = 12;
    units[1].flags = kFlagVisible | kFlagTabStop;
    units[1].left = 10;
    units[1].top = 10;
    units[1].width = 80;
    units[1].height = 30;
    units[1].bindings = buttonBindings;
    units[1].bindingCount = 3;
    const TestWindow window = {kMainWindowId, units, 2};
    static unsigned char form[8192];
    const int32_t length = buildForm(&window, 1, form, sizeof form);
    initialiseRuntime(ProgramDescription{codeStart(), nullptr, nullptr, form, length});
    loadWindow(kMainWindowId);
  }
};

TEST_F(FormEvents, LoadingRaisesCreatedMovedResizedThenTheShowEvents) {
  const std::vector<Raised> expected = {{kWindowRecord, 0}, {kWindowRecord, 3},
                                        {kWindowRecord, 4}, {kWindowRecord, 10},
                                        {kWindowRecord, 8}, {kWindowRecord, 5}};
  ASSERT_GE(g_raised.size(), expected.size());
  EXPECT_TRUE(std::vector<Raised>(g_raised.begin(), g_raised.begin() + 6) == expected);
  for (size_t i = 6; i < g_raised.size(); ++i) EXPECT_NE(g_raised[i].event, 8) << i;
}

TEST_F(FormEvents, IdleLoopRaisesTheIdleEvent) {
  g_raised.clear();
  ASSERT_NE(SetTimer(nullptr, 0, 300, quitLoop), 0u);
  runMessageLoop();
  int32_t idle = 0;
  for (const Raised &r : g_raised) idle += r.event == 7 ? 1 : 0;
  EXPECT_GE(idle, 1);
}

TEST_F(FormEvents, ButtonRaisesFocusEvents) {
  SetForegroundWindow(windowOf(0));
  SetFocus(windowOf(0));
  g_raised.clear();
  SetFocus(windowOf(kButton));
  SetFocus(windowOf(0));
  const std::vector<Raised> expected = {{kButton, -7}, {kButton, -8}};
  EXPECT_TRUE(g_raised == expected);
}

TEST_F(FormEvents, ClosingRaisesTheQueriesThenDestroyingAndEndsTheLoop) {
  const HWND window = windowOf(0);
  g_raised.clear();
  ASSERT_TRUE(PostMessageA(window, WM_CLOSE, 0, 0));
  ASSERT_NE(SetTimer(nullptr, 0, 5000, quitLoop), 0u);  // ends the loop should closing not
  runMessageLoop();
  EXPECT_FALSE(IsWindow(window));
  std::vector<int32_t> closing;
  for (const Raised &r : g_raised)
    if (r.event == 12 || r.event == 1 || r.event == 2) closing.push_back(r.event);
  EXPECT_EQ(closing, (std::vector<int32_t>{12, 1, 2}));
  shutdownRuntime(0);
}

}  // namespace
