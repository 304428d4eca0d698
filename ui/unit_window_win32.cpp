// The link between the run time's own Windows windows and their unit objects.
#include "ui/form_model.h"
#include "ui/unit_kinds.h"

// Gives the kind's table, null for the kinds the run time does not create.
const UnitKindOps *findUnitKind(uint32_t kind) {
  const UnitKindOps *const kinds[] = {&kFormWindowKind, &kLabelKind, &kButtonKind, &kTimerKind};
  for (const UnitKindOps *ops : kinds)
    if (ops->kind == kind) return ops;
  return nullptr;
}

// Gives the bound unit; null before WM_NCCREATE and after the binding is cleared.
UnitHeader *unitOfWindow(HWND window) {
  return reinterpret_cast<UnitHeader *>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// Stores the unit in the window's user data and the window in the unit.
void bindUnitWindow(HWND window, LPARAM createStruct) {
  const CREATESTRUCTA *create = reinterpret_cast<const CREATESTRUCTA *>(createStruct);
  UnitHeader *unit = static_cast<UnitHeader *>(create->lpCreateParams);
  if (unit == nullptr) return;
  unit->window = window;
  // The user data of the run time's own classes is always there to be set, and a previous
  // value of 0 is all a 0 result could mean.
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(unit));
}

// Gives true when the class is registered now or was before.
bool registerRuntimeClass(const char *name, UINT style, WNDPROC procedure) {
  WNDCLASSEXA existing = {};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExA(runtimeInstance(), name, &existing)) return true;
  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = style;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = runtimeInstance();
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.lpszClassName = name;
  return RegisterClassExA(&windowClass) != 0;
}

// Gives the executable's module: the run time is linked into it.
HINSTANCE runtimeInstance() { return GetModuleHandleA(nullptr); }
