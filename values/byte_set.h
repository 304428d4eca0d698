// Byte sets: a heap block of n + 8 bytes, headerWord 1, length n, then the n bytes.
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

ByteSet byteSetFromBytes(const void *src, int32_t n);
char *bytesToText(const ByteSetHeader *bs);
