#include "ui/form_model.h"

// True when both the serial number and the category are non-zero.
bool isValidId(uint32_t id) { return (id & 0x00FFFFFFu) != 0 && (id & 0x0F000000u) != 0; }

// Searches the ids in order; an invalid id is refused before the search.
WindowTemplate *findWindowTemplate(FormTemplates *templates, uint32_t windowId) {
  if (templates == nullptr || !isValidId(windowId)) return nullptr;
  for (int32_t i = 0; i < templates->windowCount; ++i)
    if (templates->windows[i].windowId == windowId) return &templates->windows[i];
  return nullptr;
}

// 0 gives the first record (the window's own); any other id must be valid to be searched for.
UnitRecord *findUnit(WindowTemplate *window, uint32_t unitId) {
  if (window == nullptr || window->unitCount < 1) return nullptr;
  if (unitId == 0) return &window->units[0];
  if (!isValidId(unitId)) return nullptr;
  for (int32_t i = 0; i < window->unitCount; ++i)
    if (window->units[i].id == unitId) return &window->units[i];
  return nullptr;
}

// Follows the shared-bindings links at most once per record, so a cycle ends at the record
// where the steps run out.
EventHandler findHandler(WindowTemplate *window, const UnitRecord *unit, int32_t event) {
  if (window == nullptr || unit == nullptr) return nullptr;
  for (int32_t step = 0; step < window->unitCount && unit->sharedBindings != 0; ++step) {
    const UnitRecord *shared = findUnit(window, unit->sharedBindings);
    if (shared == nullptr || shared->kind != unit->kind || shared == unit) break;
    unit = shared;
  }
  for (int32_t i = 0; i < unit->bindingCount; ++i)
    if (unit->bindings[i].event == event) return unit->bindings[i].handler;
  return nullptr;
}
