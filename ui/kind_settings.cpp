#include "ui/kind_settings.h"

#include "ui/stream_reader.h"

namespace {

const unsigned char kDefaultLabelCaption[] = "\xB1\xEA\xC7\xA9";   // 标签
const unsigned char kDefaultButtonCaption[] = "\xB0\xB4\xC5\xA5";  // 按钮
constexpr uint32_t kGradientDark = 0x808080;
constexpr uint32_t kGradientLight = 0xFFFFFF;

// Gives the choice held to 0..maximum; false when the block ends.
bool readChoice(StreamReader *reader, int32_t maximum, int32_t *out) {
  int32_t value;
  if (!readInt(reader, &value)) return false;
  *out = clampChoice(value, maximum);
  return true;
}

// Gives the colour; false when the block ends.
bool readColour(StreamReader *reader, uint32_t *out) { return readWord(reader, out); }

// Gives the counted text or bytes in place; false when the count or the bytes do not fit.
bool readSpan(StreamReader *reader, ByteSpan *out) {
  return readCounted(reader, &out->data, &out->length);
}

// Gives the font bytes, empty unless they are a whole LOGFONTA; false as readSpan.
bool readFont(StreamReader *reader, ByteSpan *out) {
  if (!readSpan(reader, out)) return false;
  if (out->length != kLogFontLength) *out = ByteSpan{nullptr, 0};
  return true;
}

// Gives the version of a non-empty block; false when it is missing or not in 1..highest.
bool readVersion(StreamReader *reader, int32_t highest, int32_t *version) {
  return readInt(reader, version) && *version >= 1 && *version <= highest;
}

}  // namespace

// Gives the window defaults.
WindowSettings defaultWindowSettings() {
  WindowSettings s{};
  s.borderStyle = 2;
  s.pictureMode = 1;
  s.backgroundColour = kDefaultColour;
  s.minimizeButton = 1;
  s.controlBox = 1;
  s.startPosition = 1;
  s.movable = 1;
  s.escCloses = 1;
  s.showInTaskbar = 1;
  return s;
}

// Gives the label defaults, the caption "标签" among them.
LabelSettings defaultLabelSettings() {
  LabelSettings s{};
  s.gradientBorderWidth = 8;
  s.gradientBorderColours[0] = s.gradientBackgroundColours[0] = kGradientDark;
  s.gradientBorderColours[1] = s.gradientBackgroundColours[1] = kGradientLight;
  s.gradientBorderColours[2] = s.gradientBackgroundColours[2] = kGradientDark;
  s.backgroundColour = kDefaultColour;
  s.pictureMode = 1;
  s.verticalAlignment = 1;
  s.caption = ByteSpan{kDefaultLabelCaption, sizeof kDefaultLabelCaption - 1};
  return s;
}

// Gives the button defaults, the caption "按钮" among them.
ButtonSettings defaultButtonSettings() {
  ButtonSettings s{};
  s.horizontalAlignment = 1;
  s.verticalAlignment = 1;
  s.caption = ByteSpan{kDefaultButtonCaption, sizeof kDefaultButtonCaption - 1};
  return s;
}

// Gives the timer defaults: stopped.
TimerSettings defaultTimerSettings() { return TimerSettings{0}; }

// Settings 14-19 arrived one version at a time; an older block leaves them at their defaults.
bool readWindowSettings(const unsigned char *data, int32_t length, WindowSettings *out) {
  if (length < 0) return false;
  WindowSettings s = defaultWindowSettings();
  StreamReader r = makeStreamReader(data, length);
  int32_t v = 0;
  const bool ok =
      length == 0 ||
      (readVersion(&r, kWindowKindVersion, &v) &&
       readChoice(&r, kMaxWindowBorderStyle, &s.borderStyle) &&
       readChoice(&r, kMaxWindowPictureMode, &s.pictureMode) &&
       readColour(&r, &s.backgroundColour) && readInt(&r, &s.maximizeButton) &&
       readInt(&r, &s.minimizeButton) && readInt(&r, &s.controlBox) &&
       readChoice(&r, kMaxStartPosition, &s.startPosition) && readInt(&r, &s.movable) &&
       readChoice(&r, kMaxSoundPlayMode, &s.soundPlayMode) &&
       readInt(&r, &s.enterMovesFocus) && readInt(&r, &s.escCloses) &&
       readInt(&r, &s.f1OpensHelp) && readInt(&r, &s.helpContext) &&
       (v < 2 || readInt(&r, &s.showInTaskbar)) &&
       (v < 3 || (readInt(&r, &s.dragAnywhere) &&
                  readChoice(&r, kMaxWindowShape, &s.shape))) &&
       (v < 4 || readInt(&r, &s.alwaysOnTop)) &&
       (v < 5 || readInt(&r, &s.keepTitleActive)) &&
       (v < 6 || readSpan(&r, &s.className)) && readSpan(&r, &s.backgroundPicture) &&
       readSpan(&r, &s.icon) && readSpan(&r, &s.backgroundSound) && readSpan(&r, &s.caption) &&
       readSpan(&r, &s.helpFile));
  if (ok) *out = s;
  return ok;
}

// The two data binding texts arrived with version 2.
bool readLabelSettings(const unsigned char *data, int32_t length, LabelSettings *out) {
  if (length < 0) return false;
  LabelSettings s = defaultLabelSettings();
  StreamReader r = makeStreamReader(data, length);
  int32_t v = 0;
  const bool ok =
      length == 0 ||
      (readVersion(&r, kLabelKindVersion, &v) &&
       readChoice(&r, kMaxTextEffect, &s.textEffect) &&
       readInt(&r, &s.gradientBorderWidth) &&
       readChoice(&r, kMaxLabelBorderStyle, &s.borderStyle) &&
       readColour(&r, &s.gradientBorderColours[0]) &&
       readColour(&r, &s.gradientBorderColours[1]) &&
       readColour(&r, &s.gradientBorderColours[2]) && readColour(&r, &s.textColour) &&
       readColour(&r, &s.backgroundColour) &&
       readChoice(&r, kMaxLabelPictureMode, &s.pictureMode) &&
       readChoice(&r, kMaxGradientBackground, &s.gradientBackground) &&
       readColour(&r, &s.gradientBackgroundColours[0]) &&
       readColour(&r, &s.gradientBackgroundColours[1]) &&
       readColour(&r, &s.gradientBackgroundColours[2]) &&
       readChoice(&r, kMaxAlignment, &s.horizontalAlignment) &&
       readChoice(&r, kMaxAlignment, &s.verticalAlignment) && readInt(&r, &s.wordWrap) &&
       readFont(&r, &s.font) && readSpan(&r, &s.picture) && readSpan(&r, &s.caption) &&
       (v < 2 || (readSpan(&r, &s.bindingText1) && readSpan(&r, &s.bindingText2))));
  if (ok) *out = s;
  return ok;
}

// Gives the button settings of a version 1 block.
bool readButtonSettings(const unsigned char *data, int32_t length, ButtonSettings *out) {
  if (length < 0) return false;
  ButtonSettings s = defaultButtonSettings();
  StreamReader r = makeStreamReader(data, length);
  int32_t v = 0;
  const bool ok = length == 0 || (readVersion(&r, kButtonKindVersion, &v) &&
                                  readChoice(&r, kMaxButtonType, &s.buttonType) &&
                                  readChoice(&r, kMaxAlignment, &s.horizontalAlignment) &&
                                  readChoice(&r, kMaxAlignment, &s.verticalAlignment) &&
                                  readSpan(&r, &s.picture) && readFont(&r, &s.font) &&
                                  readSpan(&r, &s.caption));
  if (ok) *out = s;
  return ok;
}

// Gives the period of a version 1 block, a negative one as 0 (stopped).
bool readTimerSettings(const unsigned char *data, int32_t length, TimerSettings *out) {
  if (length < 0) return false;
  TimerSettings s = defaultTimerSettings();
  StreamReader r = makeStreamReader(data, length);
  int32_t v = 0;
  const bool ok = length == 0 ||
                  (readVersion(&r, kTimerKindVersion, &v) && readInt(&r, &s.period));
  if (!ok) return false;
  if (s.period < 0) s.period = 0;
  *out = s;
  return true;
}

// Gives value held to 0..maximum.
int32_t clampChoice(int32_t value, int32_t maximum) {
  if (value < 0) return 0;
  return value > maximum ? maximum : value;
}
