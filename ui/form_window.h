// CWinFormUnit: the top-level window of a form, and what the rest of the run time asks of it.
#pragma once
#include "ui/form_model.h"
#include "ui/kind_settings.h"
#include "ui/unit_kinds.h"
#include "values/byte_set.h"
#include "values/text.h"

struct FormWindowUnit {
  UnitHeader header;
  WindowSettings settings;  // the scalar settings; the spans are replaced by the copies below
  Text caption;
  Text className;
  Text helpFile;
  ByteSet backgroundPicture;  // kept and given back; not drawn
  ByteSet icon;               // kept and given back; the icons come from "DEFAULT_ICON"
  ByteSet backgroundSound;    // kept and given back; not played
  bool activatedOnce;
};

// Window events.
constexpr int32_t kCreatedEvent = 0;
constexpr int32_t kCloseQueryEvent = 1;
constexpr int32_t kDestroyingEvent = 2;
constexpr int32_t kMovedEvent = 3;
constexpr int32_t kResizedEvent = 4;
constexpr int32_t kActivatedEvent = 5;
constexpr int32_t kDeactivatedEvent = 6;
constexpr int32_t kIdleEvent = 7;
constexpr int32_t kFirstActivatedEvent = 8;
constexpr int32_t kShownEvent = 10;
constexpr int32_t kHiddenEvent = 11;
constexpr int32_t kFirstCloseQueryEvent = 12;

// The window unit of a template while its window exists, else null.
FormWindowUnit *formWindowOf(WindowTemplate *window);
// True while a window loaded from the form description exists.
bool anyFormWindowExists();
// The procedure of every form window's class.
LRESULT CALLBACK formWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
