// The settings of each unit kind, read from a unit's kind data block.
#pragma once
#include <cstdint>

constexpr uint32_t kDefaultColour = 0xFF000000;  // the system's button-face colour

// The highest kind data version each kind reads.
constexpr int32_t kWindowKindVersion = 6;
constexpr int32_t kLabelKindVersion = 2;
constexpr int32_t kButtonKindVersion = 1;
constexpr int32_t kTimerKindVersion = 1;

// The largest value of each choice setting (the smallest is 0).
constexpr int32_t kMaxWindowBorderStyle = 6;
constexpr int32_t kMaxWindowPictureMode = 3;
constexpr int32_t kMaxStartPosition = 3;
constexpr int32_t kMaxSoundPlayMode = 2;
constexpr int32_t kMaxWindowShape = 29;
constexpr int32_t kMaxTextEffect = 3;
constexpr int32_t kMaxLabelBorderStyle = 6;
constexpr int32_t kMaxLabelPictureMode = 2;
constexpr int32_t kMaxGradientBackground = 8;
constexpr int32_t kMaxAlignment = 2;
constexpr int32_t kMaxButtonType = 1;

constexpr int32_t kLogFontLength = 60;  // a font is a LOGFONTA of exactly this many bytes

struct ByteSpan {
  const unsigned char *data;  // inside the kind data block (a default caption: a constant);
                              // null when empty
  int32_t length;
};

struct WindowSettings {
  int32_t borderStyle;       // 0-6, default 2
  int32_t pictureMode;       // 0-3, default 1
  uint32_t backgroundColour; // default kDefaultColour
  int32_t maximizeButton, minimizeButton, controlBox;  // 0, 1, 1
  int32_t startPosition;     // 0-3, default 1
  int32_t movable;           // 1
  int32_t soundPlayMode;     // 0-2, 0
  int32_t enterMovesFocus, escCloses, f1OpensHelp;  // 0, 1, 0
  int32_t helpContext;       // 0
  int32_t showInTaskbar, dragAnywhere, shape, alwaysOnTop, keepTitleActive;  // 1, 0, 0, 0, 0
  ByteSpan className, backgroundPicture, icon, backgroundSound, caption, helpFile;
};

struct LabelSettings {
  int32_t textEffect;           // 0-3, 0
  int32_t gradientBorderWidth;  // 8
  int32_t borderStyle;          // 0-6, 0
  uint32_t gradientBorderColours[3];  // 0x808080, 0xFFFFFF, 0x808080
  uint32_t textColour;          // 0
  uint32_t backgroundColour;    // kDefaultColour
  int32_t pictureMode;          // 0-2, 1
  int32_t gradientBackground;   // 0-8, 0
  uint32_t gradientBackgroundColours[3];
  int32_t horizontalAlignment;  // 0-2, 0
  int32_t verticalAlignment;    // 0-2, 1
  int32_t wordWrap;             // 0
  ByteSpan font, picture, caption, bindingText1, bindingText2;  // caption default "标签"
};

struct ButtonSettings {
  int32_t buttonType;           // 0-1, 0
  int32_t horizontalAlignment;  // 0-2, 1
  int32_t verticalAlignment;    // 0-2, 1
  ByteSpan picture, font, caption;  // caption default "按钮"
};

struct TimerSettings {
  int32_t period;  // milliseconds, 0 = stopped
};

// The settings of a kind when its kind data block is empty.
WindowSettings defaultWindowSettings();
LabelSettings defaultLabelSettings();
ButtonSettings defaultButtonSettings();
TimerSettings defaultTimerSettings();

// Each reader fills out from a kind data block (empty: all defaults). False, with out
// untouched, when the version is below 1 or above the kind's highest, or the block ends before
// its layout does. Choices outside their range are held to it, a negative period becomes 0,
// and a font that is not exactly kLogFontLength bytes reads as empty (the default font).
bool readWindowSettings(const unsigned char *data, int32_t length, WindowSettings *out);
bool readLabelSettings(const unsigned char *data, int32_t length, LabelSettings *out);
bool readButtonSettings(const unsigned char *data, int32_t length, ButtonSettings *out);
bool readTimerSettings(const unsigned char *data, int32_t length, TimerSettings *out);

// A choice written to a setting: negative becomes 0, above maximum becomes the maximum.
int32_t clampChoice(int32_t value, int32_t maximum);
