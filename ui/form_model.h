// The window templates in memory: what the reader makes of the stored form description.
#pragma once
#include <cstdint>

#include "ui/runtime.h"

constexpr uint32_t kKindWindow = 0x00010001;
constexpr uint32_t kKindLabel = 0x0001000A;
constexpr uint32_t kKindButton = 0x0001000B;
constexpr uint32_t kKindTimer = 0x00010020;

constexpr uint32_t kFlagVisible = 1u << 0;
constexpr uint32_t kFlagDisabled = 1u << 1;
constexpr uint32_t kFlagTabStop = 1u << 2;

constexpr int32_t kNoHandlerReference = -1;
constexpr int32_t kMaxWindows = 4;
constexpr int32_t kMaxUnits = 32;
constexpr int32_t kMaxBindings = 16;

struct EventBinding {
  int32_t event;
  EventHandler handler;  // null: the event has no handler
};

struct UnitRecord {
  uint32_t kind;
  uint32_t sharedBindings;  // unit id whose bindings this unit uses; 0 = its own
  uint32_t id;
  const char *name;         // zero-ended, inside the stored block
  int32_t left, top, width, height;
  uint32_t parent;          // 0 = the window
  int32_t memberCount;
  const unsigned char *members;  // memberCount 32-bit ids, inside the stored block
  unsigned char *cursorData;     // heap block (allocateBlock) or null
  int32_t cursorDataLength;
  char *tag;                     // Text, or null
  uint32_t flags;
  int32_t tabOrder;
  EventBinding bindings[kMaxBindings];
  int32_t bindingCount;
  const unsigned char *kindData;  // inside the stored block
  int32_t kindDataLength;
  void *object;  // the created unit, while it exists
  void *cursor;  // the cursor made from cursorData (HCURSOR), while the window exists
};

struct WindowTemplate {
  uint32_t windowId;
  UnitRecord units[kMaxUnits];  // units[0] is the window's own record; stored order
  int32_t unitCount;
  bool loaded;
};

struct FormTemplates {
  WindowTemplate windows[kMaxWindows];
  int32_t windowCount;
};

// An id is valid when its serial number (low 24 bits) and category (bits 24-27) are not 0.
bool isValidId(uint32_t id);

// Reads the stored form into out, binding handler references as offsets from codeStart. Names,
// member lists and kind data point into data, which must outlive the templates; tags and cursor
// data are heap copies (clearFormTemplates releases them). False, with out empty, when the
// block ends early, a count or offset does not fit, or a template's first record is not a
// window's; never reads past length.
bool readFormDescription(const unsigned char *data, int32_t length, uintptr_t codeStart,
                         FormTemplates *out);

// The template of windowId, or null when it is invalid or not in the templates.
WindowTemplate *findWindowTemplate(FormTemplates *templates, uint32_t windowId);
// The record of unitId (the window record's id or 0 gives the first record), or null.
UnitRecord *findUnit(WindowTemplate *window, uint32_t unitId);
// The handler bound to event, following the shared-bindings links while each names another
// record of the same kind (a cycle stops after unitCount steps); null when none.
EventHandler findHandler(WindowTemplate *window, const UnitRecord *unit, int32_t event);
