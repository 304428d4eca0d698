// The kind settings readers: defaults, each version's layout, early ends, rejected versions and
// values held to their ranges.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <initializer_list>
#include <string>

#include "ui/form_writer.h"
#include "ui/kind_settings.h"
#include "ui/kind_settings_writer.h"

namespace {

// A kind data block written word by word, as a test spells it out. It copies as a value: the
// writer is made over its own bytes for each step.
struct Block {
  unsigned char bytes[512] = {};
  int32_t used = 0;

  template <typename Write>
  Block &append(Write write) {
    FormWriter w = makeFormWriter(bytes, sizeof bytes);
    w.length = used;
    write(&w);
    used = w.length;
    return *this;
  }
  Block &word(uint32_t value) {
    return append([&](FormWriter *w) { writeWord(w, value); });
  }
  Block &words(std::initializer_list<uint32_t> values) {
    for (uint32_t v : values) word(v);
    return *this;
  }
  Block &text(const char *t) {
    return append([&](FormWriter *w) { writeCounted(w, t, static_cast<int32_t>(std::strlen(t))); });
  }
  Block &zeros(int32_t count) {  // a counted block of count zero bytes
    return append([&](FormWriter *w) {
      writeInt(w, count);
      writeZeros(w, count);
    });
  }
  int32_t length() const { return used; }
};

std::string str(const ByteSpan &s) {
  return s.data == nullptr ? std::string() : std::string(reinterpret_cast<const char *>(s.data), s.length);
}

// An exactly sized heap copy of the first length bytes of a block, so that AddressSanitizer
// catches a read past its end; the settings read from it point into it while it lives.
struct HeapCopy {
  HeapCopy(const Block &block, int32_t n) : data(new unsigned char[n]), length(n) {
    if (n > 0) std::memcpy(data, block.bytes, n);
  }
  ~HeapCopy() { delete[] data; }
  unsigned char *data;
  int32_t length;
};

// Gives read's answer for the first length bytes of block (the settings must not be looked at
// after the copy is gone, so only the answer and the untouched fields are).
template <typename Settings>
bool readCopy(bool (*read)(const unsigned char *, int32_t, Settings *), const Block &block,
              int32_t length, Settings *out) {
  HeapCopy copy(block, length);
  return read(copy.data, copy.length, out);
}

// The thirteen window settings every version has, none at its default.
Block &windowBase(Block &b, uint32_t version) {
  return b.word(version).words({4, 0, 0x123456, 1, 0, 0, 0, 0, 2, 1, 0, 1, 77});
}

// The five texts and bytes that end every window block.
Block &windowTail(Block &b) { return b.text("p").text("ic").text("snd").text("cap").text("hlp"); }

struct WindowVersionCase {
  uint32_t version;
  std::initializer_list<uint32_t> added;  // the settings 14-18 the version has
  const char *className;                  // setting 19, null when the version has none
  int32_t showInTaskbar, dragAnywhere, shape, alwaysOnTop, keepTitleActive;
};

TEST(WindowSettings, EachVersionReadsItsOwnLayout) {
  const WindowVersionCase cases[] = {
      {1, {}, nullptr, 1, 0, 0, 0, 0},
      {2, {0}, nullptr, 0, 0, 0, 0, 0},
      {3, {0, 1, 7}, nullptr, 0, 1, 7, 0, 0},
      {4, {0, 1, 7, 1}, nullptr, 0, 1, 7, 1, 0},
      {5, {0, 1, 7, 1, 1}, nullptr, 0, 1, 7, 1, 1},
      {6, {0, 1, 7, 1, 1}, "cls", 0, 1, 7, 1, 1},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.version);
    Block b;
    windowBase(b, c.version).words(c.added);
    if (c.className != nullptr) b.text(c.className);
    windowTail(b);
    WindowSettings s;
    HeapCopy copy(b, b.length());
    ASSERT_TRUE(readWindowSettings(copy.data, copy.length, &s));
    EXPECT_EQ(s.borderStyle, 4);
    EXPECT_EQ(s.pictureMode, 0);
    EXPECT_EQ(s.backgroundColour, 0x123456u);
    EXPECT_EQ(s.maximizeButton, 1);
    EXPECT_EQ(s.minimizeButton, 0);
    EXPECT_EQ(s.controlBox, 0);
    EXPECT_EQ(s.startPosition, 0);
    EXPECT_EQ(s.movable, 0);
    EXPECT_EQ(s.soundPlayMode, 2);
    EXPECT_EQ(s.enterMovesFocus, 1);
    EXPECT_EQ(s.escCloses, 0);
    EXPECT_EQ(s.f1OpensHelp, 1);
    EXPECT_EQ(s.helpContext, 77);
    EXPECT_EQ(s.showInTaskbar, c.showInTaskbar);
    EXPECT_EQ(s.dragAnywhere, c.dragAnywhere);
    EXPECT_EQ(s.shape, c.shape);
    EXPECT_EQ(s.alwaysOnTop, c.alwaysOnTop);
    EXPECT_EQ(s.keepTitleActive, c.keepTitleActive);
    EXPECT_EQ(str(s.className), c.className == nullptr ? "" : c.className);
    EXPECT_EQ(str(s.backgroundPicture), "p");
    EXPECT_EQ(str(s.icon), "ic");
    EXPECT_EQ(str(s.backgroundSound), "snd");
    EXPECT_EQ(str(s.caption), "cap");
    EXPECT_EQ(str(s.helpFile), "hlp");
  }
}

TEST(WindowSettings, EmptyBlockGivesTheDefaults) {
  WindowSettings s;
  std::memset(&s, 0x5A, sizeof s);
  ASSERT_TRUE(readWindowSettings(nullptr, 0, &s));
  const int32_t expected[] = {2, 1, 0, 1, 1, 1, 1, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0};
  const int32_t actual[] = {s.borderStyle,   s.pictureMode,     s.maximizeButton,
                            s.minimizeButton, s.controlBox,     s.startPosition,
                            s.movable,        s.soundPlayMode,  s.enterMovesFocus,
                            s.escCloses,      s.f1OpensHelp,    s.helpContext,
                            s.showInTaskbar,  s.dragAnywhere,   s.shape,
                            s.alwaysOnTop,    s.keepTitleActive};
  for (size_t i = 0; i < sizeof expected / sizeof expected[0]; ++i)
    EXPECT_EQ(actual[i], expected[i]) << "setting " << i;
  EXPECT_EQ(s.backgroundColour, kDefaultColour);
  for (const ByteSpan *span : {&s.className, &s.backgroundPicture, &s.icon, &s.backgroundSound,
                               &s.caption, &s.helpFile}) {
    EXPECT_EQ(span->data, nullptr);
    EXPECT_EQ(span->length, 0);
  }
}

Block fullLabel(uint32_t version) {
  Block b;
  b.word(version).words({2, 12, 6, 1, 2, 3, 0xFF, 0xEE, 2, 8, 4, 5, 6, 2, 0, 1}).zeros(60);
  b.text("pic").text("caption");
  if (version >= 2) b.text("b1").text("b2");
  return b;
}

TEST(LabelSettings, VersionTwoAddsTheBindingTexts) {
  for (uint32_t version : {1u, 2u}) {
    SCOPED_TRACE(version);
    const Block b = fullLabel(version);
    LabelSettings s;
    HeapCopy copy(b, b.length());
    ASSERT_TRUE(readLabelSettings(copy.data, copy.length, &s));
    EXPECT_EQ(s.textEffect, 2);
    EXPECT_EQ(s.gradientBorderWidth, 12);
    EXPECT_EQ(s.borderStyle, 6);
    EXPECT_EQ(s.gradientBorderColours[0], 1u);
    EXPECT_EQ(s.gradientBorderColours[1], 2u);
    EXPECT_EQ(s.gradientBorderColours[2], 3u);
    EXPECT_EQ(s.textColour, 0xFFu);
    EXPECT_EQ(s.backgroundColour, 0xEEu);
    EXPECT_EQ(s.pictureMode, 2);
    EXPECT_EQ(s.gradientBackground, 8);
    EXPECT_EQ(s.gradientBackgroundColours[0], 4u);
    EXPECT_EQ(s.gradientBackgroundColours[1], 5u);
    EXPECT_EQ(s.gradientBackgroundColours[2], 6u);
    EXPECT_EQ(s.horizontalAlignment, 2);
    EXPECT_EQ(s.verticalAlignment, 0);
    EXPECT_EQ(s.wordWrap, 1);
    EXPECT_EQ(s.font.length, 60);
    EXPECT_EQ(str(s.picture), "pic");
    EXPECT_EQ(str(s.caption), "caption");
    EXPECT_EQ(str(s.bindingText1), version >= 2 ? "b1" : "");
    EXPECT_EQ(str(s.bindingText2), version >= 2 ? "b2" : "");
  }
}

TEST(LabelSettings, EmptyBlockGivesTheDefaults) {
  LabelSettings s;
  ASSERT_TRUE(readLabelSettings(nullptr, 0, &s));
  EXPECT_EQ(s.textEffect, 0);
  EXPECT_EQ(s.gradientBorderWidth, 8);
  EXPECT_EQ(s.borderStyle, 0);
  EXPECT_EQ(s.textColour, 0u);
  EXPECT_EQ(s.backgroundColour, kDefaultColour);
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
  EXPECT_EQ(str(s.caption), "\xB1\xEA\xC7\xA9");  // 标签
  for (const ByteSpan *span : {&s.font, &s.picture, &s.bindingText1, &s.bindingText2})
    EXPECT_EQ(span->length, 0);
}

TEST(LabelSettings, FontIsTakenOnlyAtSixtyBytes) {
  for (int32_t size : {0, 59, 60, 61}) {
    Block b;
    b.word(2).words({0, 8, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0}).zeros(size);
    b.text("").text("").text("").text("");
    LabelSettings s;
    HeapCopy copy(b, b.length());
    ASSERT_TRUE(readLabelSettings(copy.data, copy.length, &s)) << size;
    EXPECT_EQ(s.font.length, size == 60 ? 60 : 0) << size;
    EXPECT_EQ(s.font.data == nullptr, size != 60) << size;
  }
}

Block fullButton() {
  Block b;
  b.words({1, 1, 2, 0}).text("pic").zeros(60).text("\xD0\xA3\xD7\xBC");
  return b;
}

TEST(ButtonSettings, VersionOneLayout) {
  const Block b = fullButton();
  ButtonSettings s;
  HeapCopy copy(b, b.length());
    ASSERT_TRUE(readButtonSettings(copy.data, copy.length, &s));
  EXPECT_EQ(s.buttonType, 1);
  EXPECT_EQ(s.horizontalAlignment, 2);
  EXPECT_EQ(s.verticalAlignment, 0);
  EXPECT_EQ(str(s.picture), "pic");
  EXPECT_EQ(str(s.font), std::string(60, '\0'));
  EXPECT_EQ(str(s.caption), "\xD0\xA3\xD7\xBC");

  ButtonSettings d;
  ASSERT_TRUE(readButtonSettings(nullptr, 0, &d));
  EXPECT_EQ(d.buttonType, 0);
  EXPECT_EQ(d.horizontalAlignment, 1);
  EXPECT_EQ(d.verticalAlignment, 1);
  EXPECT_EQ(d.picture.length, 0);
  EXPECT_EQ(d.font.length, 0);
  EXPECT_EQ(str(d.caption), "\xB0\xB4\xC5\xA5");  // 按钮
}

TEST(TimerSettings, PeriodAndDefaults) {
  const struct {
    std::initializer_list<uint32_t> words;
    int32_t period;
  } cases[] = {{{}, 0}, {{1, 1000}, 1000}, {{1, 0xFFFFFFFB}, 0}, {{1, 0}, 0}};
  for (const auto &c : cases) {
    Block b;
    b.words(c.words);
    TimerSettings s{-99};
    HeapCopy copy(b, b.length());
    ASSERT_TRUE(readTimerSettings(copy.data, copy.length, &s));
    EXPECT_EQ(s.period, c.period);
  }
}

Block fullWindow() {
  Block b;
  windowBase(b, 6).words({0, 1, 7, 1, 1}).text("cls");
  return windowTail(b);
}

Block fullTimer() {
  Block b;
  b.words({1, 1000});
  return b;
}

// Every block that ends before its layout does fails and leaves out as it was.
template <typename Settings>
void expectEveryPrefixFails(bool (*read)(const unsigned char *, int32_t, Settings *),
                            const Block &block) {
  for (int32_t n = 1; n < block.length(); ++n) {
    Settings s;
    std::memset(&s, 0x5A, sizeof s);
    Settings before = s;
    EXPECT_FALSE(readCopy(read, block, n, &s)) << "first " << n << " bytes";
    EXPECT_EQ(std::memcmp(&s, &before, sizeof s), 0) << "first " << n << " bytes";
  }
}

TEST(KindSettings, BlocksEndingEarlyFail) {
  expectEveryPrefixFails(readWindowSettings, fullWindow());
  expectEveryPrefixFails(readLabelSettings, fullLabel(2));
  expectEveryPrefixFails(readLabelSettings, fullLabel(1));
  expectEveryPrefixFails(readButtonSettings, fullButton());
  expectEveryPrefixFails(readTimerSettings, fullTimer());
}

// Gives the block with its version word replaced.
Block withVersion(Block b, uint32_t version) {
  return b.append([&](FormWriter *w) { patchWord(w, 0, version); });
}

TEST(KindSettings, VersionsOutsideTheKindsRangeFail) {
  WindowSettings w;
  LabelSettings l;
  ButtonSettings b;
  TimerSettings t;
  for (uint32_t bad : {7u, 0u, 0xFFFFFFFFu})
    EXPECT_FALSE(readCopy(readWindowSettings, withVersion(fullWindow(), bad), fullWindow().length(), &w));
  for (uint32_t bad : {3u, 0u, 0x80000000u})
    EXPECT_FALSE(readCopy(readLabelSettings, withVersion(fullLabel(2), bad), fullLabel(2).length(), &l));
  for (uint32_t bad : {2u, 0u})
    EXPECT_FALSE(readCopy(readButtonSettings, withVersion(fullButton(), bad), fullButton().length(), &b));
  for (uint32_t bad : {2u, 0u})
    EXPECT_FALSE(readCopy(readTimerSettings, withVersion(fullTimer(), bad), fullTimer().length(), &t));
}

TEST(KindSettings, NegativeAndOversizedCountsFail) {
  for (uint32_t count : {0xFFFFFFFFu, 0x80000000u, 0x7FFFFFFFu, 9u}) {
    Block b;
    b.words({1, 0, 1, 1}).text("").text("").word(count).words({0, 0});  // caption count
    ButtonSettings s;
    EXPECT_FALSE(readCopy(readButtonSettings, b, b.length(), &s)) << count;
  }
  EXPECT_FALSE(readButtonSettings(fullButton().bytes, -1, nullptr));
}

TEST(KindSettings, StoredChoicesAreHeldToTheirRange) {
  Block w;
  w.word(6).words({9, 0xFFFFFFFF, 0, 0, 1, 1, 7, 1, 3, 0, 1, 0, 0, 1, 0, 40, 0, 0});
  w.text("").text("").text("").text("").text("").text("");
  WindowSettings ws;
  HeapCopy wc(w, w.length());
  ASSERT_TRUE(readWindowSettings(wc.data, wc.length, &ws));
  EXPECT_EQ(ws.borderStyle, 6);
  EXPECT_EQ(ws.pictureMode, 0);
  EXPECT_EQ(ws.startPosition, 3);
  EXPECT_EQ(ws.soundPlayMode, 2);
  EXPECT_EQ(ws.shape, 29);

  Block l;
  l.word(2).words({5, 8, 0x80000000, 0, 0, 0, 0, 0, 3, 9, 0, 0, 0, 3, 0xFFFFFFFB, 0});
  l.text("").text("").text("").text("").text("");
  LabelSettings ls;
  HeapCopy lc(l, l.length());
  ASSERT_TRUE(readLabelSettings(lc.data, lc.length, &ls));
  EXPECT_EQ(ls.textEffect, 3);
  EXPECT_EQ(ls.borderStyle, 0);
  EXPECT_EQ(ls.pictureMode, 2);
  EXPECT_EQ(ls.gradientBackground, 8);
  EXPECT_EQ(ls.horizontalAlignment, 2);
  EXPECT_EQ(ls.verticalAlignment, 0);

  Block b;
  b.words({1, 3, 0xFFFFFFFF, 5}).text("").text("").text("");
  ButtonSettings bs;
  HeapCopy bc(b, b.length());
  ASSERT_TRUE(readButtonSettings(bc.data, bc.length, &bs));
  EXPECT_EQ(bs.buttonType, 1);
  EXPECT_EQ(bs.horizontalAlignment, 0);
  EXPECT_EQ(bs.verticalAlignment, 2);
}

// The writer's blocks read back as written, every setting at a value of its own so that no two
// can trade places unseen (the reader's layout is checked against hand-written blocks above).
TEST(KindSettingsWriter, BlocksReadBackAsWritten) {
  unsigned char bytes[1024];
  const unsigned char *a = reinterpret_cast<const unsigned char *>("abcdefghijklmnop");
  unsigned char font[kLogFontLength] = {};
  font[0] = 0x55;

  WindowSettings w = {5, 3, 0x010203, 10, 11, 12, 2, 13, 1, 14, 15, 16, 42, 17, 18, 29, 19, 20,
                      {a, 1}, {a, 2}, {a, 3}, {a, 4}, {a, 5}, {a, 6}};
  FormWriter fw = makeFormWriter(bytes, sizeof bytes);
  writeWindowSettings(&fw, w);
  WindowSettings wr;
  ASSERT_TRUE(readWindowSettings(bytes, fw.length, &wr));
  EXPECT_EQ(std::memcmp(&wr, &w, offsetof(WindowSettings, className)), 0);
  EXPECT_EQ(wr.helpFile.length, 6);
  EXPECT_EQ(wr.className.length, 1);

  LabelSettings l = {3, 9, 5, {1, 2, 3}, 4, 5, 2, 7, {6, 7, 8}, 1, 2, 10,
                     {font, kLogFontLength}, {a, 2}, {a, 3}, {a, 4}, {a, 5}};
  FormWriter lw = makeFormWriter(bytes, sizeof bytes);
  writeLabelSettings(&lw, l);
  LabelSettings lr;
  ASSERT_TRUE(readLabelSettings(bytes, lw.length, &lr));
  EXPECT_EQ(std::memcmp(&lr, &l, offsetof(LabelSettings, font)), 0);
  EXPECT_EQ(lr.font.data[0], 0x55);
  EXPECT_EQ(lr.bindingText2.length, 5);

  ButtonSettings b = {1, 0, 2, {a, 3}, {font, kLogFontLength}, {a, 7}};
  FormWriter bw = makeFormWriter(bytes, sizeof bytes);
  writeButtonSettings(&bw, b);
  ButtonSettings br;
  ASSERT_TRUE(readButtonSettings(bytes, bw.length, &br));
  EXPECT_EQ(br.buttonType, 1);
  EXPECT_EQ(br.horizontalAlignment, 0);
  EXPECT_EQ(br.verticalAlignment, 2);
  EXPECT_EQ(br.picture.length, 3);
  EXPECT_EQ(br.font.length, kLogFontLength);
  EXPECT_EQ(br.caption.length, 7);

  for (int32_t period : {0, 250}) {
    FormWriter tw = makeFormWriter(bytes, sizeof bytes);
    writeTimerSettings(&tw, TimerSettings{period});
    EXPECT_EQ(tw.length, period == 0 ? 0 : 8);  // a stopped timer is stored empty
    TimerSettings tr{-1};
    ASSERT_TRUE(readTimerSettings(bytes, tw.length, &tr));
    EXPECT_EQ(tr.period, period);
  }
}

TEST(ClampChoice, NegativeToZeroAndAboveToTheMaximum) {
  const struct {
    int32_t value, maximum, expected;
  } cases[] = {{-1, 6, 0}, {INT32_MIN, 6, 0}, {0, 6, 0}, {3, 6, 3},
               {6, 6, 6},  {7, 6, 6},         {INT32_MAX, 29, 29}, {1, 0, 0}};
  for (const auto &c : cases)
    EXPECT_EQ(clampChoice(c.value, c.maximum), c.expected) << c.value << " " << c.maximum;
}

}  // namespace
