// Measures the buffer work of one HTTP read (read buffer, body buffer, result byte set) on the
// platform heap alone and with a pool of 96 blocks of 512 bytes in front of it, and the cost of
// a body that runs to the limit. Not a test: it prints figures.
//   native:  cmake --preset native -B build/bench -DTIMECAL_SANITIZE=OFF -DCMAKE_BUILD_TYPE=Release
//            cmake --build build/bench --target body_buffer_bench && build/bench/tests/services/body_buffer_bench
//   Windows: cmake --build build/win64 --target body_buffer_bench
//            scripts/wine-run --arch win64 build/win64/tests/services/body_buffer_bench.exe
#include <chrono>
#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "services/body_buffer.h"
#include "services/content_length.h"
#include "values/block.h"
#include "values/byte_set.h"
#include "values/heap.h"

namespace {

constexpr int32_t kPoolBlocks = 96;
constexpr int32_t kPoolBlockSize = 512;

// The pool: fixed blocks handed out while one is free, everything else from the heap.
struct Pool {
  unsigned char blocks[kPoolBlocks][kPoolBlockSize];
  int32_t freeList[kPoolBlocks];
  int32_t freeCount;
};
Pool g_pool;
HeapCalls g_heap;  // the platform's own calls
bool g_poolOn = false;
int64_t g_heapAllocations = 0;
int64_t g_poolAllocations = 0;

void resetPool() {
  g_pool.freeCount = kPoolBlocks;
  for (int32_t i = 0; i < kPoolBlocks; ++i) g_pool.freeList[i] = i;
}

bool inPool(const void *p) {
  auto *b = static_cast<const unsigned char *>(p);
  return b >= &g_pool.blocks[0][0] && b < &g_pool.blocks[0][0] + sizeof g_pool.blocks;
}

void *benchAllocate(size_t size) {
  if (g_poolOn && size <= kPoolBlockSize && g_pool.freeCount > 0) {
    ++g_poolAllocations;
    return g_pool.blocks[g_pool.freeList[--g_pool.freeCount]];
  }
  ++g_heapAllocations;
  return g_heap.allocate(size);
}

void benchRelease(void *p) {
  if (inPool(p)) {
    const auto index = static_cast<int32_t>((static_cast<unsigned char *>(p) - &g_pool.blocks[0][0]) / kPoolBlockSize);
    g_pool.freeList[g_pool.freeCount++] = index;
    return;
  }
  g_heap.release(p);
}

unsigned char g_wire[kBodyLimit + kLargestChunkSize];

// One call's buffers for a body of bodyLength bytes read chunkSize at a time; the read and body
// buffers may come from the pool, the result always comes from the heap.
int32_t oneCall(int32_t bodyLength, int32_t chunkSize, bool pooled) {
  g_poolOn = pooled;
  void *readBuffer = g_heapCalls.allocate(static_cast<size_t>(chunkSize));
  BodyBuffer body{};
  for (int32_t at = 0; at < bodyLength; at += chunkSize) {
    const int32_t count = bodyLength - at < chunkSize ? bodyLength - at : chunkSize;
    std::memcpy(readBuffer, g_wire + at, static_cast<size_t>(count));  // stands for the read
    if (!appendToBody(&body, readBuffer, count)) break;
  }
  g_heapCalls.release(readBuffer);
  g_poolOn = false;
  ByteSet result = byteSetFromBytes(body.data, body.length);
  g_poolOn = pooled;
  releaseBody(&body);
  g_poolOn = false;
  const int32_t length = result != nullptr ? result->length : 0;
  releaseBlock(result);
  return length;
}

void measure(const char *name, int32_t bodyLength, int32_t chunkSize, bool pooled, long calls) {
  g_heapAllocations = g_poolAllocations = 0;
  int64_t checksum = 0;
  const auto start = std::chrono::steady_clock::now();
  for (long i = 0; i < calls; ++i) checksum += oneCall(bodyLength, chunkSize, pooled);
  const auto end = std::chrono::steady_clock::now();
  const double ns = std::chrono::duration<double, std::nano>(end - start).count() / calls;
  std::printf("%-34s %-7s %10.1f ns/call  heap %5.2f + pool %5.2f allocations/call  (%lld)\n",
              name, pooled ? "pool" : "heap", ns, double(g_heapAllocations) / calls,
              double(g_poolAllocations) / calls, static_cast<long long>(checksum / calls));
}

}  // namespace

int main() {
  g_heap = g_heapCalls;
  g_heapCalls = {benchAllocate, benchRelease};
  resetPool();
  for (int32_t i = 0; i < static_cast<int32_t>(sizeof g_wire); ++i) g_wire[i] = static_cast<unsigned char>(i % 251);

  for (bool pooled : {false, true}) {
    measure("19 bytes, Content-Length 19", 19, 20, pooled, 2000000);
    measure("25000 bytes, no Content-Length", 25000, kDefaultChunkSize, pooled, 200000);
  }
  // Large bodies: the buffer grows by one read at a time.
  for (int32_t mib : {1, 16}) {
    char name[64];
    std::snprintf(name, sizeof name, "%d MiB, no Content-Length", static_cast<int>(mib));
    measure(name, mib << 20, kDefaultChunkSize, false, 3);  // 16 MiB: cut at the limit
    std::snprintf(name, sizeof name, "%d MiB, Content-Length >= 102400", static_cast<int>(mib));
    measure(name, mib << 20, kLargestChunkSize, false, 3);
  }
  return 0;
}
