// The heap of the Windows program: the process's default heap, flags 0 (serialised).
#include "values/heap.h"

#include <windows.h>

namespace {

// The handle is the same for the life of the process, so it is fetched once.
HANDLE processHeap() {
  static const HANDLE heap = GetProcessHeap();
  return heap;
}

// Gives the block, null when the heap refuses.
void *processHeapAllocate(size_t size) { return HeapAlloc(processHeap(), 0, size); }

// Frees the block. A failed HeapFree leaves nothing to do: the block is lost either way.
void processHeapRelease(void *block) { HeapFree(processHeap(), 0, block); }

}  // namespace

HeapCalls g_heapCalls = {processHeapAllocate, processHeapRelease};
