// MainWindow's form description, encoded in the stored form from a readable description.
#pragma once
#include <cstdint>

#include "ui/runtime.h"

constexpr int32_t kMainFormLength = 1685;

struct MainFormHandlers {
  EventHandler onCreated;  // window event 0
  EventHandler onClick;    // calibrateButton event 0
  EventHandler onTick;     // clockTimer event 0
};

// Writes the stored form into out (capacity bytes) with handler references as offsets from
// codeStart (null handlers as -1); gives its length (kMainFormLength), or 0 when capacity is
// too small or a handler does not lie within 0 .. 0xFFFFFFFE bytes after codeStart.
int32_t encodeMainForm(const MainFormHandlers &handlers, uintptr_t codeStart, unsigned char *out,
                       int32_t capacity);
