// The lookup that readProperty and writeProperty share.
#pragma once
#include <cstdint>

#include "ui/form_model.h"

constexpr int32_t kFirstKindProperty = 8;  // numbers below are common to all kinds

// The record a property call addresses; *window gets its template. Fatal when the window id
// has no template, when the unit id is not in it, or when a kind property (8 and up) is asked
// of a unit that is not created.
UnitRecord *findAccessedUnit(uint32_t windowId, uint32_t unitId, int32_t property,
                             WindowTemplate **window);
