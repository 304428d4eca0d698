// Event dispatch: from a unit's event to the program's handler bound in the form description.
#include "services/fatal.h"
#include "ui/form_model.h"
#include "ui/kind_traits.h"
#include "ui/runtime_messages.h"
#include "ui/window.h"

// Runs the bound handler of the event, or nothing while events are held back or none is
// bound; an unknown window or unit, or a kind without events, is fatal. The shared-bindings
// chain runs through records of the unit's own kind only, so the unit's kind is the one that
// decides.
void raiseEvent(uint32_t windowId, uint32_t unitId, int32_t event) {
  if (g_runtime.eventsSuppressed > 0) return;
  WindowTemplate *window = findWindowTemplate(g_runtime.templates, windowId);
  if (window == nullptr) reportFatalError(kEventWindowMissing, 0);
  const UnitRecord *unit = findUnit(window, unitId);
  if (unit == nullptr) reportFatalError(kEventUnitMissing, 0);
  const KindTraits *traits = findKindTraits(unit->kind);
  if (traits == nullptr || !traits->raisesEvents) reportFatalError(kEventUnitInvalid, 0);
  const EventHandler handler = findHandler(window, unit, event);
  if (handler == nullptr) return;
  g_runtime.currentEventWindow = windowId;
  g_runtime.currentEventUnit = unit->id;
  handler();
  g_runtime.currentEventWindow = 0;
}
