// The operations of each unit kind, as plain tables that the window run time calls.
#pragma once
#include <windows.h>

#include <cstdint>

#include "ui/property_types.h"

struct UnitKindOps;

// The first member of every unit object, so that the run time reaches any unit through it.
struct UnitHeader {
  const UnitKindOps *ops;
  uint32_t windowId;
  uint32_t unitId;
  HWND window;  // null once the Windows window is gone
};

// What create is given; the unit's Windows window is made hidden.
struct UnitCreateArgs {
  const unsigned char *kindData;
  int32_t kindDataLength;
  DWORD styleBits;  // WS_DISABLED and WS_TABSTOP from the record's flags
  HWND parent;      // the window for a control; null for the window itself
  int32_t childId;
  int32_t left, top, width, height;
  uint32_t windowId, unitId;
};

struct UnitKindOps {
  uint32_t kind;
  const int32_t *propertyTypes;  // the PropertyType of each kind property (number - 8)
  int32_t propertyCount;
  // The new unit object, or null when the kind data cannot be read or the window not made.
  UnitHeader *(*create)(const UnitCreateArgs &args);
  // Stores the converted value; true when the unit must be re-created.
  bool (*change)(UnitHeader *unit, int32_t kindProperty, const KindValue &value);
  // The stored value, a view into the unit; noValue() for a number the kind does not have.
  KindValue (*value)(UnitHeader *unit, int32_t kindProperty);
  // True for a default push button; null for kinds that have none.
  bool (*isDefaultButton)(UnitHeader *unit);
  // Makes the unit's Windows window anew from its stored settings at the same place and
  // stacking position; false when it cannot. Null for kinds that never ask for it.
  bool (*recreate)(UnitHeader *unit);
  // A WM_COMMAND notification code the parent window received from the unit; null: none.
  void (*command)(UnitHeader *unit, int32_t code);
  // Frees the unit object and what it holds; its Windows window is gone by then.
  void (*release)(UnitHeader *unit);
};

extern const UnitKindOps kFormWindowKind;
extern const UnitKindOps kLabelKind;
extern const UnitKindOps kButtonKind;
extern const UnitKindOps kTimerKind;

// The operations of a kind code, or null for a kind the run time cannot create.
const UnitKindOps *findUnitKind(uint32_t kind);

// The unit of one of the run time's own windows, bound at WM_NCCREATE; null for others.
UnitHeader *unitOfWindow(HWND window);
// At WM_NCCREATE: binds the unit passed as the creation parameter to the window.
void bindUnitWindow(HWND window, LPARAM createStruct);
// Registers a window class of the run time once per process; true when it exists.
bool registerRuntimeClass(const char *name, UINT style, WNDPROC procedure);
// The module whose resources and classes the run time uses.
HINSTANCE runtimeInstance();
