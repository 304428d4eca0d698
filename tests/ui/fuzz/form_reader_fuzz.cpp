// libFuzzer target: the form reader, the lookups and the kind settings readers on any bytes.
// Every input must be refused or read without a read outside it (ASan and UBSan watch).
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>

#include "ui/form_model.h"
#include "ui/form_templates.h"
#include "ui/kind_settings.h"

namespace {

constexpr uintptr_t kCodeStart = 0x401000;
constexpr size_t kMaxInput = 1 << 20;
FormTemplates g_templates;

// Folds bytes into a sum, so that every byte a span claims is really read.
uint32_t g_sink = 0;
void touch(const unsigned char *bytes, int32_t length) {
  for (int32_t i = 0; i < length; ++i) g_sink += bytes[i];
}
void touch(const ByteSpan &span) { touch(span.data, span.length); }

// Reads the unit's kind data as its kind would when the window is created.
void readKindData(const UnitRecord &unit) {
  switch (unit.kind) {
    case kKindWindow: {
      WindowSettings s;
      if (readWindowSettings(unit.kindData, unit.kindDataLength, &s))
        for (const ByteSpan *span : {&s.className, &s.backgroundPicture, &s.icon,
                                     &s.backgroundSound, &s.caption, &s.helpFile})
          touch(*span);
      break;
    }
    case kKindLabel: {
      LabelSettings s;
      if (readLabelSettings(unit.kindData, unit.kindDataLength, &s))
        for (const ByteSpan *span : {&s.font, &s.picture, &s.caption, &s.bindingText1,
                                     &s.bindingText2})
          touch(*span);
      break;
    }
    case kKindButton: {
      ButtonSettings s;
      if (readButtonSettings(unit.kindData, unit.kindDataLength, &s))
        for (const ByteSpan *span : {&s.picture, &s.font, &s.caption}) touch(*span);
      break;
    }
    case kKindTimer: {
      TimerSettings s;
      if (readTimerSettings(unit.kindData, unit.kindDataLength, &s)) g_sink += s.period;
      break;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size > kMaxInput) return 0;
  const auto length = static_cast<int32_t>(size);

  // The kind readers straight on the input too, whatever the form reader makes of it.
  WindowSettings w;
  LabelSettings l;
  ButtonSettings b;
  TimerSettings t;
  g_sink += readWindowSettings(data, length, &w) + readLabelSettings(data, length, &l) +
            readButtonSettings(data, length, &b) + readTimerSettings(data, length, &t);

  if (!readFormDescription(data, length, kCodeStart, &g_templates)) return 0;
  for (int32_t i = 0; i < g_templates.windowCount; ++i) {
    WindowTemplate *window = findWindowTemplate(&g_templates, g_templates.windows[i].windowId);
    if (window == nullptr) continue;
    for (int32_t u = 0; u < window->unitCount; ++u) {
      const UnitRecord &unit = window->units[u];
      touch(reinterpret_cast<const unsigned char *>(unit.name),
            static_cast<int32_t>(std::strlen(unit.name)));
      touch(unit.members, 4 * unit.memberCount);
      touch(unit.cursorData, unit.cursorDataLength);
      if (unit.tag != nullptr) g_sink += static_cast<uint32_t>(std::strlen(unit.tag));
      touch(unit.kindData, unit.kindDataLength);
      readKindData(unit);
      const UnitRecord *found = findUnit(window, unit.id);
      for (int32_t event = -1; event <= 1; ++event)
        g_sink += findHandler(window, found != nullptr ? found : &unit, event) != nullptr;
    }
  }
  clearFormTemplates(&g_templates);
  return 0;
}
