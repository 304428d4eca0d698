// The settings of each unit kind, read from a unit's kind data block.
#pragma once
#include <cstdint>

constexpr uint32_t kDefaultColour = 0xFF000000;  // the system's button-face colour

struct ByteSpan {
  const unsigned char *data;  // inside the kind data block; null when empty
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

// Each reader fills out from a kind data block (empty: all defaults). False when the version
// is above the kind's highest or the block ends before its layout does.
bool readWindowSettings(const unsigned char *data, int32_t length, WindowSettings *out);
bool readLabelSettings(const unsigned char *data, int32_t length, LabelSettings *out);
bool readButtonSettings(const unsigned char *data, int32_t length, ButtonSettings *out);
bool readTimerSettings(const unsigned char *data, int32_t length, TimerSettings *out);

// A choice written to a setting: negative becomes 0, above maximum becomes the maximum.
int32_t clampChoice(int32_t value, int32_t maximum);
