#include "ui/property_access.h"

#include "services/fatal.h"
#include "ui/runtime_messages.h"

// Gives the record; never returns on the fatal paths of the header.
UnitRecord *findAccessedUnit(uint32_t windowId, uint32_t unitId, int32_t property,
                             WindowTemplate **window) {
  WindowTemplate *found = findWindowTemplate(g_runtime.templates, windowId);
  if (found == nullptr) reportFatalError(kAccessWindowMissing, 0);
  UnitRecord *unit = findUnit(found, unitId);
  if (unit == nullptr) reportFatalError(kAccessUnitMissing, 0);
  if (property >= kFirstKindProperty && unit->object == nullptr)
    reportFatalError(kAccessWindowNotLoaded, 0);
  *window = found;
  return unit;
}
