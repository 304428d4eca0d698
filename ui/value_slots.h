// A unit's own copies of the texts and byte data written to it.
#pragma once
#include "ui/property_types.h"
#include "values/byte_set.h"
#include "values/text.h"

// Replaces *slot with a copy of the value (null when it is empty): the copy is made before the
// old value is released.
void storeText(Text *slot, const KindValue &value);
void storeBytes(ByteSet *slot, const KindValue &value);
// A view of a byte set's bytes; null is the empty view.
KindValue byteSetValue(const ByteSetHeader *set);
