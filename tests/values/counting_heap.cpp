#include "tests/values/counting_heap.h"

#include <cstring>

HeapRecord g_heapRecord;

namespace {

HeapCalls g_realHeap;

void *countingAllocate(size_t size) {
  if (g_heapRecord.allocations < 64) g_heapRecord.sizes[g_heapRecord.allocations] = size;
  ++g_heapRecord.allocations;
  return g_realHeap.allocate(size);
}

void countingRelease(void *block) {
  if (g_heapRecord.releases < 64) g_heapRecord.released[g_heapRecord.releases] = block;
  ++g_heapRecord.releases;
  g_realHeap.release(block);
}

void *refusingAllocate(size_t) { return nullptr; }

}  // namespace

CountingHeap::CountingHeap() : saved_(g_heapCalls) {
  std::memset(&g_heapRecord, 0, sizeof g_heapRecord);
  g_realHeap = g_heapCalls;
  g_heapCalls.allocate = countingAllocate;
  g_heapCalls.release = countingRelease;
}

CountingHeap::~CountingHeap() { g_heapCalls = saved_; }

void refuseAllocations() { g_heapCalls.allocate = refusingAllocate; }
