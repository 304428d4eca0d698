// readProperty and writeProperty: the common properties 0-7 served here, the kinds' own
// properties from 8 on through their operations, each converted by its PropertyType.
#include <cstring>

#include "ui/kind_traits.h"
#include "ui/property_access.h"
#include "ui/unit_cursor.h"
#include "ui/unit_font.h"
#include "ui/unit_kinds.h"
#include "ui/value_slots.h"
#include "values/block.h"

namespace {

enum CommonProperty : int32_t { kLeft, kTop, kWidth, kHeight, kTag, kVisible, kDisabled, kCursor };

constexpr int32_t kCommonTypes[] = {kTypeInteger, kTypeInteger, kTypeInteger, kTypeInteger,
                                    kTypeText,    kTypeBoolean, kTypeBoolean, kTypeCursor};

// The live Windows window of a record's unit, null when there is none.
HWND liveWindow(const UnitRecord &record) {
  const UnitHeader *unit = static_cast<const UnitHeader *>(record.object);
  return unit != nullptr ? unit->window : nullptr;
}

bool isWindowRecord(const WindowTemplate *window, const UnitRecord *record) {
  return record == &window->units[0];
}

// The window's rectangle: in screen coordinates for the form window, in its parent's client
// coordinates for a control.
bool placeOf(HWND live, bool topLevel, RECT *place) {
  if (!GetWindowRect(live, place)) return false;
  if (!topLevel)
    // Mapping two points between live windows cannot fail; 0 may also be a zero offset.
    MapWindowPoints(nullptr, GetParent(live), reinterpret_cast<POINT *>(place), 2);
  return true;
}

// The 60 bytes of the font in use: the stored LOGFONTA, or the default GUI font's.
void fontInUse(const KindValue &stored, unsigned char *font) {
  if (stored.length == kFontDataLength)
    std::memcpy(font, stored.bytes, kFontDataLength);
  else
    describeDefaultGuiFont(font);
}

// Gives a kind property, converted; nothing for a number past the kind's table.
PropertyValue readKindProperty(UnitRecord *record, int32_t property, int32_t member) {
  UnitHeader *unit = static_cast<UnitHeader *>(record->object);
  const UnitKindOps *ops = unit->ops;
  if (property >= ops->propertyCount) return PropertyValue{0, 0};
  const int32_t type = ops->propertyTypes[property];
  const KindValue stored = ops->value(unit, property);
  if (classifyPropertyType(type) == TypeClass::font && member != kWholeValue &&
      stored.form == ValueForm::bytes) {
    unsigned char font[kFontDataLength];
    fontInUse(stored, font);
    return fontMemberToWire(font, member);
  }
  return valueToWire(type, stored);
}

// Gives a common property, from the live window when there is one, else from the record.
PropertyValue readCommonProperty(WindowTemplate *window, UnitRecord *record, int32_t property) {
  const HWND live = liveWindow(*record);
  RECT place = {record->left, record->top, record->left + record->width,
                record->top + record->height};
  if (live != nullptr && property <= kHeight) placeOf(live, isWindowRecord(window, record), &place);
  KindValue value;
  switch (property) {
    case kLeft: value = integerValue(place.left); break;
    case kTop: value = integerValue(place.top); break;
    case kWidth: value = integerValue(place.right - place.left); break;
    case kHeight: value = integerValue(place.bottom - place.top); break;
    case kTag: value = textValue(record->tag); break;
    case kVisible: {
      const KindTraits *traits = findKindTraits(record->kind);
      const bool fromWindow = live != nullptr && traits != nullptr && !traits->neverShown;
      // A control's own visible style, so that a control on a hidden window reads as shown.
      const bool visible = fromWindow ? (GetWindowLongPtrA(live, GWL_STYLE) & WS_VISIBLE) != 0
                                      : (record->flags & kFlagVisible) != 0;
      value = integerValue(visible ? 1 : 0);
      break;
    }
    case kDisabled: {
      const bool disabled =
          live != nullptr ? !IsWindowEnabled(live) : (record->flags & kFlagDisabled) != 0;
      value = integerValue(disabled ? 1 : 0);
      break;
    }
    case kCursor: value = bytesValue(record->cursorData, record->cursorDataLength); break;
    default: return PropertyValue{0, 0};
  }
  return valueToWire(kCommonTypes[property], value);
}

// Hands a converted value to the kind and re-creates the unit when the kind asks for it,
// with events held back meanwhile. A unit whose re-creation fails stays without a window.
void writeKindProperty(UnitRecord *record, int32_t property, int32_t member, uintptr_t low,
                       uint32_t high) {
  UnitHeader *unit = static_cast<UnitHeader *>(record->object);
  const UnitKindOps *ops = unit->ops;
  if (property >= ops->propertyCount) return;
  const int32_t type = ops->propertyTypes[property];
  unsigned char font[kFontDataLength];
  KindValue value;
  if (classifyPropertyType(type) == TypeClass::font && member != kWholeValue) {
    const KindValue stored = ops->value(unit, property);
    if (stored.form != ValueForm::bytes) return;
    fontInUse(stored, font);
    if (!setFontMember(font, member, low)) return;
    value = bytesValue(font, kFontDataLength);
  } else {
    value = valueFromWire(type, low, high);
  }
  const bool recreate = ops->change(unit, property, value);
  if (recreate && unit->window != nullptr && ops->recreate != nullptr) {
    ++g_runtime.eventsSuppressed;
    ops->recreate(unit);
    --g_runtime.eventsSuppressed;
  }
}

// Moves the live window so that one edge of its place changes; the size stays.
void moveLive(HWND live, bool topLevel, int32_t property, int32_t value) {
  RECT place;
  if (!placeOf(live, topLevel, &place)) return;
  const int32_t left = property == kLeft ? value : place.left;
  const int32_t top = property == kTop ? value : place.top;
  // A refused move leaves the window where it was; the record holds the new place.
  MoveWindow(live, left, top, place.right - place.left, place.bottom - place.top, TRUE);
}

// Resizes the live window in one dimension.
void resizeLive(HWND live, int32_t property, int32_t value) {
  RECT place;
  if (!GetWindowRect(live, &place)) return;
  const int32_t width = property == kWidth ? value : place.right - place.left;
  const int32_t height = property == kHeight ? value : place.bottom - place.top;
  // A refused resize leaves the window as it was; the record holds the new size.
  SetWindowPos(live, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void setFlag(UnitRecord *record, uint32_t flag, bool on) {
  record->flags = on ? record->flags | flag : record->flags & ~flag;
}

// Replaces the record's cursor data with a copy of the value, and a live unit's cursor.
void storeCursor(UnitRecord *record, const KindValue &value) {
  unsigned char *copy = nullptr;
  if (value.length > 0) {
    copy = static_cast<unsigned char *>(allocateBlock(value.length));
    std::memcpy(copy, value.bytes, value.length);
  }
  releaseBlock(record->cursorData);
  record->cursorData = copy;
  record->cursorDataLength = copy != nullptr ? value.length : 0;
  if (record->object == nullptr) return;
  void *cursor = makeUnitCursor(record->cursorData, record->cursorDataLength);
  releaseUnitCursor(record->cursor);
  record->cursor = cursor;
}

// Updates the record and the live window.
void writeCommonProperty(WindowTemplate *window, UnitRecord *record, int32_t property,
                         uintptr_t low, uint32_t high) {
  const KindValue value = valueFromWire(kCommonTypes[property], low, high);
  const HWND live = liveWindow(*record);
  const bool topLevel = isWindowRecord(window, record);
  switch (property) {
    case kLeft:
    case kTop: {
      const int32_t position = clampPosition(value.integer);
      (property == kLeft ? record->left : record->top) = position;
      if (live != nullptr) moveLive(live, topLevel, property, position);
      break;
    }
    case kWidth:
    case kHeight: {
      const int32_t size = clampSize(value.integer);
      (property == kWidth ? record->width : record->height) = size;
      if (live != nullptr) resizeLive(live, property, size);
      break;
    }
    case kTag: storeText(&record->tag, value); break;
    case kVisible: {
      setFlag(record, kFlagVisible, value.integer != 0);
      const KindTraits *traits = findKindTraits(record->kind);
      if (live != nullptr && traits != nullptr && !traits->neverShown)
        // ShowWindow answers the previous visibility, not success.
        ShowWindow(live, value.integer == 0 ? SW_HIDE : topLevel ? SW_SHOW : SW_SHOWNA);
      break;
    }
    case kDisabled:
      setFlag(record, kFlagDisabled, value.integer != 0);
      // EnableWindow answers the previous state, not success.
      if (live != nullptr) EnableWindow(live, value.integer == 0);
      break;
    case kCursor: storeCursor(record, value); break;
    default: break;
  }
}

}  // namespace

// Gives the property's value converted by its type; a text or byte set is the caller's.
PropertyValue readProperty(uint32_t windowId, uint32_t unitId, int32_t property, int32_t member) {
  WindowTemplate *window;
  UnitRecord *record = findAccessedUnit(windowId, unitId, property, &window);
  if (property >= kFirstKindProperty)
    return readKindProperty(record, property - kFirstKindProperty, member);
  if (property < 0) return PropertyValue{0, 0};
  return readCommonProperty(window, record, property);
}

// Converts and stores the value; a text or byte set passed in stays the caller's.
void writeProperty(uint32_t windowId, uint32_t unitId, int32_t property, int32_t member,
                   uintptr_t low, uint32_t high) {
  WindowTemplate *window;
  UnitRecord *record = findAccessedUnit(windowId, unitId, property, &window);
  if (property >= kFirstKindProperty) {
    writeKindProperty(record, property - kFirstKindProperty, member, low, high);
    return;
  }
  if (property < 0) return;
  writeCommonProperty(window, record, property, low, high);
}
