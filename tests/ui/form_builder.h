// Builds stored form descriptions from plain test records, to feed the reader forms that the
// program's own form does not contain (tags, members, shared bindings, several windows).
#pragma once
#include <cstdint>

struct TestBinding {
  int32_t event;
  uint32_t reference;  // offset from the code start, 0xFFFFFFFF for none
};

struct TestUnit {
  uint32_t id, kind, sharedBindings;
  const char *name, *tag;
  int32_t left, top, width, height;
  uint32_t parent;
  const uint32_t *members;
  int32_t memberCount;
  const unsigned char *cursor;
  int32_t cursorLength;
  uint32_t flags;
  int32_t tabOrder;
  const TestBinding *bindings;
  int32_t bindingCount;
  const unsigned char *kindData;
  int32_t kindDataLength;
};

struct TestWindow {
  uint32_t id;
  const TestUnit *units;
  int32_t unitCount;
};

// A unit of the kind with the id and empty or zero fields elsewhere.
TestUnit testUnit(uint32_t id, uint32_t kind);

// Writes the windows' stored form into out; gives its length, or 0 when it does not fit.
int32_t buildForm(const TestWindow *windows, int32_t windowCount, unsigned char *out,
                  int32_t capacity);
