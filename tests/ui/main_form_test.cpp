// MainWindow's stored form: its exact layout, and every field read back through the reader.
#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <string>

#include "ui/form_ids.h"
#include "ui/form_model.h"
#include "ui/form_templates.h"
#include "ui/kind_settings.h"
#include "ui/main_form.h"
#include "values/block.h"

namespace {

int g_lastHandler = 0;
void createdForTest() { g_lastHandler = 1; }
void clickForTest() { g_lastHandler = 2; }
void tickForTest() { g_lastHandler = 3; }

uintptr_t address(EventHandler h) { return reinterpret_cast<uintptr_t>(h); }

// Below every test handler, so each lies a small positive offset after it.
uintptr_t testCodeStart() {
  uintptr_t lowest = address(createdForTest);
  for (EventHandler h : {clickForTest, tickForTest})
    if (address(h) < lowest) lowest = address(h);
  return lowest - 0x40;
}

uint32_t wordAt(const unsigned char *p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

std::string bytes(const unsigned char *data, int32_t length) {
  return data == nullptr ? std::string() : std::string(reinterpret_cast<const char *>(data), length);
}
std::string bytes(const ByteSpan &span) { return bytes(span.data, span.length); }

class MainFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    handlers = {createdForTest, clickForTest, tickForTest};
    length = encodeMainForm(handlers, testCodeStart(), form, sizeof form);
    templates = static_cast<FormTemplates *>(allocateBlock(sizeof(FormTemplates)));
    ASSERT_EQ(length, kMainFormLength);
    ASSERT_TRUE(readFormDescription(form, length, testCodeStart(), templates));
    window = findWindowTemplate(templates, kMainWindowId);
    ASSERT_NE(window, nullptr);
  }
  void TearDown() override { discardFormTemplates(templates); }

  MainFormHandlers handlers;
  unsigned char form[4096];
  int32_t length = 0;
  FormTemplates *templates = nullptr;
  WindowTemplate *window = nullptr;
};

TEST_F(MainFormTest, LayoutHasTheStoredSizes) {
  EXPECT_EQ(wordAt(form + 0), 8u);               // window map size
  EXPECT_EQ(wordAt(form + 4), kMainWindowId);
  EXPECT_EQ(wordAt(form + 28), 8u);              // unit count
  EXPECT_EQ(wordAt(form + 32), 1649u);           // unit block size
  EXPECT_EQ(36 + 1649, length);                  // the block ends the stream

  // Each record's length word and bytes end where the next record's offset starts.
  const unsigned char *records = form + 36 + 64;
  for (int i = 0; i < 8; ++i) {
    const uint32_t offset = wordAt(form + 36 + 32 + 4 * i);
    const uint32_t next = i < 7 ? wordAt(form + 36 + 32 + 4 * (i + 1)) : 1649 - 64;
    EXPECT_EQ(offset + 4 + wordAt(records + offset), next) << "record " << i;
  }
}

TEST_F(MainFormTest, EncoderRefusesWhatItCannotWrite) {
  unsigned char small[kMainFormLength];
  EXPECT_EQ(encodeMainForm(handlers, testCodeStart(), small, kMainFormLength - 1), 0);
  EXPECT_EQ(encodeMainForm(handlers, testCodeStart(), small, kMainFormLength), kMainFormLength);
  EXPECT_EQ(std::memcmp(small, form, kMainFormLength), 0);
  // A handler before the code start has no offset to store.
  EXPECT_EQ(encodeMainForm(handlers, address(createdForTest) + 1, small, sizeof small), 0);
}

TEST(MainFormEncoder, OffsetsUseAllThirtyTwoBitsButMinusOne) {
  if (sizeof(uintptr_t) < 8) GTEST_SKIP() << "a 32-bit address space has no such distances";
  const MainFormHandlers same = {createdForTest, createdForTest, createdForTest};
  unsigned char form[kMainFormLength];
  // 0xFFFFFFFF would read back as "no handler".
  EXPECT_EQ(encodeMainForm(same, address(createdForTest) - 0xFFFFFFFFu, form, sizeof form), 0);
  const uintptr_t farStart = address(createdForTest) - 0xFFFFFFFEu;
  ASSERT_EQ(encodeMainForm(same, farStart, form, sizeof form), kMainFormLength);
  FormTemplates *read = static_cast<FormTemplates *>(allocateBlock(sizeof(FormTemplates)));
  ASSERT_TRUE(readFormDescription(form, kMainFormLength, farStart, read));
  WindowTemplate *w = findWindowTemplate(read, kMainWindowId);
  EXPECT_EQ(findHandler(w, findUnit(w, kClockTimerId), 0), &createdForTest);
  discardFormTemplates(read);
}

TEST_F(MainFormTest, WindowRecordIsTheFirstRecord) {
  ASSERT_EQ(window->unitCount, 8);
  const UnitRecord &w = window->units[0];
  EXPECT_EQ(w.kind, kKindWindow);
  EXPECT_EQ(w.id, kMainWindowRecordId);
  EXPECT_STREQ(w.name, "");
  EXPECT_EQ(w.left, 50);
  EXPECT_EQ(w.top, 50);
  EXPECT_EQ(w.width, 239);
  EXPECT_EQ(w.height, 131);
  EXPECT_EQ(w.flags, kFlagVisible);
  ASSERT_EQ(w.bindingCount, 1);
  EXPECT_EQ(w.bindings[0].event, 0);
  EXPECT_EQ(w.bindings[0].handler, &createdForTest);
  EXPECT_EQ(findUnit(window, 0), &window->units[0]);
  EXPECT_EQ(findUnit(window, kMainWindowRecordId), &window->units[0]);
}

struct ControlRow {
  const char *name;
  uint32_t id, kind;
  int32_t left, top, width, height;
  uint32_t flags;
  EventHandler handler;  // bound to event 0; null: no binding
};

// Stored order, top of the stacking order first.
const ControlRow kControls[] = {
    {"\xB1\xEA\xC7\xA9" "5", kCreditLabelId, kKindLabel, 0, 83, 80, 16, kFlagVisible, nullptr},
    {"\xB1\xEA\xC7\xA9" "4", kLocalCaptionLabelId, kKindLabel, 0, 38, 56, 24, kFlagVisible,
     nullptr},
    {"\xB1\xEA\xC7\xA9" "3", kNetworkCaptionLabelId, kKindLabel, 1, 8, 56, 24, kFlagVisible,
     nullptr},
    {"\xB0\xB4\xC5\xA5" "1", kCalibrateButtonId, kKindButton, 160, 70, 72, 32,
     kFlagVisible | kFlagTabStop, clickForTest},
    {"\xCA\xB1\xD6\xD3" "1", kClockTimerId, kKindTimer, 184, 72, 26, 26, 0, tickForTest},
    {"\xB1\xEA\xC7\xA9" "2", kNetworkTimeLabelId, kKindLabel, 57, 8, 176, 24, kFlagVisible,
     nullptr},
    {"\xB1\xEA\xC7\xA9" "1", kLocalTimeLabelId, kKindLabel, 57, 38, 176, 24, kFlagVisible,
     nullptr},
};

TEST_F(MainFormTest, ControlsReadBackInStoredOrder) {
  for (int i = 0; i < 7; ++i) {
    const ControlRow &row = kControls[i];
    const UnitRecord &u = window->units[i + 1];
    SCOPED_TRACE(row.name);
    EXPECT_EQ(std::string(u.name), row.name);
    EXPECT_EQ(u.id, row.id);
    EXPECT_EQ(u.kind, row.kind);
    EXPECT_EQ(u.left, row.left);
    EXPECT_EQ(u.top, row.top);
    EXPECT_EQ(u.width, row.width);
    EXPECT_EQ(u.height, row.height);
    EXPECT_EQ(u.flags, row.flags);
    EXPECT_EQ(u.parent, 0u);
    EXPECT_EQ(u.sharedBindings, 0u);
    EXPECT_EQ(u.memberCount, 0);
    EXPECT_EQ(u.tabOrder, 0);
    EXPECT_EQ(u.tag, nullptr);
    EXPECT_EQ(bytes(u.cursorData, u.cursorDataLength), std::string(4, '\0'));
    EXPECT_EQ(u.object, nullptr);
    EXPECT_EQ(findUnit(window, row.id), &u);
    if (row.handler == nullptr) {
      EXPECT_EQ(u.bindingCount, 0);
    } else {
      ASSERT_EQ(u.bindingCount, 1);
      EXPECT_EQ(u.bindings[0].event, 0);
      EXPECT_EQ(u.bindings[0].handler, row.handler);
    }
  }
}

TEST_F(MainFormTest, BoundHandlersAreTheRoutinesGiven) {
  const struct {
    uint32_t unit;
    int expected;
  } cases[] = {{0, 1}, {kCalibrateButtonId, 2}, {kClockTimerId, 3}};
  for (const auto &c : cases) {
    EventHandler h = findHandler(window, findUnit(window, c.unit), 0);
    ASSERT_NE(h, nullptr);
    g_lastHandler = 0;
    h();
    EXPECT_EQ(g_lastHandler, c.expected);
  }
  EXPECT_EQ(findHandler(window, findUnit(window, kCreditLabelId), 0), nullptr);
  EXPECT_EQ(findHandler(window, findUnit(window, kCalibrateButtonId), 1), nullptr);
}

TEST_F(MainFormTest, NullHandlerIsStoredAsMinusOneAndReadAsNone) {
  unsigned char other[4096];
  const MainFormHandlers some = {createdForTest, nullptr, tickForTest};
  ASSERT_EQ(encodeMainForm(some, testCodeStart(), other, sizeof other), kMainFormLength);
  FormTemplates *read = static_cast<FormTemplates *>(allocateBlock(sizeof(FormTemplates)));
  ASSERT_TRUE(readFormDescription(other, kMainFormLength, testCodeStart(), read));
  WindowTemplate *w = findWindowTemplate(read, kMainWindowId);
  UnitRecord *button = findUnit(w, kCalibrateButtonId);
  ASSERT_EQ(button->bindingCount, 1);  // the binding stays, without a handler
  EXPECT_EQ(button->bindings[0].handler, nullptr);
  EXPECT_EQ(findHandler(w, button, 0), nullptr);
  EXPECT_EQ(findHandler(w, findUnit(w, kClockTimerId), 0), &tickForTest);
  discardFormTemplates(read);

  // The reference itself is the 32-bit word -1.
  const uint32_t minusOne = 0xFFFFFFFF;
  int found = 0;
  for (int32_t i = 0; i + 4 <= kMainFormLength; ++i)
    if (wordAt(other + i) == minusOne && wordAt(form + i) != minusOne) ++found;
  EXPECT_EQ(found, 1);
}

TEST_F(MainFormTest, WindowSettingsAreDefaultsWithTheCaption) {
  const UnitRecord &w = window->units[0];
  ASSERT_GE(w.kindDataLength, 4);
  EXPECT_EQ(wordAt(w.kindData), 6u);
  WindowSettings s;
  ASSERT_TRUE(readWindowSettings(w.kindData, w.kindDataLength, &s));
  EXPECT_EQ(bytes(s.caption), "\xCA\xB1\xBC\xE4\xD0\xA3\xD7\xBC");  // 时间校准
  EXPECT_EQ(s.borderStyle, 2);
  EXPECT_EQ(s.pictureMode, 1);
  EXPECT_EQ(s.backgroundColour, 0xFF000000u);
  EXPECT_EQ(s.maximizeButton, 0);
  EXPECT_EQ(s.minimizeButton, 1);
  EXPECT_EQ(s.controlBox, 1);
  EXPECT_EQ(s.startPosition, 1);
  EXPECT_EQ(s.movable, 1);
  EXPECT_EQ(s.soundPlayMode, 0);
  EXPECT_EQ(s.enterMovesFocus, 0);
  EXPECT_EQ(s.escCloses, 1);
  EXPECT_EQ(s.f1OpensHelp, 0);
  EXPECT_EQ(s.helpContext, 0);
  EXPECT_EQ(s.showInTaskbar, 1);
  EXPECT_EQ(s.dragAnywhere, 0);
  EXPECT_EQ(s.shape, 0);
  EXPECT_EQ(s.alwaysOnTop, 0);
  EXPECT_EQ(s.keepTitleActive, 0);
  for (const ByteSpan *span :
       {&s.className, &s.backgroundPicture, &s.icon, &s.backgroundSound, &s.helpFile})
    EXPECT_EQ(span->length, 0);
}

TEST_F(MainFormTest, LabelSettingsCarryCaptionAndColour) {
  const struct {
    uint32_t id;
    const char *caption;
    uint32_t textColour;
  } labels[] = {
      {kCreditLabelId, "by\xA3\xBAVantor", 0x0000FF},                          // by：Vantor
      {kLocalCaptionLabelId, "\xB1\xBE\xB5\xD8\xCA\xB1\xBC\xE4\xA3\xBA", 0},    // 本地时间：
      {kNetworkCaptionLabelId, "\xCD\xF8\xC2\xE7\xCA\xB1\xBC\xE4\xA3\xBA", 0},  // 网络时间：
      {kNetworkTimeLabelId, "", 0},
      {kLocalTimeLabelId, "", 0},
  };
  for (const auto &l : labels) {
    SCOPED_TRACE(l.id);
    const UnitRecord *u = findUnit(window, l.id);
    ASSERT_NE(u, nullptr);
    ASSERT_GE(u->kindDataLength, 4);
    EXPECT_EQ(wordAt(u->kindData), 2u);
    LabelSettings s;
    ASSERT_TRUE(readLabelSettings(u->kindData, u->kindDataLength, &s));
    EXPECT_EQ(bytes(s.caption), l.caption);
    EXPECT_EQ(s.textColour, l.textColour);
    EXPECT_EQ(s.textEffect, 0);
    EXPECT_EQ(s.gradientBorderWidth, 8);
    EXPECT_EQ(s.borderStyle, 0);
    EXPECT_EQ(s.backgroundColour, 0xFF000000u);
    EXPECT_EQ(s.pictureMode, 1);
    EXPECT_EQ(s.gradientBackground, 0);
    EXPECT_EQ(s.horizontalAlignment, 0);
    EXPECT_EQ(s.verticalAlignment, 1);
    EXPECT_EQ(s.wordWrap, 0);
    for (const uint32_t *colours : {s.gradientBorderColours, s.gradientBackgroundColours}) {
      EXPECT_EQ(colours[0], 0x808080u);
      EXPECT_EQ(colours[1], 0xFFFFFFu);
      EXPECT_EQ(colours[2], 0x808080u);
    }
    for (const ByteSpan *span : {&s.font, &s.picture, &s.bindingText1, &s.bindingText2})
      EXPECT_EQ(span->length, 0);
  }
}

TEST_F(MainFormTest, ButtonSettingsCarryTheFont) {
  const UnitRecord *u = findUnit(window, kCalibrateButtonId);
  ASSERT_GE(u->kindDataLength, 4);
  EXPECT_EQ(wordAt(u->kindData), 1u);
  ButtonSettings s;
  ASSERT_TRUE(readButtonSettings(u->kindData, u->kindDataLength, &s));
  EXPECT_EQ(s.buttonType, 0);
  EXPECT_EQ(s.horizontalAlignment, 1);
  EXPECT_EQ(s.verticalAlignment, 1);
  EXPECT_EQ(s.picture.length, 0);
  EXPECT_EQ(bytes(s.caption), "\xD0\xA3\xD7\xBC");  // 校准
  const unsigned char logFont[60] = {
      0xF2, 0xFF, 0xFF, 0xFF,  // lfHeight -14
      0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // width, escapement, orientation
      0x90, 0x01, 0, 0,        // lfWeight 400
      0, 0, 0,                 // italic, underline, strike-out
      134, 3, 2, 1, 0x31,      // charset, out and clip precision, quality, pitch and family
      'Y', 'a', 'H', 'e', 'i', ' ', 'C', 'o', 'n', 's', 'o', 'l', 'a', 's', ' ',
      'H', 'y', 'b', 'r', 'i', 'd'};  // the rest of the 32 bytes zero
  EXPECT_EQ(bytes(s.font), bytes(logFont, sizeof logFont));
}

TEST_F(MainFormTest, TimerHasEmptyKindData) {
  const UnitRecord *u = findUnit(window, kClockTimerId);
  EXPECT_EQ(u->kindDataLength, 0);
  TimerSettings s{-1};
  ASSERT_TRUE(readTimerSettings(u->kindData, u->kindDataLength, &s));
  EXPECT_EQ(s.period, 0);
}

}  // namespace
