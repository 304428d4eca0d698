// The platform heap behind allocateBlock and releaseBlock. The platform edge defines the table;
// a test may swap an entry to refuse allocations, as SQLite's aSyscall does.
#pragma once
#include <cstddef>

struct HeapCalls {
  void *(*allocate)(size_t size);  // null when the heap refuses
  void (*release)(void *block);
};

extern HeapCalls g_heapCalls;
