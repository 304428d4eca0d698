#include "ui/main_form.h"

#include <cstring>
#include <initializer_list>

#include "ui/form_ids.h"
#include "ui/form_model.h"
#include "ui/form_writer.h"
#include "ui/kind_settings_writer.h"

namespace {

// One unit of the form as the developer reads it: its record's fields, and the settings of its
// kind that differ from the kind's defaults.
struct UnitDescription {
  const char *name;  // code page 936
  uint32_t id;
  uint32_t kind;
  int32_t left, top, width, height;
  uint32_t flags;
  EventHandler MainFormHandlers::*event0;  // the unit's one binding (event 0); null: none
  const char *caption;                     // window, label and button
  uint32_t textColour;                     // label
};

constexpr int32_t kReservedRecordHead = 16;  // zero bytes after the shared bindings
constexpr int32_t kReservedRecordTail = 20;  // zero bytes after the bindings
const unsigned char kArrowCursor[4] = {0, 0, 0, 0};  // the standard arrow cursor

// Gives a span over a constant text.
ByteSpan textSpan(const char *text) {
  return ByteSpan{reinterpret_cast<const unsigned char *>(text),
                  static_cast<int32_t>(std::strlen(text))};
}

// The button's font: 14-pixel "YaHei Consolas Hybrid", GB2312, normal weight.
const LogFontFields kButtonFont = {
    -14, 0, 0, 0, 400,  // height, width, escapement, orientation, weight
    0, 0, 0, 134,       // italic, underline, strike-out, GB2312_CHARSET
    3, 2, 1, 0x31,      // OUT_STROKE_PRECIS, CLIP_STROKE_PRECIS, DRAFT_QUALITY, pitch/family
    "YaHei Consolas Hybrid"};

// MainWindow and its controls in stored order, which is also the controls' stacking order
// (top first).
const UnitDescription kMainForm[] = {
    {"", kMainWindowRecordId, kKindWindow, 50, 50, 239, 131, kFlagVisible,
     &MainFormHandlers::onCreated, "\xCA\xB1\xBC\xE4\xD0\xA3\xD7\xBC", 0},  // 时间校准
    {"\xB1\xEA\xC7\xA9" "5", kCreditLabelId, kKindLabel, 0, 83, 80, 16,  // 标签5
     kFlagVisible, nullptr, "by\xA3\xBAVantor", 0x0000FF},                   // by：Vantor, red
    {"\xB1\xEA\xC7\xA9" "4", kLocalCaptionLabelId, kKindLabel, 0, 38, 56, 24,  // 标签4
     kFlagVisible, nullptr, "\xB1\xBE\xB5\xD8\xCA\xB1\xBC\xE4\xA3\xBA", 0},  // 本地时间：
    {"\xB1\xEA\xC7\xA9" "3", kNetworkCaptionLabelId, kKindLabel, 1, 8, 56, 24,  // 标签3
     kFlagVisible, nullptr, "\xCD\xF8\xC2\xE7\xCA\xB1\xBC\xE4\xA3\xBA", 0},  // 网络时间：
    {"\xB0\xB4\xC5\xA5" "1", kCalibrateButtonId, kKindButton, 160, 70, 72, 32,  // 按钮1
     kFlagVisible | kFlagTabStop, &MainFormHandlers::onClick, "\xD0\xA3\xD7\xBC", 0},  // 校准
    {"\xCA\xB1\xD6\xD3" "1", kClockTimerId, kKindTimer, 184, 72, 26, 26,  // 时钟1
     0, &MainFormHandlers::onTick, "", 0},
    {"\xB1\xEA\xC7\xA9" "2", kNetworkTimeLabelId, kKindLabel, 57, 8, 176, 24,  // 标签2
     kFlagVisible, nullptr, "", 0},
    {"\xB1\xEA\xC7\xA9" "1", kLocalTimeLabelId, kKindLabel, 57, 38, 176, 24,  // 标签1
     kFlagVisible, nullptr, "", 0},
};
constexpr int32_t kUnitCount = sizeof kMainForm / sizeof kMainForm[0];

// Gives the handler's offset from codeStart as stored (-1 for none); false when the handler
// lies before codeStart or too far after it for 32 bits.
bool handlerReference(EventHandler handler, uintptr_t codeStart, uint32_t *out) {
  if (handler == nullptr) {
    *out = static_cast<uint32_t>(kNoHandlerReference);
    return true;
  }
  const uintptr_t address = reinterpret_cast<uintptr_t>(handler);
  if (address < codeStart || address - codeStart >= UINT32_MAX) return false;
  *out = static_cast<uint32_t>(address - codeStart);
  return true;
}

// Appends the kind data of the unit's kind: its defaults with the unit's own settings.
void writeKindData(FormWriter *w, const UnitDescription &u) {
  switch (u.kind) {
    case kKindWindow: {
      WindowSettings s = defaultWindowSettings();
      s.caption = textSpan(u.caption);
      writeWindowSettings(w, s);
      break;
    }
    case kKindLabel: {
      LabelSettings s = defaultLabelSettings();
      s.caption = textSpan(u.caption);
      s.textColour = u.textColour;
      writeLabelSettings(w, s);
      break;
    }
    case kKindButton: {
      unsigned char font[kLogFontLength];
      encodeLogFont(kButtonFont, font);
      ButtonSettings s = defaultButtonSettings();
      s.font = ByteSpan{font, kLogFontLength};
      s.caption = textSpan(u.caption);
      writeButtonSettings(w, s);
      break;
    }
    case kKindTimer: writeTimerSettings(w, defaultTimerSettings()); break;
  }
}

// Appends the unit's record with its length; false when its handler cannot be referenced.
bool writeUnitRecord(FormWriter *w, const UnitDescription &u, const MainFormHandlers &handlers,
                     uintptr_t codeStart) {
  const int32_t lengthAt = w->length;
  writeWord(w, 0);
  writeWord(w, u.kind);
  writeWord(w, 0);  // shared bindings: its own
  writeZeros(w, kReservedRecordHead);
  writeZeroEnded(w, u.name);
  writeZeroEnded(w, "");  // reserved text
  writeWord(w, 0);        // object slot
  for (int32_t value : {u.left, u.top, u.width, u.height}) writeInt(w, value);
  writeWord(w, 0);  // cursor slot
  writeWord(w, 0);  // parent: the window
  writeWord(w, 0);  // no members
  writeCounted(w, kArrowCursor, sizeof kArrowCursor);
  writeZeroEnded(w, "");  // tag
  writeWord(w, 0);        // reserved
  writeWord(w, u.flags);
  writeInt(w, 0);  // tab order
  if (u.event0 == nullptr) {
    writeInt(w, 0);
  } else {
    uint32_t reference;
    if (!handlerReference(handlers.*u.event0, codeStart, &reference)) return false;
    writeInt(w, 1);
    writeInt(w, 0);
    writeWord(w, reference);
  }
  writeZeros(w, kReservedRecordTail);
  writeKindData(w, u);
  patchWord(w, lengthAt, static_cast<uint32_t>(w->length - lengthAt - 4));
  return true;
}

}  // namespace

// Lays out the window map, then MainWindow's template: its id array, offset array and records.
int32_t encodeMainForm(const MainFormHandlers &handlers, uintptr_t codeStart, unsigned char *out,
                       int32_t capacity) {
  FormWriter w = makeFormWriter(out, capacity);
  writeWord(&w, 8 * 1);  // window map: one window
  writeWord(&w, kMainWindowId);
  writeWord(&w, 0);  // reserved
  writeWord(&w, 0);  // template: two reserved words, two empty reserved texts
  writeWord(&w, 0);
  writeCounted(&w, nullptr, 0);
  writeCounted(&w, nullptr, 0);
  writeInt(&w, kUnitCount);
  const int32_t blockSizeAt = w.length;
  writeWord(&w, 0);
  const int32_t blockStart = w.length;
  for (const UnitDescription &u : kMainForm) writeWord(&w, u.id);
  const int32_t offsetsAt = w.length;
  writeZeros(&w, 4 * kUnitCount);
  const int32_t recordsStart = w.length;
  for (int32_t i = 0; i < kUnitCount; ++i) {
    patchWord(&w, offsetsAt + 4 * i, static_cast<uint32_t>(w.length - recordsStart));
    if (!writeUnitRecord(&w, kMainForm[i], handlers, codeStart)) return 0;
  }
  patchWord(&w, blockSizeAt, static_cast<uint32_t>(w.length - blockStart));
  return w.failed ? 0 : w.length;
}
