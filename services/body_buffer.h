// The growable buffer that collects an HTTP body while it arrives.
#pragma once
#include <cstdint>

constexpr int32_t kBodySpare = 128;               // room added whenever the buffer grows
constexpr int32_t kBodyDoublingFrom = 64 * 1024;  // past this the buffer at least doubles
constexpr int32_t kBodyLimit = 16 * 1024 * 1024;  // a body stops here, whatever the sender does

struct BodyBuffer {
  unsigned char *data;  // a block of capacity bytes, or null while nothing arrived
  int32_t capacity;
  int32_t length;
};

// Appends count bytes, growing to the new length + kBodySpare when they do not fit (at least
// twice the old capacity past kBodyDoublingFrom); true when all were taken, false when the body
// reached kBodyLimit (the bytes below the limit are kept).
bool appendToBody(BodyBuffer *body, const void *bytes, int32_t count);

// Releases the buffer's block and leaves it empty.
void releaseBody(BodyBuffer *body);
