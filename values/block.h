// Heap blocks: the only way value blocks are made and freed.
#pragma once
#include <cstdint>

// Gives a new block of `size` bytes; never null: a refused allocation is a fatal error.
void *allocateBlock(int32_t size);

// Frees a block; does nothing for null or for a pointer into the constant pool.
void releaseBlock(const void *block);
