// The mouse cursor of a unit, made from the cursor data of its record.
#pragma once
#include <cstdint>

struct UnitHeader;

// The cursor of the data (HCURSOR), owned by the caller; null for the standard arrow, which
// is what 4 zero bytes, empty data and data the run time cannot read give. Four bytes
// holding a standard cursor id (IDC_*) give a copy of that cursor; a .cur file gives its
// first image.
void *makeUnitCursor(const unsigned char *data, int32_t length);
// Destroys a cursor made by makeUnitCursor; null does nothing.
void releaseUnitCursor(void *cursor);
// Sets the cursor of the unit's record when it has one of its own; false when it has none,
// so that the window's class cursor shows.
bool showUnitCursor(const UnitHeader *unit);
