// The window run time's services for the program: windows, properties by number, the loop.
#pragma once
#include <cstdint>

// A property value crosses the interface as two halves; texts and byte sets travel by
// pointer in the low half (pointer-sized, so a 64-bit build carries them too).
struct PropertyValue {
  uintptr_t low;
  uint32_t high;
};

constexpr int32_t kWholeValue = -1;  // member number: the whole value

// Creates the window from its template, raises its created event and shows it;
// a failure is fatal ("载入启动窗口失败").
void loadWindow(uint32_t windowId);
// Runs until the quit message; returns at once when no window of the form exists.
void runMessageLoop();
// The property's value converted by its type; a text is a new block the caller holds.
PropertyValue readProperty(uint32_t windowId, uint32_t unitId, int32_t property, int32_t member);
// Converts and stores the value; a text passed in stays the caller's.
void writeProperty(uint32_t windowId, uint32_t unitId, int32_t property, int32_t member,
                   uintptr_t low, uint32_t high);
// Calls the handler bound to the event unless events are held back.
void raiseEvent(uint32_t windowId, uint32_t unitId, int32_t event);
