#include "ui/value_slots.h"

#include "values/block.h"

// Stores the copy; an empty value leaves null.
void storeText(Text *slot, const KindValue &value) {
  Text copy = value.length > 0 ? textFromBytes(value.bytes, value.length) : nullptr;
  releaseBlock(*slot);
  *slot = copy;
}

// Stores the copy; an empty value leaves null.
void storeBytes(ByteSet *slot, const KindValue &value) {
  ByteSet copy = value.length > 0 ? byteSetFromBytes(value.bytes, value.length) : nullptr;
  releaseBlock(*slot);
  *slot = copy;
}

// Gives the view; a negative stored length counts as empty.
KindValue byteSetValue(const ByteSetHeader *set) {
  if (set == nullptr) return bytesValue(nullptr, 0);
  return bytesValue(byteSetBytes(set), set->length);
}
