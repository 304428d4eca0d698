#include "values/block.h"

#include <cinttypes>
#include <cstdio>

#include "services/fatal.h"
#include "values/constants.h"
#include "values/heap.h"

namespace {

// 分配 %d 字节内存失败!  (the size is printed as a 64-bit signed decimal)
const char kAllocationFailed[] =
    "\xB7\xD6\xC5\xE4 %" PRId64 " \xD7\xD6\xBD\xDA\xC4\xDA\xB4\xE6\xCA\xA7\xB0\xDC!";

// Formats the message on the stack: the heap has just refused, so nothing is allocated here.
[[noreturn]] void reportAllocationFailure(int64_t size) {
  char message[64];
  std::snprintf(message, sizeof message, kAllocationFailed, size);
  reportFatalError(message, 0);
}

}  // namespace

// Gives the new block; a refusal ends the process through the fatal report.
void *allocateWideBlock(int64_t size) {
  if (size < 0 || size > INT32_MAX) reportAllocationFailure(size);
  void *block = g_heapCalls.allocate(static_cast<size_t>(size));
  if (block == nullptr) reportAllocationFailure(size);
  return block;
}

// Gives the new block; a refusal ends the process through the fatal report.
void *allocateBlock(int32_t size) { return allocateWideBlock(size); }

// Hands the block back to the heap unless it is null or a constant.
void releaseBlock(const void *block) {
  if (block == nullptr || isConstant(block)) return;
  g_heapCalls.release(const_cast<void *>(block));
}
