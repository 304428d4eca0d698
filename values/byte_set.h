// Byte sets: a heap block of n + 8 bytes, headerWord 1, length n, then the n bytes.
// Null is the empty byte set.
#pragma once
#include <cstdint>

struct ByteSetHeader {
  uint32_t headerWord;  // always 1
  int32_t length;
};
using ByteSet = ByteSetHeader *;

static_assert(sizeof(ByteSetHeader) == 8, "the bytes start at offset 8");

inline const unsigned char *byteSetBytes(const ByteSetHeader *bs) {
  return reinterpret_cast<const unsigned char *>(bs) + sizeof(ByteSetHeader);
}

// A new byte set holding the n bytes; null when n <= 0 or src is null.
ByteSet byteSetFromBytes(const void *src, int32_t n);
// The bytes before the first zero byte (all of them when there is none) as a new text;
// null when that is none. Null reads as the empty byte set.
char *bytesToText(const ByteSetHeader *bs);
