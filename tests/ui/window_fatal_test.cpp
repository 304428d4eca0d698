// The fatal ends of the window run time on the real platform: a form that cannot be read, a
// start-up window that is not in it or whose units cannot be created, and kind properties of
// a window that is not loaded. Each ends the process with -1 and its message.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/ui/form_builder.h"
#include "ui/form_ids.h"
#include "ui/form_model.h"
#include "ui/main_form.h"
#include "ui/runtime.h"
#include "ui/runtime_messages.h"
#include "ui/window.h"

namespace {

const ::testing::ExitedWithCode kFatalExit(-1);

// The text piece of the box ends with a line break.
std::string fatal(const char *text) { return std::string(text) + "\r\n"; }

void handler() {}

unsigned char g_form[8192];

ProgramDescription mainForm(int32_t cut = 0) {
  const uintptr_t start = reinterpret_cast<uintptr_t>(handler);
  const int32_t length = encodeMainForm({handler, handler, handler}, start, g_form, sizeof g_form);
  return ProgramDescription{start, nullptr, nullptr, g_form, length - cut};
}

// A window of default settings with one control of the kind and kind data given.
ProgramDescription builtForm(uint32_t kind, const unsigned char *kindData, int32_t length) {
  TestUnit units[2] = {testUnit(0x06010000, kKindWindow), testUnit(0x16010001, kind)};
  units[1].kindData = kindData;
  units[1].kindDataLength = length;
  units[1].flags = kFlagVisible;
  const TestWindow window = {kMainWindowId, units, 2};
  const int32_t size = buildForm(&window, 1, g_form, sizeof g_form);
  return ProgramDescription{reinterpret_cast<uintptr_t>(handler), nullptr, nullptr, g_form, size};
}

TEST(Fatal, FormThatEndsEarlyCannotBeRead) {
  EXPECT_EXIT(initialiseRuntime(mainForm(1)), kFatalExit, fatal(kFormUnreadable));
  EXPECT_EXIT(initialiseRuntime(mainForm(1000)), kFatalExit, fatal(kFormUnreadable));
}

TEST(Fatal, StartUpWindowNotInTheForm) {
  EXPECT_EXIT(
      {
        initialiseRuntime(mainForm());
        loadWindow(0x52010002);
      },
      kFatalExit, fatal(kLoadWindowFailed));
}

TEST(Fatal, UnitsThatCannotBeCreated) {
  const unsigned char labelVersion3[] = {3, 0, 0, 0};
  const unsigned char timerCutShort[] = {1, 0, 0, 0, 0xE8};
  const struct {
    uint32_t kind;
    const unsigned char *data;
    int32_t length;
  } cases[] = {
      {kKindLabel, labelVersion3, 4}, {kKindTimer, timerCutShort, 5}, {0x00010099, nullptr, 0}};
  for (const auto &c : cases)
    EXPECT_EXIT(
        {
          initialiseRuntime(builtForm(c.kind, c.data, c.length));
          loadWindow(kMainWindowId);
        },
        kFatalExit, fatal(kLoadWindowFailed))
        << std::hex << c.kind;
}

TEST(Fatal, KindPropertiesOfAWindowNotLoaded) {
  EXPECT_EXIT(
      {
        initialiseRuntime(mainForm());
        readProperty(kMainWindowId, kNetworkTimeLabelId, kCaptionProperty, kWholeValue);
      },
      kFatalExit, fatal(kAccessWindowNotLoaded));
  EXPECT_EXIT(
      {
        initialiseRuntime(mainForm());
        writeProperty(kMainWindowId, kClockTimerId, kPeriodProperty, kWholeValue, 1000, 0);
      },
      kFatalExit, fatal(kAccessWindowNotLoaded));
}

TEST(Fatal, BuiltFormWithReadableUnitsLoads) {
  // The counterpart of the cases above: the same built form with a readable label loads.
  initialiseRuntime(builtForm(kKindLabel, nullptr, 0));
  loadWindow(kMainWindowId);
  const UnitRecord *label =
      findUnit(findWindowTemplate(g_runtime.templates, kMainWindowId), 0x16010001);
  ASSERT_NE(label, nullptr);
  EXPECT_NE(label->object, nullptr);
  shutdownRuntime(0);
}

}  // namespace
