// The real window run time under Wine, in the process: MainWindow loaded from the program's
// form with handlers of this test, then its properties, timer, button, keyboard handling and
// the end of the loop. The tests run in order on the one window and end by closing it.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <string>

#include "ui/form_ids.h"
#include "ui/form_model.h"
#include "ui/main_form.h"
#include "ui/runtime.h"
#include "ui/unit_kinds.h"
#include "ui/window.h"
#include "values/block.h"
#include "values/byte_set.h"
#include "values/text.h"

namespace {

struct Seen {
  int32_t created, clicks, ticks;
  bool hiddenAtCreated;
  int32_t childrenAtCreated;
  uint32_t clickWindow, clickUnit;
};
Seen g_seen;

UnitRecord *record(uint32_t unitId) {
  return findUnit(findWindowTemplate(g_runtime.templates, kMainWindowId), unitId);
}

HWND windowOf(uint32_t unitId) {
  const UnitRecord *r = record(unitId);
  const UnitHeader *unit = r != nullptr ? static_cast<const UnitHeader *>(r->object) : nullptr;
  return unit != nullptr ? unit->window : nullptr;
}

HWND mainWindow() { return windowOf(0); }

BOOL CALLBACK countChild(HWND, LPARAM count) {
  ++*reinterpret_cast<int32_t *>(count);
  return TRUE;
}

void onCreated() {
  ++g_seen.created;
  g_seen.hiddenAtCreated = IsWindowVisible(mainWindow()) == FALSE;
  EnumChildWindows(mainWindow(), countChild, reinterpret_cast<LPARAM>(&g_seen.childrenAtCreated));
}

void onClick() {
  ++g_seen.clicks;
  g_seen.clickWindow = g_runtime.currentEventWindow;
  g_seen.clickUnit = g_runtime.currentEventUnit;
}

void onTick() { ++g_seen.ticks; }

class RuntimeEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    uintptr_t start = reinterpret_cast<uintptr_t>(onCreated);
    for (EventHandler h : {onClick, onTick})
      if (reinterpret_cast<uintptr_t>(h) < start) start = reinterpret_cast<uintptr_t>(h);
    const int32_t length = encodeMainForm({onCreated, onClick, onTick}, start, form, sizeof form);
    ASSERT_GT(length, 0);
    initialiseRuntime(ProgramDescription{start, nullptr, nullptr, form, length});
    loadWindow(kMainWindowId);
  }
  unsigned char form[4096];
};

const ::testing::Environment *const g_environment =
    ::testing::AddGlobalTestEnvironment(new RuntimeEnvironment);

void CALLBACK quitLoop(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  PostQuitMessage(0);
}

// Runs the run time's own message loop for about ms milliseconds.
void runLoopFor(UINT ms) {
  ASSERT_NE(SetTimer(nullptr, 0, ms, quitLoop), 0u);
  runMessageLoop();
}

void writeInteger(uint32_t unit, int32_t property, int32_t value) {
  writeProperty(kMainWindowId, unit, property, kWholeValue, static_cast<uint32_t>(value), 0);
}

int32_t readInteger(uint32_t unit, int32_t property) {
  return static_cast<int32_t>(readProperty(kMainWindowId, unit, property, kWholeValue).low);
}

void writeText(uint32_t unit, int32_t property, const char *text) {
  writeProperty(kMainWindowId, unit, property, kWholeValue, reinterpret_cast<uintptr_t>(text), 0);
}

// The property's text, released after the copy; "<null>" for a null result.
std::string readText(uint32_t unit, int32_t property, int32_t member = kWholeValue) {
  const char *text =
      reinterpret_cast<const char *>(readProperty(kMainWindowId, unit, property, member).low);
  if (text == nullptr) return "<null>";
  std::string copy = text;
  releaseBlock(text);
  return copy;
}

std::string windowText(HWND window) {
  char text[256] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}

RECT placeInParent(HWND control) {
  RECT r = {};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT *>(&r), 2);
  return r;
}

constexpr int32_t kLeft = 0, kTop = 1, kWidth = 2, kHeight = 3, kTag = 4, kVisible = 5,
                  kDisabled = 6, kCursor = 7;
constexpr int32_t kButtonPicture = 8, kButtonType = 9, kButtonCaption = 10, kButtonFont = 13;
constexpr int32_t kLabelTextEffect = 9, kLabelGradientWidth = 11, kLabelTextColour = 16,
                  kLabelWordWrap = 25, kLabelPastTable = 29;

TEST(Start, WorksInTheExecutablesDirectory) {
  char module[MAX_PATH], current[MAX_PATH];
  ASSERT_GT(GetModuleFileNameA(nullptr, module, MAX_PATH), 0u);
  ASSERT_GT(GetCurrentDirectoryA(MAX_PATH, current), 0u);
  std::string directory = module;
  directory.resize(directory.rfind('\\'));
  EXPECT_STREQ(current, directory.c_str());
  EXPECT_TRUE(g_runtime.oleInitialised);
  EXPECT_TRUE(IsWindow(static_cast<HWND>(g_runtime.hiddenOwnerWindow)));
  EXPECT_FALSE(IsWindowVisible(static_cast<HWND>(g_runtime.hiddenOwnerWindow)));
}

TEST(Load, CreatedEventRanOnceOnTheHiddenWindowWithAllControls) {
  EXPECT_EQ(g_seen.created, 1);
  EXPECT_TRUE(g_seen.hiddenAtCreated);
  EXPECT_EQ(g_seen.childrenAtCreated, 7);
  EXPECT_TRUE(IsWindowVisible(mainWindow()));
  EXPECT_TRUE(findWindowTemplate(g_runtime.templates, kMainWindowId)->loaded);
  EXPECT_EQ(g_runtime.eventsSuppressed, 0);
}

TEST(Load, LoadingAgainMakesNoSecondWindow) {
  const HWND before = mainWindow();
  loadWindow(kMainWindowId);
  EXPECT_EQ(mainWindow(), before);
  EXPECT_EQ(g_seen.created, 1);
}

TEST(Timer, DoesNotTickBeforeAPeriodIsWritten) {
  EXPECT_EQ(readInteger(kClockTimerId, 8), 0);
  runLoopFor(1500);
  EXPECT_EQ(g_seen.ticks, 0);
}

TEST(Timer, TicksOncePerPeriodWritten) {
  g_seen.ticks = 0;
  writeInteger(kClockTimerId, 8, 1000);
  EXPECT_EQ(readInteger(kClockTimerId, 8), 1000);
  runLoopFor(3500);
  EXPECT_GE(g_seen.ticks, 2);
  EXPECT_LE(g_seen.ticks, 4);
}

TEST(Timer, WritingTheSamePeriodDoesNotRestartIt) {
  g_seen.ticks = 0;
  for (int i = 0; i < 12; ++i) {  // about three seconds, written every quarter second
    writeInteger(kClockTimerId, 8, 1000);
    runLoopFor(250);
  }
  EXPECT_GE(g_seen.ticks, 1);
  EXPECT_LE(g_seen.ticks, 4);
}

TEST(Timer, ChangingThePeriodRestartsIt) {
  g_seen.ticks = 0;
  for (int i = 0; i < 12; ++i) {  // each write restarts the count before a period is over
    writeInteger(kClockTimerId, 8, i % 2 == 0 ? 1000 : 1001);
    runLoopFor(250);
  }
  EXPECT_EQ(g_seen.ticks, 0);
}

TEST(Timer, ZeroOrANegativePeriodStopsIt) {
  const int32_t stops[] = {0, -5};
  for (int32_t period : stops) {
    writeInteger(kClockTimerId, 8, 1000);
    writeInteger(kClockTimerId, 8, period);
    EXPECT_EQ(readInteger(kClockTimerId, 8), 0);
    g_seen.ticks = 0;
    runLoopFor(1800);
    EXPECT_EQ(g_seen.ticks, 0) << period;
  }
}

ULONGLONG cpuTime() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  const auto value = [](const FILETIME &t) {
    return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  };
  return value(kernel) + value(user);
}

TEST(Loop, WaitsWithoutSpinning) {
  const ULONGLONG before = cpuTime();
  runLoopFor(2000);
  const ULONGLONG used = (cpuTime() - before) / 10000;  // milliseconds
  EXPECT_LT(used, 500u);
}

TEST(Label, CaptionsOfTheFormAreTheirWindowTexts) {
  const struct {
    uint32_t unit;
    const char *caption;
  } cases[] = {{kNetworkCaptionLabelId, "\xCD\xF8\xC2\xE7\xCA\xB1\xBC\xE4\xA3\xBA"},  // 网络时间：
               {kLocalCaptionLabelId, "\xB1\xBE\xB5\xD8\xCA\xB1\xBC\xE4\xA3\xBA"},  // 本地时间：
               {kCreditLabelId, "by\xA3\xBAVantor"},                                // by：Vantor
               {kNetworkTimeLabelId, "<null>"},
               {kLocalTimeLabelId, "<null>"}};
  for (const auto &c : cases) {
    EXPECT_EQ(readText(c.unit, 8), c.caption);
    EXPECT_EQ(windowText(windowOf(c.unit)), c.caption[0] == '<' ? "" : c.caption);
  }
}

TEST(Label, WrittenCaptionIsCopiedBothWays) {
  Text written = copyText("2026\xC4\xEA");  // 2026年
  writeText(kNetworkTimeLabelId, 8, written);
  written[0] = 'X';
  releaseBlock(written);
  EXPECT_EQ(windowText(windowOf(kNetworkTimeLabelId)), "2026\xC4\xEA");
  char *first =
      reinterpret_cast<char *>(readProperty(kMainWindowId, kNetworkTimeLabelId, 8, -1).low);
  char *second =
      reinterpret_cast<char *>(readProperty(kMainWindowId, kNetworkTimeLabelId, 8, -1).low);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(first, second);
  first[0] = 'Y';
  releaseBlock(first);
  EXPECT_STREQ(second, "2026\xC4\xEA");
  releaseBlock(second);
  EXPECT_EQ(readText(kNetworkTimeLabelId, 8), "2026\xC4\xEA");

  writeText(kNetworkTimeLabelId, 8, nullptr);
  EXPECT_EQ(windowText(windowOf(kNetworkTimeLabelId)), "");
  EXPECT_EQ(readText(kNetworkTimeLabelId, 8), "<null>");
  writeText(kNetworkTimeLabelId, 8, "");
  EXPECT_EQ(readText(kNetworkTimeLabelId, 8), "<null>");
}

TEST(Label, SettingsAreConvertedAndHeldToTheirRanges) {
  const struct {
    int32_t property, written, read;
  } cases[] = {
      {kLabelTextEffect, 99, 3},   {kLabelTextEffect, -3, 0},
      {kLabelTextEffect, 2, 2},    {kLabelWordWrap, 5, 1},
      {kLabelWordWrap, 0, 0},      {kLabelGradientWidth, 2, 5},
      {kLabelGradientWidth, 9, 9}, {kLabelTextColour, 0x00FF00, 0x00FF00},
      {kLabelTextColour, 0, 0},    {kLabelTextEffect, 0, 0},
  };
  for (const auto &c : cases) {
    writeInteger(kLocalTimeLabelId, c.property, c.written);
    EXPECT_EQ(readInteger(kLocalTimeLabelId, c.property), c.read) << c.property << " " << c.written;
  }
  writeInteger(kLocalTimeLabelId, kLabelPastTable, 5);
  const PropertyValue past = readProperty(kMainWindowId, kLocalTimeLabelId, kLabelPastTable, -1);
  EXPECT_EQ(past.low, 0u);
  EXPECT_EQ(past.high, 0u);
}

TEST(Common, PlaceAndSizeComeFromTheLiveWindowAndAreClamped) {
  EXPECT_EQ(readInteger(kLocalTimeLabelId, kLeft), 57);
  EXPECT_EQ(readInteger(kLocalTimeLabelId, kTop), 38);
  EXPECT_EQ(readInteger(kLocalTimeLabelId, kWidth), 176);
  EXPECT_EQ(readInteger(kLocalTimeLabelId, kHeight), 24);
  RECT outer;
  GetWindowRect(mainWindow(), &outer);
  EXPECT_EQ(readInteger(0, kLeft), outer.left);
  EXPECT_EQ(readInteger(0, kTop), outer.top);
  EXPECT_EQ(readInteger(0, kWidth), 239);
  EXPECT_EQ(readInteger(0, kHeight), 131);

  const struct {
    int32_t property, written, read;
  } cases[] = {{kLeft, 40000, 32627},  {kLeft, -40000, -32627}, {kLeft, 57, 57},
               {kTop, 32628, 32627},   {kTop, 38, 38},          {kWidth, -1, 0},
               {kWidth, 99999, 32627}, {kWidth, 176, 176},      {kHeight, 40, 40},
               {kHeight, 24, 24}};
  const HWND label = windowOf(kLocalTimeLabelId);
  for (const auto &c : cases) {
    writeInteger(kLocalTimeLabelId, c.property, c.written);
    EXPECT_EQ(readInteger(kLocalTimeLabelId, c.property), c.read) << c.property << " " << c.written;
    const RECT r = placeInParent(label);
    const LONG seen[] = {r.left, r.top, r.right - r.left, r.bottom - r.top};
    EXPECT_EQ(seen[c.property], c.read) << c.property << " " << c.written;
  }
  EXPECT_EQ(record(kLocalTimeLabelId)->left, 57);
  EXPECT_EQ(record(kLocalTimeLabelId)->width, 176);
}

TEST(Common, TagIsCopied) {
  EXPECT_EQ(readText(kCreditLabelId, kTag), "<null>");
  writeText(kCreditLabelId, kTag, "note");
  EXPECT_EQ(readText(kCreditLabelId, kTag), "note");
  writeText(kCreditLabelId, kTag, nullptr);
  EXPECT_EQ(readText(kCreditLabelId, kTag), "<null>");
}

TEST(Common, VisibleAndDisabledReachTheWindow) {
  const HWND label = windowOf(kCreditLabelId);
  EXPECT_EQ(readInteger(kCreditLabelId, kVisible), 1);
  writeInteger(kCreditLabelId, kVisible, 0);
  EXPECT_FALSE(IsWindowVisible(label));
  EXPECT_EQ(readInteger(kCreditLabelId, kVisible), 0);
  writeInteger(kCreditLabelId, kVisible, 7);
  EXPECT_TRUE(IsWindowVisible(label));
  EXPECT_EQ(readInteger(kCreditLabelId, kVisible), 1);

  writeInteger(kClockTimerId, kVisible, 1);  // a timer is never shown
  EXPECT_FALSE(IsWindowVisible(windowOf(kClockTimerId)));

  EXPECT_EQ(readInteger(kCalibrateButtonId, kDisabled), 0);
  writeInteger(kCalibrateButtonId, kDisabled, 1);
  EXPECT_FALSE(IsWindowEnabled(windowOf(kCalibrateButtonId)));
  EXPECT_EQ(readInteger(kCalibrateButtonId, kDisabled), 1);
  writeInteger(kCalibrateButtonId, kDisabled, 0);
  EXPECT_TRUE(IsWindowEnabled(windowOf(kCalibrateButtonId)));
}

TEST(Common, CursorDataIsCopiedAndMakesTheCursor) {
  const ByteSetHeader *arrow = reinterpret_cast<const ByteSetHeader *>(
      readProperty(kMainWindowId, kCreditLabelId, kCursor, -1).low);
  ASSERT_NE(arrow, nullptr);
  EXPECT_EQ(arrow->length, 4);
  releaseBlock(arrow);
  EXPECT_EQ(record(kCreditLabelId)->cursor, nullptr);

  const unsigned char hand[] = {0x89, 0x7F, 0, 0};  // IDC_HAND, 32649 = 0x7F89
  ByteSet written = byteSetFromBytes(hand, 4);
  writeProperty(kMainWindowId, kCreditLabelId, kCursor, -1, reinterpret_cast<uintptr_t>(written),
                0);
  releaseBlock(written);
  EXPECT_NE(record(kCreditLabelId)->cursor, nullptr);
  const ByteSetHeader *read = reinterpret_cast<const ByteSetHeader *>(
      readProperty(kMainWindowId, kCreditLabelId, kCursor, -1).low);
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(std::memcmp(byteSetBytes(read), hand, 4), 0);
  releaseBlock(read);

  writeProperty(kMainWindowId, kCreditLabelId, kCursor, -1, 0, 0);
  EXPECT_EQ(record(kCreditLabelId)->cursor, nullptr);
  EXPECT_EQ(readProperty(kMainWindowId, kCreditLabelId, kCursor, -1).low, 0u);
}

TEST(Window, CaptionPropertyIsTheTitle) {
  const std::string title = "\xCA\xB1\xBC\xE4\xD0\xA3\xD7\xBC";  // 时间校准
  EXPECT_EQ(windowText(mainWindow()), title);
  EXPECT_EQ(readText(0, 8), title);
  writeText(0, 8, "other");
  EXPECT_EQ(windowText(mainWindow()), "other");
  writeText(0, 8, title.c_str());
  EXPECT_EQ(windowText(mainWindow()), title);
  EXPECT_EQ(readInteger(0, 22), 1);  // Esc closes
}

TEST(Button, ClickRaisesItsEventWithTheCurrentUnitSet) {
  g_seen.clicks = 0;
  SendMessageA(windowOf(kCalibrateButtonId), BM_CLICK, 0, 0);
  EXPECT_EQ(g_seen.clicks, 1);
  EXPECT_EQ(g_seen.clickWindow, kMainWindowId);
  EXPECT_EQ(g_seen.clickUnit, kCalibrateButtonId);
  EXPECT_EQ(g_runtime.currentEventWindow, 0u);
}

TEST(Button, FontMembersReadAndWrite) {
  EXPECT_EQ(readText(kCalibrateButtonId, kButtonFont, 6), "YaHei Consolas Hybrid");
  EXPECT_EQ(readProperty(kMainWindowId, kCalibrateButtonId, kButtonFont, 5).low, 14u);
  EXPECT_EQ(readProperty(kMainWindowId, kCalibrateButtonId, kButtonFont, 1).low, 0u);
  writeProperty(kMainWindowId, kCalibrateButtonId, kButtonFont, 1, 1, 0);
  EXPECT_EQ(readProperty(kMainWindowId, kCalibrateButtonId, kButtonFont, 1).low, 1u);
  writeProperty(kMainWindowId, kCalibrateButtonId, kButtonFont, 1, 0, 0);
  EXPECT_EQ(readProperty(kMainWindowId, kCalibrateButtonId, kButtonFont, 1).low, 0u);
  // The labels use the default GUI font, whose members are read from the stock font.
  EXPECT_NE(readText(kCreditLabelId, 15, 6), "<null>");
}

TEST(Button, PictureWriteRecreatesTheButtonInPlace) {
  const HWND old = windowOf(kCalibrateButtonId);
  const RECT place = placeInParent(old);
  const HWND above = GetWindow(old, GW_HWNDPREV);
  const unsigned char picture[] = {'B', 'M', 0, 0};
  ByteSet written = byteSetFromBytes(picture, 4);
  writeProperty(kMainWindowId, kCalibrateButtonId, kButtonPicture, -1,
                reinterpret_cast<uintptr_t>(written), 0);
  releaseBlock(written);
  const HWND button = windowOf(kCalibrateButtonId);
  ASSERT_NE(button, nullptr);
  EXPECT_NE(button, old);
  EXPECT_FALSE(IsWindow(old));
  EXPECT_EQ(GetDlgCtrlID(button), 130);
  const RECT now = placeInParent(button);
  EXPECT_TRUE(EqualRect(&now, &place));
  EXPECT_EQ(GetWindow(button, GW_HWNDPREV), above);
  EXPECT_TRUE(IsWindowVisible(button));
  EXPECT_EQ(windowText(button), "\xD0\xA3\xD7\xBC");  // 校准
  const ByteSetHeader *read = reinterpret_cast<const ByteSetHeader *>(
      readProperty(kMainWindowId, kCalibrateButtonId, kButtonPicture, -1).low);
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->length, 4);
  releaseBlock(read);
  g_seen.clicks = 0;
  SendMessageA(button, BM_CLICK, 0, 0);
  EXPECT_EQ(g_seen.clicks, 1);
}

void postKey(UINT message, WPARAM key, LPARAM flags = 0) {
  const HWND focus = GetFocus();
  ASSERT_TRUE(PostMessageA(focus != nullptr ? focus : mainWindow(), message, key, flags | 1));
  runLoopFor(150);
}

TEST(Keyboard, TabMovesTheFocusToTheOnlyTabStop) {
  // The frame changes above may have left the window inactive on Wine's desktop.
  SetForegroundWindow(mainWindow());
  SetActiveWindow(mainWindow());
  SetFocus(mainWindow());
  ASSERT_EQ(GetFocus(), mainWindow());
  postKey(WM_KEYDOWN, VK_TAB);
  EXPECT_EQ(GetFocus(), windowOf(kCalibrateButtonId));
  postKey(WM_KEYDOWN, VK_TAB);
  EXPECT_EQ(GetFocus(), windowOf(kCalibrateButtonId));
}

TEST(Keyboard, EnterClicksOnlyADefaultPushButton) {
  g_seen.clicks = 0;
  postKey(WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(g_seen.clicks, 0);
  writeInteger(kCalibrateButtonId, kButtonType, 1);
  postKey(WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(g_seen.clicks, 1);
  writeInteger(kCalibrateButtonId, kButtonType, 0);
  postKey(WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(g_seen.clicks, 1);
}

TEST(Keyboard, AltWithTheMarkedLetterClicks) {
  g_seen.clicks = 0;
  const LPARAM alt = 1 << 29;
  postKey(WM_SYSKEYDOWN, 'K', alt);
  EXPECT_EQ(g_seen.clicks, 0);
  writeText(kCalibrateButtonId, kButtonCaption, "Ca&&l &Kick");
  postKey(WM_SYSKEYDOWN, 'L', alt);  // "&&" marks nothing
  EXPECT_EQ(g_seen.clicks, 0);
  postKey(WM_SYSKEYDOWN, 'K', alt);
  EXPECT_EQ(g_seen.clicks, 1);
  writeText(kCalibrateButtonId, kButtonCaption, "\xD0\xA3\xD7\xBC");
}

bool hasMoveCommand(HWND window) {
  const HMENU menu = GetSystemMenu(window, FALSE);
  return menu != nullptr && GetMenuState(menu, SC_MOVE, MF_BYCOMMAND) != 0xFFFFFFFFu;
}

LONG_PTR styleOf(HWND window) { return GetWindowLongPtrA(window, GWL_STYLE); }
LONG_PTR exStyleOf(HWND window) { return GetWindowLongPtrA(window, GWL_EXSTYLE); }

TEST(Window, SettingsChangeTheLiveWindow) {
  const HWND window = mainWindow();
  EXPECT_TRUE(hasMoveCommand(window));
  writeInteger(0, 19, 0);  // movable
  EXPECT_FALSE(hasMoveCommand(window));
  writeInteger(0, 19, 1);
  EXPECT_TRUE(hasMoveCommand(window));

  writeInteger(0, 29, 1);  // always on top
  EXPECT_TRUE(exStyleOf(window) & WS_EX_TOPMOST);
  writeInteger(0, 29, 0);
  EXPECT_FALSE(exStyleOf(window) & WS_EX_TOPMOST);

  writeInteger(0, 16, 1);  // maximize button
  EXPECT_TRUE(styleOf(window) & WS_MAXIMIZEBOX);
  writeInteger(0, 16, 0);
  EXPECT_FALSE(styleOf(window) & WS_MAXIMIZEBOX);
  writeInteger(0, 9, 9);  // border style, held to 6: fixed with a sunken edge
  EXPECT_EQ(readInteger(0, 9), 6);
  EXPECT_TRUE(exStyleOf(window) & WS_EX_CLIENTEDGE);
  writeInteger(0, 9, 1);  // resizable
  EXPECT_TRUE(styleOf(window) & WS_THICKFRAME);
  EXPECT_FALSE(exStyleOf(window) & WS_EX_CLIENTEDGE);
  writeInteger(0, 9, 2);
  EXPECT_FALSE(styleOf(window) & WS_THICKFRAME);
  EXPECT_TRUE(styleOf(window) & WS_CAPTION);
  writeInteger(0, 10, 0x00FFFF);  // background colour
  EXPECT_EQ(readInteger(0, 10), 0x00FFFF);
  writeInteger(0, 10, static_cast<int32_t>(0xFF000000u));
}

TEST(Label, BorderStylesSetTheFrameStyles) {
  const struct {
    int32_t style;
    LONG_PTR exStyle;
    bool border;
  } cases[] = {{1, WS_EX_CLIENTEDGE, false},
               {2, WS_EX_DLGMODALFRAME, false},
               {3, WS_EX_STATICEDGE, false},
               {4, WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME, false},
               {5, 0, true},
               {6, 0, false},
               {0, 0, false}};
  const LONG_PTR edges = WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME | WS_EX_STATICEDGE;
  const HWND label = windowOf(kLocalTimeLabelId);
  for (const auto &c : cases) {
    writeInteger(kLocalTimeLabelId, 10, c.style);
    EXPECT_EQ(exStyleOf(label) & edges, c.exStyle) << c.style;
    EXPECT_EQ((styleOf(label) & WS_BORDER) != 0, c.border) << c.style;
  }
}

TEST(Button, TypeAndAlignmentSetTheStyle) {
  const HWND button = windowOf(kCalibrateButtonId);
  const struct {
    int32_t property, value;
    LONG_PTR mask, bits;
  } cases[] = {{11, 0, BS_CENTER, BS_LEFT},           {11, 2, BS_CENTER, BS_RIGHT},
               {11, 1, BS_CENTER, BS_CENTER},         {12, 0, BS_VCENTER, BS_TOP},
               {12, 2, BS_VCENTER, BS_BOTTOM},        {12, 1, BS_VCENTER, BS_VCENTER},
               {9, 1, BS_TYPEMASK, BS_DEFPUSHBUTTON}, {9, 0, BS_TYPEMASK, BS_PUSHBUTTON}};
  for (const auto &c : cases) {
    writeInteger(kCalibrateButtonId, c.property, c.value);
    EXPECT_EQ(styleOf(button) & c.mask, c.bits) << c.property << " " << c.value;
    EXPECT_TRUE(styleOf(button) & BS_MULTILINE);
  }
}

// Paints the control and lets the loop run a little, since Wine copies a window's drawing to
// the display some time after it is made.
void settle(HWND control) {
  UpdateWindow(control);
  runLoopFor(150);
}

COLORREF screenPixel(HWND control, int x, int y) {
  settle(control);
  POINT at = {x, y};
  ClientToScreen(control, &at);
  const HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, at.x, at.y);
  ReleaseDC(nullptr, screen);
  return colour;
}

bool closeTo(COLORREF a, COLORREF b) {
  const auto close = [](int x, int y) { return x - y < 40 && y - x < 40; };
  return close(GetRValue(a), GetRValue(b)) && close(GetGValue(a), GetGValue(b)) &&
         close(GetBValue(a), GetBValue(b));
}

// Labels 1 and 2 have no caption here, so what shows is frame and background alone.
TEST(LabelPaint, GradientBackgroundRunsThroughItsColours) {
  const HWND label = windowOf(kLocalTimeLabelId);
  writeText(kLocalTimeLabelId, 8, nullptr);
  writeInteger(kLocalTimeLabelId, 21, 0x0000FF);                           // red
  writeInteger(kLocalTimeLabelId, 22, 0xFF0000);                           // blue
  writeInteger(kLocalTimeLabelId, 23, static_cast<int32_t>(0xFF000000u));  // left out
  writeInteger(kLocalTimeLabelId, 20, 1);                                  // left to right
  EXPECT_TRUE(closeTo(screenPixel(label, 1, 12), RGB(255, 0, 0)));
  EXPECT_TRUE(closeTo(screenPixel(label, 174, 12), RGB(0, 0, 255)));
  writeInteger(kLocalTimeLabelId, 20, 2);  // top to bottom
  EXPECT_TRUE(closeTo(screenPixel(label, 88, 0), RGB(255, 0, 0)));
  EXPECT_TRUE(closeTo(screenPixel(label, 88, 23), RGB(0, 0, 255)));
  writeInteger(kLocalTimeLabelId, 20, 0);
  EXPECT_EQ(screenPixel(label, 88, 12), GetSysColor(COLOR_BTNFACE));
}

TEST(LabelPaint, GradientFrameSurroundsTheBackground) {
  const HWND label = windowOf(kNetworkTimeLabelId);
  writeInteger(kNetworkTimeLabelId, 12, 0x00FF00);  // green outside
  writeInteger(kNetworkTimeLabelId, 13, 0x00FF00);
  writeInteger(kNetworkTimeLabelId, 14, 0x00FF00);
  writeInteger(kNetworkTimeLabelId, 11, 6);
  writeInteger(kNetworkTimeLabelId, 10, 6);
  EXPECT_TRUE(closeTo(screenPixel(label, 0, 0), RGB(0, 255, 0)));
  EXPECT_TRUE(closeTo(screenPixel(label, 5, 12), RGB(0, 255, 0)));
  EXPECT_TRUE(closeTo(screenPixel(label, 175, 23), RGB(0, 255, 0)));
  EXPECT_EQ(screenPixel(label, 88, 12), GetSysColor(COLOR_BTNFACE));
  writeInteger(kNetworkTimeLabelId, 10, 0);
  EXPECT_EQ(screenPixel(label, 0, 0), GetSysColor(COLOR_BTNFACE));
}

// The number of pixels of the label within 40 of colour in each channel, or equal to it.
int32_t countPixels(HWND label, COLORREF colour, bool exactly = false) {
  settle(label);
  RECT r;
  GetWindowRect(label, &r);
  const HDC screen = GetDC(nullptr);
  int32_t count = 0;
  for (LONG y = r.top; y < r.bottom; ++y)
    for (LONG x = r.left; x < r.right; ++x)
      if (exactly ? GetPixel(screen, x, y) == colour : closeTo(GetPixel(screen, x, y), colour))
        ++count;
  ReleaseDC(nullptr, screen);
  return count;
}

TEST(LabelPaint, TextEffectsDrawTheirCopies) {
  const HWND label = windowOf(kCreditLabelId);
  writeInteger(kCreditLabelId, 16, 0x0000FF);
  const int32_t red = countPixels(label, RGB(255, 0, 0));
  EXPECT_GT(red, 20);
  EXPECT_EQ(countPixels(label, RGB(0, 0, 0)), 0);
  writeInteger(kCreditLabelId, 9, 3);  // a black copy 2 px right and down
  EXPECT_GT(countPixels(label, RGB(0, 0, 0)), red / 4);
  writeInteger(kCreditLabelId, 9, 1);  // a white copy 1 px right and down
  EXPECT_EQ(countPixels(label, RGB(0, 0, 0)), 0);
  EXPECT_GT(countPixels(label, RGB(255, 255, 255), true), red / 4);
  writeInteger(kCreditLabelId, 9, 0);
  EXPECT_EQ(countPixels(label, RGB(255, 255, 255), true), 0);
}

TEST(Loop, IdleRoutinesRunWhileTheirWindowExists) {
  struct Count {
    static void add(void *argument) { ++*static_cast<int32_t *>(argument); }
  };
  int32_t kept = 0, dropped = 0;
  g_runtime.idleRoutines[0] = IdleRoutine{kMainWindowId, Count::add, &kept};
  g_runtime.idleRoutines[1] = IdleRoutine{0x52010009, Count::add, &dropped};
  g_runtime.idleRoutineCount = 2;
  runLoopFor(300);
  EXPECT_GE(kept, 1);
  EXPECT_EQ(dropped, 0);
  EXPECT_EQ(g_runtime.idleRoutineCount, 1);
  g_runtime.idleRoutineCount = 0;
}

TEST(Shutdown, EscClosesTheWindowAndEndsTheLoop) {
  const HWND window = mainWindow();
  const HWND button = windowOf(kCalibrateButtonId);
  ASSERT_TRUE(PostMessageA(button, WM_KEYDOWN, VK_ESCAPE, 1));
  // Should Esc not close the window, this timer ends the loop and the checks below fail.
  ASSERT_NE(SetTimer(nullptr, 0, 5000, quitLoop), 0u);
  runMessageLoop();
  EXPECT_FALSE(IsWindow(window));
  WindowTemplate *form = findWindowTemplate(g_runtime.templates, kMainWindowId);
  EXPECT_FALSE(form->loaded);
  for (int32_t i = 0; i < form->unitCount; ++i) EXPECT_EQ(form->units[i].object, nullptr) << i;
  runMessageLoop();  // no window left: returns at once

  const HWND owner = static_cast<HWND>(g_runtime.hiddenOwnerWindow);
  shutdownRuntime(0);
  EXPECT_FALSE(IsWindow(owner));
  EXPECT_EQ(g_runtime.hiddenOwnerWindow, nullptr);
  EXPECT_FALSE(g_runtime.oleInitialised);
  EXPECT_EQ(g_runtime.templates, nullptr);
}

}  // namespace
