#include "services/body_buffer.h"

#include <cstring>

#include "values/block.h"

namespace {

// Gives the capacity for a body of newLength bytes. A time answer is far below
// kBodyDoublingFrom and gets exactly its length + kBodySpare. A body past it comes only from a
// misbehaving sender; growing each read's worth would copy the body once per read, 64 s of
// copying for 16 MiB in reads of 10240, so it at least doubles and the copying stays linear.
int32_t grownCapacity(int32_t capacity, int32_t newLength) {
  const int32_t wanted = newLength + kBodySpare;
  if (wanted <= kBodyDoublingFrom) return wanted;
  const int32_t doubled = capacity < kBodyLimit / 2 ? capacity * 2 : kBodyLimit + kBodySpare;
  return doubled > wanted ? doubled : wanted;
}

}  // namespace

// Takes as many bytes as fit under kBodyLimit; false when some had to be dropped. The sums
// stay below 2^31 because length never exceeds kBodyLimit and count is compared, not added.
bool appendToBody(BodyBuffer *body, const void *bytes, int32_t count) {
  if (count <= 0) return true;
  const int32_t room = kBodyLimit - body->length;
  const bool allFit = count <= room;
  const int32_t taken = allFit ? count : room;
  if (taken == 0) return false;
  const int32_t newLength = body->length + taken;
  if (newLength > body->capacity) {
    const int32_t newCapacity = grownCapacity(body->capacity, newLength);
    auto *grown = static_cast<unsigned char *>(allocateBlock(newCapacity));
    if (body->length > 0) std::memcpy(grown, body->data, static_cast<size_t>(body->length));
    releaseBlock(body->data);
    body->data = grown;
    body->capacity = newCapacity;
  }
  std::memcpy(body->data + body->length, bytes, static_cast<size_t>(taken));
  body->length = newLength;
  return allFit;
}

// Leaves data null and both counts 0.
void releaseBody(BodyBuffer *body) {
  releaseBlock(body->data);
  body->data = nullptr;
  body->capacity = 0;
  body->length = 0;
}
