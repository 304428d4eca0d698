// Heap blocks: the only way value blocks are made and freed.
#pragma once
#include <cstdint>

// Gives a new block of `size` bytes; never null: a refused allocation (or a negative size)
// is a fatal error.
void *allocateBlock(int32_t size);

// Same for a size worked out in 64 bits, so that sums such as n + 1 cannot overflow; a size
// beyond 32 bits is refused like a failed allocation, with the whole size in the message.
void *allocateWideBlock(int64_t size);

// Frees a block; does nothing for null or for a pointer into the constant pool.
void releaseBlock(const void *block);
