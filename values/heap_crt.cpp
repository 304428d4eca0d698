// The heap of a native build: the C run time's.
#include "values/heap.h"

#include <cstdlib>

namespace {

// Gives the block, null when refused; a zero size still gets a block of its own.
void *crtAllocate(size_t size) { return std::malloc(size == 0 ? 1 : size); }

// Frees the block.
void crtRelease(void *block) { std::free(block); }

}  // namespace

HeapCalls g_heapCalls = {crtAllocate, crtRelease};
