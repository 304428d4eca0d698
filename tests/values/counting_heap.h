// Puts a counting heap in front of the real one for the life of the object, so tests can see
// how many blocks an operation makes and of what size, or make the heap refuse.
#pragma once
#include <cstddef>
#include <cstdint>

#include "values/heap.h"

struct HeapRecord {
  int32_t allocations;
  int32_t releases;
  size_t sizes[64];  // the first 64 allocation sizes, in order
  const void *released[64];
};

extern HeapRecord g_heapRecord;

class CountingHeap {
 public:
  CountingHeap();
  ~CountingHeap();
  CountingHeap(const CountingHeap &) = delete;
  CountingHeap &operator=(const CountingHeap &) = delete;

 private:
  HeapCalls saved_;
};

// Makes every allocation fail from now on (for death tests, whose process ends anyway).
void refuseAllocations();
